#include "SliceHeader.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace {

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
void unsignedShort(std::string_view value, Encoding encoding, unsigned& number)
{
    if (value.size() != 2) return;
    const auto byte = [&](size_t i) { return static_cast<unsigned>(static_cast<uint8_t>(value[i])); };
    number = encoding.bigEndian ? byte(0) << 8 | byte(1) : byte(1) << 8 | byte(0);
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

ScanResult resultOf(DataSetEnd end)
{
    switch (end) {
    case DataSetEnd::OutOfBytes: return ScanResult::NeedsMore;
    case DataSetEnd::Deflated: return ScanResult::Deflated;
    case DataSetEnd::NotDicom: return ScanResult::NotDicom;
    default: return ScanResult::Read; // what was found before any damage stands
    }
}

} // namespace

ScanResult scanSliceHeader(const uint8_t* bytes, size_t size, SliceHeader& header)
{
    header = SliceHeader();
    const DataSet set = readDataSet(bytes, size, ReadExtent::ToPixelData);
    header.transferSyntax = set.transferSyntax;
    header.image = set.end == DataSetEnd::PixelData;
    if (set.end == DataSetEnd::Damaged || set.end == DataSetEnd::OutOfBytes) header.damageAt = set.endPosition;
    for (const DataElement& e : set.elements) {
        if (e.depth > 0 || e.meta || e.kind != DataElement::Kind::Value) continue;
        const std::string_view value = set.value(bytes, size, e);
        switch (e.tag) {
        case dicomTag(0x0020, 0x000E): header.seriesUid = std::string(trimmed(value)); break;
        case dicomTag(0x0020, 0x0032): header.position = decimals<3>(value); break;
        case dicomTag(0x0020, 0x0037): header.orientation = decimals<6>(value); break;
        case dicomTag(0x0028, 0x0002): unsignedShort(value, e.encoding, header.pixels.samplesPerPixel); break;
        case dicomTag(0x0028, 0x0004): header.pixels.photometric = std::string(trimmed(value)); break;
        case dicomTag(0x0028, 0x0008): integer(value, header.pixels.frames); break;
        case dicomTag(0x0028, 0x0100): unsignedShort(value, e.encoding, header.pixels.bitsAllocated); break;
        }
    }
    return resultOf(set.end);
}

bool elementsInside(const uint8_t* bytes, size_t size)
{
    return readDataSet(bytes, size, ReadExtent::Whole).end == DataSetEnd::Complete;
}

size_t dataSetStart(const uint8_t* bytes, size_t size) { return readMetaGroup(bytes, size).dataSetStart; }

bool inflatedElementsInside(const uint8_t* dataSet, size_t size)
{
    return readBareDataSet(dataSet, size, {true, false}, ReadExtent::Whole).end == DataSetEnd::Complete;
}

std::string transferSyntaxOf(const uint8_t* bytes, size_t size) { return readMetaGroup(bytes, size).transferSyntax; }
