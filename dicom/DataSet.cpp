#include "DataSet.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

constexpr int deepestNesting = 32; // deeper sequences are taken for damage
constexpr uint32_t itemTag = dicomTag(0xFFFE, 0xE000);
constexpr uint32_t itemDelimitationTag = dicomTag(0xFFFE, 0xE00D);
constexpr uint32_t sequenceDelimitationTag = dicomTag(0xFFFE, 0xE0DD);
constexpr Encoding implicitLittleEndian{false, false};
constexpr Encoding explicitLittleEndian{true, false};

// The bytes end before the element, the item or the sequence does.
struct OutOfBytes {};
// The bytes cannot be a data set at that place.
struct Damaged {
    size_t at;
};

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

// How an item's elements ended.
enum class ItemEnd { Bytes, ItemDelimitation, SequenceDelimitation, PixelData };

class Walk {
public:
    Walk(const uint8_t* bytes, size_t size, ReadExtent extent, DataSet& out)
        : bytes_(bytes), size_(size), whole_(extent == ReadExtent::Whole), out_(out)
    {
    }

    void file()
    {
        run([this] {
            const bool preamble = hasPreamble();
            position_ = preamble ? 132 : 0;
            const bool meta = metaGroup();
            out_.dataSetStart = position_;
            if (!preamble && !meta && peekGroup() != 0x0008) {
                out_.end = DataSetEnd::NotDicom;
                return;
            }
            if (out_.transferSyntax == TransferSyntax::deflatedLittleEndian) {
                out_.end = DataSetEnd::Deflated;
                return;
            }
            out_.encoding = dataSetEncoding();
            topLevel();
        });
    }

    void bare(Encoding encoding)
    {
        run([&] {
            out_.encoding = encoding;
            topLevel();
        });
    }

    void metaOnly()
    {
        run([this] {
            position_ = hasPreamble() ? 132 : 0;
            metaGroup();
            out_.dataSetStart = position_;
        });
    }

private:
    struct Head {
        uint32_t tag = 0;
        std::string_view vr; // empty in implicit VR and for item and delimitation tags
        uint32_t length = 0;
        size_t offset = 0;
    };

    template <typename Reading>
    void run(Reading reading)
    {
        out_.pixelData = static_cast<size_t>(-1);
        try {
            reading();
            if (out_.end == DataSetEnd::Complete) out_.endPosition = position_;
        } catch (const OutOfBytes&) {
            out_.end = DataSetEnd::OutOfBytes;
            // The bytes ended where an item or a delimitation was due: the sequence left open.
            out_.endPosition = headAt_ >= size_ && !openSequences_.empty() ? openSequences_.back() : headAt_;
        } catch (const Damaged& damage) {
            out_.end = DataSetEnd::Damaged;
            out_.endPosition = damage.at;
        }
        if (out_.pixelData == static_cast<size_t>(-1)) out_.pixelData = out_.elements.size();
    }

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
    void skip(uint32_t length)
    {
        need(length);
        position_ += length;
    }

    // The meta group (explicit VR little endian); false when the bytes do not start with one.
    bool metaGroup()
    {
        bool found = false;
        while (peekGroup() == 0x0002) {
            found = true;
            const Head h = head(explicitLittleEndian);
            if (h.length == undefinedLength || (whole_ && !isKnownVr(h.vr))) throw Damaged{h.offset};
            add(DataElement::Kind::Value, h, explicitLittleEndian, 0).meta = true;
            const size_t valueAt = position_;
            skip(h.length);
            if (h.tag == dicomTag(0x0002, 0x0010))
                out_.transferSyntax =
                    std::string(trimmed(std::string_view(reinterpret_cast<const char*>(bytes_ + valueAt), h.length)));
        }
        return found;
    }

    Encoding dataSetEncoding() const
    {
        const std::string& ts = out_.transferSyntax;
        if (ts == TransferSyntax::implicitLittleEndian) return implicitLittleEndian;
        if (ts == TransferSyntax::explicitBigEndian) return {true, true};
        if (!ts.empty()) return explicitLittleEndian;
        // No transfer syntax named: the first element shows whether VRs are written.
        const bool vr = remaining() >= 6 && isCapital(bytes_[position_ + 4]) && isCapital(bytes_[position_ + 5]);
        return {vr, false};
    }

    // An element's tag, VR and length. Reading to the Pixel Data, an element of an
    // explicit-VR data set that shows no VR is read as implicit, as some writers leave
    // them; checking a whole file, an unknown VR is damage.
    Head head(Encoding encoding)
    {
        Head h;
        h.offset = headAt_ = position_;
        const uint16_t group = word(encoding.bigEndian);
        h.tag = dicomTag(group, word(encoding.bigEndian));
        const bool vrAhead = remaining() >= 2 && isCapital(bytes_[position_]) && isCapital(bytes_[position_ + 1]);
        if (group == 0xFFFE || !encoding.explicitVr || (!whole_ && !vrAhead)) {
            h.length = longWord(encoding.bigEndian);
            return h;
        }
        need(2);
        h.vr = std::string_view(reinterpret_cast<const char*>(bytes_ + position_), 2);
        position_ += 2;
        if (whole_ && !isKnownVr(h.vr)) throw Damaged{h.offset};
        if (hasLongLength(h.vr)) {
            skip(2);
            h.length = longWord(encoding.bigEndian);
        } else {
            h.length = word(encoding.bigEndian);
        }
        return h;
    }

    DataElement& add(DataElement::Kind kind, const Head& h, Encoding encoding, int depth)
    {
        DataElement& e = out_.elements.emplace_back();
        e.kind = kind;
        e.tag = h.tag;
        e.vr = h.vr;
        e.length = h.length;
        e.offset = h.offset;
        e.valueOffset = position_;
        e.depth = depth;
        e.encoding = encoding;
        return e;
    }

    void topLevel()
    {
        const ItemEnd end = elements(size_, out_.encoding, 0);
        if (end == ItemEnd::PixelData) out_.end = DataSetEnd::PixelData;
    }

    // Elements up to `end`, or up to the delimitation that ends the item they are in.
    ItemEnd elements(size_t end, Encoding encoding, int depth)
    {
        while (position_ < end) {
            // Fewer bytes than an element needs may pad the end of a file.
            if (whole_ && depth == 0 && remaining() < 8) {
                position_ = size_;
                break;
            }
            const Head h = head(encoding);
            if (h.tag >> 16 == 0xFFFE) {
                // An item outside any sequence, or a delimitation with nothing to end: what
                // follows could not be placed.
                if (h.tag == itemTag || depth == 0) throw Damaged{h.offset};
                return h.tag == sequenceDelimitationTag ? ItemEnd::SequenceDelimitation : ItemEnd::ItemDelimitation;
            }
            if (h.tag == pixelDataTag && depth == 0 && !whole_) {
                out_.pixelData = out_.elements.size();
                add(DataElement::Kind::Value, h, encoding, depth);
                return ItemEnd::PixelData;
            }
            if (h.length == undefinedLength) {
                undefinedLengthElement(h, encoding, depth);
                continue;
            }
            if (position_ + h.length > end && end < size_) throw Damaged{h.offset}; // past the item holding it
            need(h.length);
            if (holdsItems(h, encoding)) {
                const size_t valueEnd = position_ + h.length;
                sequence(h, encoding, depth, [&] { definedLengthItems(valueEnd, encoding, depth + 1); });
                position_ = valueEnd;
                continue;
            }
            if (h.tag == pixelDataTag && depth == 0) out_.pixelData = out_.elements.size();
            add(DataElement::Kind::Value, h, encoding, depth);
            position_ += h.length;
        }
        return ItemEnd::Bytes;
    }

    // A sequence (or an unknown value holding one, in implicit VR little endian), or
    // encapsulated pixel data, closed by a delimitation.
    void undefinedLengthElement(const Head& h, Encoding encoding, int depth)
    {
        if (h.tag == pixelDataTag) {
            if (depth == 0) out_.pixelData = out_.elements.size();
            add(DataElement::Kind::Value, h, encoding, depth);
            fragments(encoding);
            return;
        }
        if (!h.vr.empty() && h.vr != "SQ" && h.vr != "UN") throw Damaged{h.offset};
        const Encoding items = h.vr == "UN" ? implicitLittleEndian : encoding;
        sequence(h, items, depth, [&] { undefinedLengthItems(items, depth + 1); });
    }

    template <typename Items>
    void sequence(const Head& h, Encoding encoding, int depth, Items items)
    {
        if (depth + 1 > deepestNesting) throw Damaged{h.offset};
        add(DataElement::Kind::SequenceStart, h, encoding, depth);
        openSequences_.push_back(h.offset);
        items();
        openSequences_.pop_back();
        Head end;
        end.offset = position_;
        add(DataElement::Kind::SequenceEnd, end, encoding, depth);
    }

    // A value of defined length that is a sequence: so written, or in implicit VR one
    // that begins with an item tag.
    bool holdsItems(const Head& h, Encoding encoding) const
    {
        if (h.vr == "SQ") return true;
        if (!h.vr.empty() || h.length < 4) return false;
        const uint8_t* v = bytes_ + position_;
        return encoding.bigEndian ? v[0] == 0xFF && v[1] == 0xFE && v[2] == 0xE0 && v[3] == 0x00
                                  : v[0] == 0xFE && v[1] == 0xFF && v[2] == 0x00 && v[3] == 0xE0;
    }

    // The items of a sequence of defined length, each inside it.
    void definedLengthItems(size_t end, Encoding encoding, int depth)
    {
        while (position_ < end) {
            const Head item = head(encoding);
            if (item.tag != itemTag) throw Damaged{item.offset};
            if (item.length == undefinedLength) {
                if (elements(end, encoding, depth) != ItemEnd::ItemDelimitation) throw Damaged{item.offset};
            } else {
                if (position_ + item.length > end) throw Damaged{item.offset};
                const size_t itemEnd = position_ + item.length;
                elements(itemEnd, encoding, depth);
                position_ = itemEnd;
            }
        }
    }

    // The items of a sequence of undefined length, through its delimitation.
    void undefinedLengthItems(Encoding encoding, int depth)
    {
        for (;;) {
            const Head item = head(encoding);
            if (item.tag == sequenceDelimitationTag) return;
            if (item.tag != itemTag) throw Damaged{item.offset};
            ItemEnd end = ItemEnd::Bytes;
            if (item.length == undefinedLength) {
                end = elements(size_, encoding, depth);
                if (end == ItemEnd::Bytes) { // the item is never closed
                    headAt_ = size_;
                    throw OutOfBytes{};
                }
            } else {
                need(item.length);
                const size_t itemEnd = position_ + item.length;
                end = elements(itemEnd, encoding, depth);
                position_ = itemEnd;
            }
            // A writer that leaves out the last item's delimitation ends the sequence there.
            if (end == ItemEnd::SequenceDelimitation) return;
        }
    }

    // The fragments of encapsulated pixel data: items of defined length, then the delimitation.
    void fragments(Encoding encoding)
    {
        for (;;) {
            const Head item = head(encoding);
            if (item.tag == sequenceDelimitationTag) return;
            if (item.tag != itemTag || item.length == undefinedLength) throw Damaged{item.offset};
            skip(item.length);
        }
    }

    const uint8_t* bytes_;
    size_t size_;
    size_t position_ = 0;
    size_t headAt_ = 0; // where the element being read begins
    std::vector<size_t> openSequences_;
    const bool whole_;
    DataSet& out_;
};

} // namespace

std::string_view DataSet::value(const uint8_t* bytes, size_t size, const DataElement& e) const
{
    if (e.kind != DataElement::Kind::Value || e.length == undefinedLength || e.valueOffset >= size) return {};
    return {reinterpret_cast<const char*>(bytes + e.valueOffset), std::min<size_t>(e.length, size - e.valueOffset)};
}

DataSet readDataSet(const uint8_t* bytes, size_t size, ReadExtent extent)
{
    DataSet set;
    Walk(bytes, size, extent, set).file();
    return set;
}

DataSet readBareDataSet(const uint8_t* bytes, size_t size, Encoding encoding, ReadExtent extent)
{
    DataSet set;
    Walk(bytes, size, extent, set).bare(encoding);
    return set;
}

DataSet readMetaGroup(const uint8_t* bytes, size_t size)
{
    DataSet set;
    Walk(bytes, size, ReadExtent::ToPixelData, set).metaOnly();
    return set;
}
