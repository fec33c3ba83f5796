#include "SliceHeader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

constexpr uint32_t undefinedLength = 0xFFFFFFFF;
constexpr int deepestNesting = 32; // deeper sequences are taken for damage

struct Syntax {
    bool explicitVr = true;
    bool bigEndian = false;
};

// The bytes end before the element does.
struct OutOfBytes {};
// The bytes cannot be a data set (an undefined length where none may be, nesting too deep).
struct Malformed {};

constexpr uint32_t tag(uint16_t group, uint16_t element) { return static_cast<uint32_t>(group) << 16 | element; }
constexpr uint32_t pixelDataTag = tag(0x7FE0, 0x0010);
constexpr uint32_t itemTag = tag(0xFFFE, 0xE000);
constexpr uint32_t sequenceDelimitationTag = tag(0xFFFE, 0xE0DD);

bool isCapital(uint8_t c) { return c >= 'A' && c <= 'Z'; }

// VRs whose length takes 4 bytes after 2 reserved ones.
bool hasLongLength(std::string_view vr)
{
    static constexpr std::string_view longVrs[] = {"OB", "OD", "OF", "OL", "OV", "OW", "SQ",
                                                   "SV", "UC", "UN", "UR", "UT", "UV"};
    return std::find(std::begin(longVrs), std::end(longVrs), vr) != std::end(longVrs);
}

bool isKnownVr(std::string_view vr)
{
    static constexpr std::string_view vrs[] = {"AE", "AS", "AT", "CS", "DA", "DS", "DT", "FD", "FL", "IS", "LO", "LT",
                                               "OB", "OD", "OF", "OL", "OV", "OW", "PN", "SH", "SL", "SQ", "SS", "ST",
                                               "SV", "TM", "UC", "UI", "UL", "UN", "UR", "US", "UT", "UV"};
    return std::find(std::begin(vrs), std::end(vrs), vr) != std::end(vrs);
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// A decimal string of exactly `count` finite values separated by "\".
template <size_t count>
std::optional<std::array<double, count>> decimals(std::string_view value)
{
    std::array<double, count> numbers{};
    for (size_t i = 0; i < count; ++i) {
        const size_t slash = value.find('\\');
        std::string_view part = trimmed(value.substr(0, slash));
        if (!part.empty() && part.front() == '+') part.remove_prefix(1);
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), numbers[i]);
        if (part.empty() || error != std::errc() || end != part.data() + part.size() || !std::isfinite(numbers[i]))
            return std::nullopt;
        if ((slash == std::string_view::npos) != (i + 1 == count)) return std::nullopt;
        value = slash == std::string_view::npos ? std::string_view() : value.substr(slash + 1);
    }
    return numbers;
}

// A US value; `number` stays as it was when the value is not one.
void unsignedShort(std::string_view value, Syntax syntax, unsigned& number)
{
    if (value.size() != 2) return;
    const auto byte = [&](size_t i) { return static_cast<unsigned>(static_cast<uint8_t>(value[i])); };
    number = syntax.bigEndian ? byte(0) << 8 | byte(1) : byte(1) << 8 | byte(0);
}

// An IS value; `number` stays as it was when the value is not a positive integer.
void integer(std::string_view value, unsigned& number)
{
    value = trimmed(value);
    if (!value.empty() && value.front() == '+') value.remove_prefix(1);
    unsigned read = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), read);
    if (!value.empty() && error == std::errc() && end == value.data() + value.size() && read > 0) number = read;
}

// Walks a data set. Scanning stops at the top level's Pixel Data; checking goes through
// every element to the end and fails on any that does not fit.
class Scanner {
public:
    enum class Mode { Scan, Check };

    Scanner(const uint8_t* bytes, size_t size, SliceHeader& header, Mode mode = Mode::Scan)
        : bytes_(bytes), size_(size), header_(header), check_(mode == Mode::Check)
    {
    }

    ScanResult run()
    {
        const bool preamble = hasPreamble();
        position_ = preamble ? 132 : 0;
        try {
            const bool meta = readMetaGroup();
            dataSetStart_ = position_;
            if (!preamble && !meta && !startsDataSet()) return ScanResult::NotDicom;
            if (header_.transferSyntax == TransferSyntax::deflatedLittleEndian) return ScanResult::Deflated;
            if (elements(size_, dataSetSyntax(), 0)) header_.image = true;
        } catch (const OutOfBytes&) {
            return ScanResult::NeedsMore;
        } catch (const Malformed&) {
            // What was found before the damage stands; the file holds no readable image.
            if (check_) return ScanResult::NeedsMore;
        }
        return ScanResult::Read;
    }

    // A data set on its own, as an inflated one is.
    bool checkDataSet(Syntax syntax)
    {
        try {
            elements(size_, syntax, 0);
            return true;
        } catch (const OutOfBytes&) {
        } catch (const Malformed&) {
        }
        return false;
    }

    size_t dataSetStart() const { return dataSetStart_; }

    // The meta group alone, for its transfer syntax.
    void runMetaGroup()
    {
        position_ = hasPreamble() ? 132 : 0;
        try {
            readMetaGroup();
        } catch (const OutOfBytes&) {
        } catch (const Malformed&) {
        }
        dataSetStart_ = position_;
    }

private:
    // 128 bytes of preamble and "DICM".
    bool hasPreamble() const { return size_ >= 132 && std::memcmp(bytes_ + 128, "DICM", 4) == 0; }
    size_t remaining() const { return size_ - position_; }
    void need(size_t count) const
    {
        if (remaining() < count) throw OutOfBytes{};
    }
    uint16_t word(bool bigEndian)
    {
        need(2);
        const uint8_t* at = bytes_ + position_;
        position_ += 2;
        return static_cast<uint16_t>(bigEndian ? at[0] << 8 | at[1] : at[1] << 8 | at[0]);
    }
    uint32_t longWord(bool bigEndian)
    {
        const uint32_t first = word(bigEndian);
        const uint32_t second = word(bigEndian);
        return bigEndian ? first << 16 | second : second << 16 | first;
    }
    uint16_t peekGroup() const
    {
        return remaining() >= 2 ? static_cast<uint16_t>(bytes_[position_ + 1] << 8 | bytes_[position_]) : 0;
    }
    std::string_view take(uint32_t length)
    {
        need(length);
        const std::string_view value(reinterpret_cast<const char*>(bytes_ + position_), length);
        position_ += length;
        return value;
    }

    // The meta group (explicit VR little endian); false when the bytes do not start with one.
    bool readMetaGroup()
    {
        bool found = false;
        while (peekGroup() == 0x0002) {
            found = true;
            const Element e = element({});
            if (e.length == undefinedLength) throw Malformed{};
            const std::string_view value = take(e.length);
            if (e.tag == tag(0x0002, 0x0010)) header_.transferSyntax = std::string(trimmed(value));
        }
        return found;
    }

    // A data set without preamble or meta group starts with a little-endian group 0008 element.
    bool startsDataSet() const { return peekGroup() == 0x0008; }

    Syntax dataSetSyntax() const
    {
        const std::string& ts = header_.transferSyntax;
        if (ts == TransferSyntax::implicitLittleEndian) return {false, false};
        if (ts == TransferSyntax::explicitBigEndian) return {true, true};
        if (!ts.empty()) return {true, false};
        // No transfer syntax named: the first element shows whether VRs are written.
        const bool vr = remaining() >= 6 && isCapital(bytes_[position_ + 4]) && isCapital(bytes_[position_ + 5]);
        return {vr, false};
    }

    struct Element {
        uint32_t tag = 0;
        std::string_view vr; // empty in implicit VR and for item and delimitation tags
        uint32_t length = 0;
    };

    Element element(Syntax syntax)
    {
        Element e;
        const uint16_t group = word(syntax.bigEndian);
        e.tag = tag(group, word(syntax.bigEndian));
        if (group == 0xFFFE || !syntax.explicitVr) {
            e.length = longWord(syntax.bigEndian);
            return e;
        }
        e.vr = take(2);
        if (check_ && !isKnownVr(e.vr)) throw Malformed{};
        if (hasLongLength(e.vr)) {
            take(2);
            e.length = longWord(syntax.bigEndian);
        } else {
            e.length = word(syntax.bigEndian);
        }
        return e;
    }

    // Elements up to `end`, or up to the delimitation that ends the item they are in.
    // True when the Pixel Data element of the top level was reached.
    bool elements(size_t end, Syntax syntax, int depth)
    {
        bool pixelData = false;
        while (position_ < end) {
            // Fewer bytes than an element needs may pad the end of a file.
            if (check_ && depth == 0 && remaining() < 8) break;
            const Element e = element(syntax);
            if (e.tag >> 16 == 0xFFFE) {
                // An item outside any sequence, or a delimitation with nothing to end: what
                // follows would go unchecked.
                if (e.tag == itemTag || depth == 0) throw Malformed{};
                return pixelData; // the end of the item (or of a sequence)
            }
            if (depth == 0 && e.tag == pixelDataTag) {
                if (!check_) return true;
                pixelData = true;
            }
            if (e.length == undefinedLength) {
                // Only a sequence (or an unknown value holding one, or encapsulated pixel
                // data) may have an undefined length.
                if (!e.vr.empty() && e.vr != "SQ" && e.vr != "UN" && e.tag != pixelDataTag) throw Malformed{};
                inPixelData_ = depth == 0 && e.tag == pixelDataTag;
                sequence(e.vr == "UN" ? Syntax{false, false} : syntax, depth + 1);
                inPixelData_ = false;
                continue;
            }
            const size_t valueStart = position_;
            const std::string_view value = take(e.length);
            if (check_) {
                if (position_ > end) throw Malformed{};
                if (holdsItems(e, syntax, value)) {
                    position_ = valueStart;
                    items(valueStart + e.length, syntax, depth + 1);
                }
            }
            if (depth > 0) continue;
            switch (e.tag) {
            case tag(0x0020, 0x000E): header_.seriesUid = std::string(trimmed(value)); break;
            case tag(0x0020, 0x0032): header_.position = decimals<3>(value); break;
            case tag(0x0020, 0x0037): header_.orientation = decimals<6>(value); break;
            case tag(0x0028, 0x0002): unsignedShort(value, syntax, header_.pixels.samplesPerPixel); break;
            case tag(0x0028, 0x0004): header_.pixels.photometric = std::string(trimmed(value)); break;
            case tag(0x0028, 0x0008): integer(value, header_.pixels.frames); break;
            case tag(0x0028, 0x0100): unsignedShort(value, syntax, header_.pixels.bitsAllocated); break;
            }
        }
        return pixelData;
    }

    // A value of defined length that is a sequence: so written, or in implicit VR one
    // that begins with an item tag.
    static bool holdsItems(const Element& e, Syntax syntax, std::string_view value)
    {
        if (e.vr == "SQ") return true;
        if (!e.vr.empty() || value.size() < 4) return false;
        const auto byte = [&](size_t i) { return static_cast<uint8_t>(value[i]); };
        return syntax.bigEndian ? byte(0) == 0xFF && byte(1) == 0xFE && byte(2) == 0xE0 && byte(3) == 0x00
                                : byte(0) == 0xFE && byte(1) == 0xFF && byte(2) == 0x00 && byte(3) == 0xE0;
    }

    // The items of a sequence of defined length, each inside it.
    void items(size_t end, Syntax syntax, int depth)
    {
        if (depth > deepestNesting) throw Malformed{};
        while (position_ < end) {
            const Element item = element(syntax);
            if (item.tag != itemTag) throw Malformed{};
            if (item.length == undefinedLength) {
                elements(end, syntax, depth);
            } else {
                need(item.length);
                const size_t itemEnd = position_ + item.length;
                if (itemEnd > end) throw Malformed{};
                elements(itemEnd, syntax, depth);
                position_ = itemEnd;
            }
            if (position_ > end) throw Malformed{};
        }
    }

    // The items of a sequence of undefined length, through its delimitation.
    void sequence(Syntax syntax, int depth)
    {
        if (depth > deepestNesting) throw Malformed{};
        for (;;) {
            const Element item = element(syntax);
            if (item.tag == sequenceDelimitationTag) return;
            if (item.tag != itemTag) throw Malformed{};
            if (item.length == undefinedLength) {
                elements(size_, syntax, depth);
            } else if (check_ && !isFragment(depth)) {
                need(item.length);
                const size_t itemEnd = position_ + item.length;
                elements(itemEnd, syntax, depth);
                position_ = itemEnd;
            } else {
                take(item.length);
            }
        }
    }

    // Fragments of encapsulated pixel data are items of the top level's sequence.
    bool isFragment(int depth) const { return depth == 1 && inPixelData_; }

    const uint8_t* bytes_;
    size_t size_;
    size_t position_ = 0;
    size_t dataSetStart_ = 0;
    SliceHeader& header_;
    const bool check_;
    bool inPixelData_ = false;
};

} // namespace

ScanResult scanSliceHeader(const uint8_t* bytes, size_t size, SliceHeader& header)
{
    header = SliceHeader();
    return Scanner(bytes, size, header).run();
}

bool elementsInside(const uint8_t* bytes, size_t size)
{
    SliceHeader header;
    return Scanner(bytes, size, header, Scanner::Mode::Check).run() == ScanResult::Read;
}

size_t dataSetStart(const uint8_t* bytes, size_t size)
{
    SliceHeader header;
    Scanner scanner(bytes, size, header);
    scanner.runMetaGroup();
    return scanner.dataSetStart();
}

bool inflatedElementsInside(const uint8_t* dataSet, size_t size)
{
    SliceHeader header;
    return Scanner(dataSet, size, header, Scanner::Mode::Check).checkDataSet({true, false});
}

std::string transferSyntaxOf(const uint8_t* bytes, size_t size)
{
    SliceHeader header;
    Scanner(bytes, size, header).runMetaGroup();
    return header.transferSyntax;
}
