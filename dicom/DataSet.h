#pragma once
// The structure of a DICOM file, read as the standard lays it out: the preamble (or
// none), the meta group, then the data set in implicit or explicit VR, little or big
// endian, with 16- and 32-bit lengths and sequences of defined or undefined length
// nested to any depth. The one walk of a file's elements: the tag grid and the edits,
// the series order, the header cache and the check before decoding all read from it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace TransferSyntax {
inline constexpr char implicitLittleEndian[] = "1.2.840.10008.1.2";
inline constexpr char explicitLittleEndian[] = "1.2.840.10008.1.2.1";
inline constexpr char deflatedLittleEndian[] = "1.2.840.10008.1.2.1.99";
inline constexpr char explicitBigEndian[] = "1.2.840.10008.1.2.2";
} // namespace TransferSyntax

inline constexpr uint32_t undefinedLength = 0xFFFFFFFF;

constexpr uint32_t dicomTag(uint16_t group, uint16_t element) { return static_cast<uint32_t>(group) << 16 | element; }
inline constexpr uint32_t pixelDataTag = dicomTag(0x7FE0, 0x0010);

// A value's text without the blanks and control characters that pad it.
inline std::string_view trimmedRight(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}
inline std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    return trimmedRight(text);
}

// How the values of a data set (or of the items of an unknown-VR sequence) are written.
struct Encoding {
    bool explicitVr = true;
    bool bigEndian = false;
};

struct DataElement {
    enum class Kind {
        Value,         // an element with its value
        SequenceStart, // a sequence: its items' elements follow, deeper by one
        SequenceEnd,   // the end of the sequence started last at this depth
    };
    Kind kind = Kind::Value;
    uint32_t tag = 0;
    std::string_view vr;    // as written; empty in implicit VR (and for a sequence's end)
    uint32_t length = 0;    // as stored: undefinedLength for a value closed by a delimitation
    size_t offset = 0;      // of the tag in the bytes
    size_t valueOffset = 0; // of the value in the bytes
    int depth = 0;          // 0 for the meta group and the data set's own elements, 1 inside their items, ...
    Encoding encoding;      // of the value
    bool meta = false;      // of the meta group

    uint16_t group() const { return static_cast<uint16_t>(tag >> 16); }
    uint16_t element() const { return static_cast<uint16_t>(tag & 0xFFFF); }
};

enum class DataSetEnd {
    Complete,   // every element read, to the end of the bytes
    PixelData,  // stopped at the data set's own Pixel Data, as asked
    OutOfBytes, // the bytes end inside an element, or before a sequence or an item is closed
    Damaged,    // the bytes cannot be a data set there (see endPosition)
    NotDicom,   // no preamble, no meta group and no data set at the start of the bytes
    Deflated,   // the data set is compressed: only the meta group was read
};

enum class ReadExtent {
    ToPixelData, // up to the data set's own Pixel Data element; its value need not be whole
    Whole,       // through every element, fragments of encapsulated pixels included, each inside what holds it
};

struct DataSet {
    std::string transferSyntax;        // from the meta group, trimmed; empty when it names none
    Encoding encoding;                 // of the data set
    size_t dataSetStart = 0;           // where the data set begins, after the meta group
    std::vector<DataElement> elements; // in file order
    // The data set's own Pixel Data element in `elements`, or elements.size() when none.
    size_t pixelData = 0;
    DataSetEnd end = DataSetEnd::Complete;
    size_t endPosition = 0; // where the reading ended: the damage, or the end of the bytes

    bool hasPixelData() const { return pixelData < elements.size(); }
    // The element's value as stored, cut at the end of the bytes.
    std::string_view value(const uint8_t* bytes, size_t size, const DataElement& e) const;
};

// Reads a file's first `size` bytes (all of it, or a leading part).
DataSet readDataSet(const uint8_t* bytes, size_t size, ReadExtent extent);

// Reads bytes that hold a data set alone, without preamble or meta group (an inflated one).
DataSet readBareDataSet(const uint8_t* bytes, size_t size, Encoding encoding, ReadExtent extent);

// The meta group alone: the transfer syntax and where the data set begins.
DataSet readMetaGroup(const uint8_t* bytes, size_t size);
