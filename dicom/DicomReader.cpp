#include "DicomReader.h"

#include "Arithmetic.h"
#include "Convert.h"
#include "DicomDictionary.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace {

using Pattern = std::array<uint8_t, 4>;
constexpr Pattern pixelDataTag{0xE0, 0x7F, 0x10, 0x00};         // (7FE0,0010)
constexpr Pattern metaStartTag{0x02, 0x00, 0x02, 0x00};         // (0002,0002)
constexpr Pattern itemTag{0xFE, 0xFF, 0x00, 0xE0};              // (FFFE,E000)
constexpr Pattern itemDelimitation{0xFE, 0xFF, 0x0D, 0xE0};     // (FFFE,E00D)
constexpr Pattern sequenceDelimitation{0xFE, 0xFF, 0xDD, 0xE0}; // (FFFE,E0DD)

constexpr int gridStartRows = 1024;

std::optional<size_t> find(const ByteBuffer& file, const Pattern& pattern, size_t from, size_t end)
{
    end = std::min(end, file.size());
    if (from >= end) return std::nullopt;
    const auto at = std::search(file.begin() + static_cast<std::ptrdiff_t>(from),
                                file.begin() + static_cast<std::ptrdiff_t>(end), pattern.begin(), pattern.end());
    if (at == file.begin() + static_cast<std::ptrdiff_t>(end)) return std::nullopt;
    return static_cast<size_t>(at - file.begin());
}

// The Pixel Data tag, looked for only at positions below half the file.
std::optional<size_t> findPixelData(const ByteBuffer& file)
{
    return find(file, pixelDataTag, 0, file.size() / 2 + pixelDataTag.size() - 1);
}

// The first element listed: the tag (0002,0002) after the "UL" of the meta group length.
std::optional<size_t> findStart(const ByteBuffer& file)
{
    const auto ul = std::search(file.begin(), file.end(), std::begin("UL"), std::end("UL") - 1);
    if (ul == file.end()) return std::nullopt;
    return find(file, metaStartTag, static_cast<size_t>(ul - file.begin()) + 1, file.size());
}

bool isCapital(uint8_t c) { return c >= 'A' && c <= 'Z'; }

// Raised inside the walk when the header needs bytes beyond the end of the file.
struct EndOfFile {};

class Cursor {
public:
    Cursor(const ByteBuffer& file, size_t position) : file_(file), position_(position) {}

    size_t position() const { return position_; }
    bool ahead(const Pattern& pattern) const
    {
        return remaining() >= pattern.size() && std::equal(pattern.begin(), pattern.end(), at());
    }
    bool vrAhead() const { return remaining() >= 2 && isCapital(at()[0]) && isCapital(at()[1]); }

    void skipZeros()
    {
        while (remaining() > 0 && *at() == 0) ++position_;
    }
    // Skipping reads nothing, so it may stop at the end of the file.
    void skip(size_t count) { position_ += std::min(count, remaining()); }

    uint16_t word()
    {
        need(2);
        const uint16_t value = static_cast<uint16_t>(at()[0] | at()[1] << 8);
        position_ += 2;
        return value;
    }
    uint32_t longWord()
    {
        const uint32_t low = word();
        return low | static_cast<uint32_t>(word()) << 16;
    }
    std::string text(size_t count)
    {
        need(count);
        std::string value(reinterpret_cast<const char*>(at()), count);
        position_ += count;
        return value;
    }

private:
    size_t remaining() const { return file_.size() - position_; }
    const uint8_t* at() const { return file_.data() + position_; }
    void need(size_t count) const
    {
        if (remaining() < count) throw EndOfFile{};
    }

    const ByteBuffer& file_;
    size_t position_;
};

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string trimmed(const std::string& text)
{
    const auto first = std::find_if_not(text.begin(), text.end(), isBlankOrControl);
    const auto last = std::find_if_not(text.rbegin(), std::make_reverse_iterator(first), isBlankOrControl).base();
    return {first, last};
}

std::string trimmedRight(const std::string& text)
{
    return {text.begin(), std::find_if_not(text.rbegin(), text.rend(), isBlankOrControl).base()};
}

// The text up to the first "\", empty when there is none.
std::string firstComponent(const std::string& value)
{
    const size_t slash = value.find('\\');
    return slash == std::string::npos ? std::string() : value.substr(0, slash);
}

// The text between the first and the second "\" (to the end when there is no second).
std::string secondComponent(const std::string& value)
{
    const size_t slash = value.find('\\');
    if (slash == std::string::npos) return {};
    return value.substr(slash + 1, value.find('\\', slash + 1) - slash - 1);
}

std::string hex4(uint32_t value)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    return {digits[value >> 12 & 0xF], digits[value >> 8 & 0xF], digits[value >> 4 & 0xF], digits[value & 0xF]};
}

// The row number right-aligned in 3 places, as "%3d" writes it.
std::string rowNumber(int row)
{
    std::string text = std::to_string(row);
    if (text.size() < 3) text.insert(0, 3 - text.size(), ' ');
    return text;
}

constexpr uint32_t tag(uint16_t group, uint16_t element) { return static_cast<uint32_t>(group) << 16 | element; }

// The label of an element's summary line, or nothing.
std::optional<std::string> summaryLabel(uint16_t group, uint16_t element)
{
    switch (element) {
    case 0x103E: return "Se : ";
    case 0x1152: return "mAs : ";
    case 0x1210: return "RF : ";
    case 0x0060:
        if (group != 0x0008) return "kV : ";
        break;
    }
    switch (tag(group, element)) {
    case tag(0x0018, 0x0050): return "mmST : ";
    case tag(0x0018, 0x0080): return "msTR : ";
    case tag(0x0018, 0x0081): return "msTE : ";
    case tag(0x0018, 0x0083): return "Ac : ";
    case tag(0x0018, 0x0089): return "PE# : ";
    case tag(0x0018, 0x0091): return "ETL : ";
    case tag(0x0018, 0x0095): return "Hz/pxl : ";
    case tag(0x0018, 0x1100): return "mmFOV : ";
    case tag(0x0018, 0x1250): return "Coil : ";
    case tag(0x0018, 0x1310): return "AcMtrx : ";
    case tag(0x0018, 0x1312): return "PE : ";
    case tag(0x0018, 0x7022): return "mmPSize : ";
    case tag(0x0028, 0x0010): return "DspMtrx : ";
    case tag(0x0028, 0x0030): return "mmPSize : ";
    }
    return std::nullopt;
}

// One pass over the elements from the start tag to the Pixel Data element.
class HeaderWalk {
public:
    HeaderWalk(const ByteBuffer& file, DicomSink& sink, size_t start, size_t pixelData)
        : sink_(sink), cursor_(file, start), end_(pixelData + 5)
    {
    }

    std::string run()
    {
        sink_.startGrid(capacity_);
        try {
            try {
                while (cursor_.position() < end_) readElement();
            } catch (const EndOfFile&) {
                // A truncated header shows what was read up to its end.
            }
            sink_.setRowCount(row_);
        } catch (...) {
            // A failed reading still shows the summary of what it read.
            showSummary();
            throw;
        }
        showSummary();
        return orientation_;
    }

private:
    enum class Sequence { None, Inside, Ended };

    void readElement()
    {
        clearRow();
        cursor_.skipZeros();
        const uint16_t group = cursor_.word();
        const uint16_t element = cursor_.word();
        cell(1, hex4(group));

        std::string vr;
        uint32_t length = 0;      // bytes of the value read
        uint32_t shownLength = 0; // the length the grid shows
        if (cursor_.vrAhead()) {
            vr = cursor_.text(2);
            if (vr == "SQ") {
                // The length and the first item's header are passed over; the items'
                // elements are read as ordinary elements.
                cursor_.skip(2 + 4 + 8);
                sequence_ = Sequence::Inside;
                cell(2, hex4(element));
                cell(3, vr);
                nextRow();
                return;
            }
            if (vr == "OB" || vr == "OW") {
                // Only the low half of the 4-byte length is taken; the value then
                // begins with the high half, hence 2 bytes more.
                cursor_.skip(2);
                shownLength = cursor_.word();
                length = shownLength + 2;
            } else if (vr == "UN") {
                cursor_.skip(2);
                shownLength = length = cursor_.longWord() & 0xFFFF;
            } else {
                shownLength = length = cursor_.word();
            }
        } else {
            shownLength = length = cursor_.longWord() & 0xFFFF;
        }
        cell(3, vr);
        if (length == 0) return;

        std::string value = cursor_.text(length);
        if (sequence_ == Sequence::Inside) passItemEnd();
        if (isNumber(group, element, vr, length)) value = std::to_string(signedWord(value));
        const std::string trimmedValue = trimmed(value);
        applyEffects(group, element, value, trimmedValue);

        cell(0, rowNumber(row_));
        cell(1, hex4(group));
        cell(2, hex4(element));
        cell(3, vr);
        cell(4, hex4(shownLength));
        cell(5, std::string(dicomName(group, element)));
        cell(6, trimmedValue);
        nextRow();
        if (sequence_ == Sequence::Ended) {
            cell(3, "SQ");
            nextRow();
            sequence_ = Sequence::None;
        }
        addSummary(group, element, value);
    }

    // After an element inside a sequence: an item delimitation ends the item; what
    // follows it (the sequence delimitation, the next item's tag or anything else)
    // is passed over with it.
    void passItemEnd()
    {
        if (!cursor_.ahead(itemDelimitation)) return;
        cursor_.skip(8);
        if (cursor_.ahead(sequenceDelimitation)) {
            cursor_.skip(8);
            sequence_ = Sequence::Ended;
        } else if (cursor_.ahead(itemTag)) {
            cursor_.skip(8);
        } else {
            cursor_.skip(4);
        }
    }

    // "US" values, and 2-byte values of implicit VR above group 0020, are shown as
    // numbers; RescaleSlope stays text.
    static bool isNumber(uint16_t group, uint16_t element, const std::string& vr, uint32_t length)
    {
        if (tag(group, element) == tag(0x0028, 0x1053)) return false;
        return vr == "US" || (vr.empty() && length == 2 && group > 0x0020);
    }

    static int16_t signedWord(const std::string& value)
    {
        const auto byte = [&](size_t i) { return i < value.size() ? static_cast<uint8_t>(value[i]) : uint8_t{0}; };
        return static_cast<int16_t>(static_cast<uint16_t>(byte(0) | byte(1) << 8));
    }

    void applyEffects(uint16_t group, uint16_t element, const std::string& value, const std::string& trimmedValue)
    {
        switch (tag(group, element)) {
        case tag(0x0002, 0x0010): {
            const std::string uid = trimmedRight(value);
            if (uid == "1.2.840.10008.1.2" || uid == "1.2.840.10008.1.2.1") sink_.setSwap(false);
            if (uid == "1.2.840.10008.1.2.2") sink_.setSwap(true);
            break;
        }
        case tag(0x0010, 0x0000): orientation_ = value.substr(0, 1); break;
        case tag(0x0018, 0x0050): sink_.setEdit(DicomEdit::SThick, value); break;
        case tag(0x0018, 0x1100): sink_.setEdit(DicomEdit::FOVSize, trimmedValue); break;
        case tag(0x0018, 0x7022): sink_.setEdit(DicomEdit::PxlSpc, firstComponent(trimmedValue)); break;
        case tag(0x0018, 0x7026):
            if (toFloat(firstComponent(trimmedValue)) < toFloat(secondComponent(trimmedValue))) orientation_ = "LAND";
            break;
        case tag(0x0020, 0x0032):
            sink_.setEdit(DicomEdit::PtPos, trimmedValue.substr(trimmedValue.rfind('\\') + 1));
            break;
        case tag(0x0028, 0x0010): sink_.setEdit(DicomEdit::ImgSizeY, value); break; // Rows
        case tag(0x0028, 0x0011): sink_.setEdit(DicomEdit::ImgSizeX, value); break; // Columns
        case tag(0x0028, 0x0030): sink_.setEdit(DicomEdit::PxlSpc, firstComponent(trimmedValue)); break;
        case tag(0x0028, 0x1050):
            if (sink_.windowLocked()) break;
            if (const size_t slash = trimmedValue.find('\\'); slash == std::string::npos) {
                sink_.setEdit(DicomEdit::WindowLevel, trimmedValue);
            } else {
                sink_.setEdit(DicomEdit::WindowLevel, trimmedValue.substr(0, slash));
                sink_.setEdit(DicomEdit::WindowWidth, trimmedValue.substr(slash + 1));
            }
            break;
        case tag(0x0028, 0x1051):
            if (!sink_.windowLocked())
                sink_.setEdit(DicomEdit::WindowWidth, trimmedValue.substr(0, trimmedValue.find('\\')));
            break;
        case tag(0x0028, 0x1052):
            sink_.setEdit(DicomEdit::Offst, std::to_string(Checked::trunc(toFloat(trimmedValue))));
            break;
        case tag(0x2010, 0x0040): orientation_ = value.substr(0, 4); break;
        }
    }

    // Model names go in front of the lines gathered so far, the labelled lines after them.
    void addSummary(uint16_t group, uint16_t element, const std::string& value)
    {
        if (tag(group, element) == tag(0x0008, 0x1090)) modelNames_.push_back(value + "\r\n");
        else if (const auto label = summaryLabel(group, element)) summaryLines_ += *label + value + "\r\n";
        summaryReached_ = true;
    }

    // The summary as it stands, shown once the reading ends (by failure or not) rather
    // than rebuilt for every line, which a header of many short elements would make slow.
    // Shown by the reading itself rather than by a destructor: the sink writes controls,
    // and a write that fails while an exception unwinds would end the program.
    void showSummary()
    {
        if (!summaryReached_) return;
        std::string text;
        for (auto name = modelNames_.rbegin(); name != modelNames_.rend(); ++name) text += *name;
        sink_.showSummary(text + summaryLines_);
    }

    void cell(int column, const std::string& text)
    {
        if (text.empty() && (written_ & 1u << column) == 0) return; // already empty
        if (row_ >= capacity_) {
            capacity_ *= 2;
            sink_.setRowCount(capacity_);
        }
        sink_.setCell(column, row_, text);
        written_ |= 1u << column;
    }

    // Empties columns 1 to 6 of the current row. The grid starts empty, so only the
    // cells written since the row became current need it.
    void clearRow()
    {
        for (int column = 1; column <= 6; ++column)
            if ((written_ & 1u << column) != 0) sink_.setCell(column, row_, {});
        written_ &= 1u;
    }

    void nextRow()
    {
        ++row_;
        written_ = 0;
    }

    DicomSink& sink_;
    Cursor cursor_;
    const size_t end_; // the walk ends once past the Pixel Data tag
    int row_ = 1;
    int capacity_ = gridStartRows;
    unsigned written_ = 0; // the columns written in the current row
    Sequence sequence_ = Sequence::None;
    std::vector<std::string> modelNames_; // in the order found
    std::string summaryLines_;
    bool summaryReached_ = false; // an element got as far as the summary
    std::string orientation_;
};

} // namespace

std::string readDicom(const ByteBuffer& file, DicomSink& sink)
{
    sink.setEdit(DicomEdit::Header, {});
    sink.setEdit(DicomEdit::ImgSizeX, {});
    sink.setEdit(DicomEdit::ImgSizeY, {});
    sink.setEdit(DicomEdit::FOVSize, {});
    sink.setEdit(DicomEdit::Offst, "0");

    const auto pixelData = findPixelData(file);
    if (!pixelData) return {};
    const auto start = findStart(file);
    if (!start) return {};
    // The pixels follow the Pixel Data element's header: 12 bytes in explicit VR, 8 in implicit.
    const bool explicitVr =
        *pixelData + 6 <= file.size() && isCapital(file[*pixelData + 4]) && isCapital(file[*pixelData + 5]);
    sink.setEdit(DicomEdit::Header, std::to_string(*pixelData + (explicitVr ? 12 : 8)));

    return HeaderWalk(file, sink, *start, *pixelData).run();
}
