// The structure parser: where each element lies, how deep, and where damage is found.
#include "DataSet.h"
#include "DicomBytes.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

DataSet read(const std::vector<uint8_t>& bytes, ReadExtent extent = ReadExtent::ToPixelData)
{
    return readDataSet(bytes.data(), bytes.size(), extent);
}

} // namespace

TEST(DataSet, NestedSequencesGiveTheirElementsDepthAndTheImageItsOwnPixelData)
{
    DicomBytes b;
    b.sequence(0x0088, 0x0200) // an icon: its Pixel Data is not the image's
        .element(0x0028, 0x0010, "US", us(8))
        .sequence(0x0008, 0x1140)
        .element(0x0008, 0x1155, "UI", "1.2")
        .marker(0xFFFE, 0xE00D, 0)
        .marker(0xFFFE, 0xE0DD, 0)
        .element(0x7FE0, 0x0010, "OB", std::vector<uint8_t>(64, 7))
        .marker(0xFFFE, 0xE00D, 0)
        .marker(0xFFFE, 0xE0DD, 0);
    const auto file = b.withPixels();
    const DataSet set = read(file);
    ASSERT_EQ(set.end, DataSetEnd::PixelData);
    const DataElement& pixels = set.elements[set.pixelData];
    EXPECT_EQ(pixels.depth, 0);
    EXPECT_EQ(pixels.valueOffset, b.pixelStart);

    std::vector<std::pair<DataElement::Kind, int>> shape;
    for (const DataElement& e : set.elements)
        if (!e.meta) shape.emplace_back(e.kind, e.depth);
    using K = DataElement::Kind;
    EXPECT_EQ(shape, (std::vector<std::pair<K, int>>{{K::SequenceStart, 0},
                                                     {K::Value, 1},
                                                     {K::SequenceStart, 1},
                                                     {K::Value, 2},
                                                     {K::SequenceEnd, 1},
                                                     {K::Value, 1},
                                                     {K::SequenceEnd, 0},
                                                     {K::Value, 0}}));
}

TEST(DataSet, DamageIsFoundWhereItLies)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        DataSetEnd end;
        size_t at; // from the end of the meta group
    };
    const size_t meta = DicomBytes().withoutPixels().size();
    std::vector<Case> cases;
    cases.push_back(
        {"an item outside a sequence", DicomBytes().marker(0xFFFE, 0xE000, 0).withPixels(), DataSetEnd::Damaged, 0});
    cases.push_back({"a delimitation with nothing to end", DicomBytes().marker(0xFFFE, 0xE0DD, 0).withPixels(),
                     DataSetEnd::Damaged, 0});
    {
        DicomBytes b;
        b.element(0x0008, 0x0060, "CS", "CT");
        std::vector<uint8_t> bytes = b.withoutPixels();
        // A text value of undefined length.
        bytes.insert(bytes.end(), {0x08, 0x00, 0x70, 0x00, 'U', 'T', 0, 0, 0xFF, 0xFF, 0xFF, 0xFF});
        cases.push_back({"a value of undefined length", bytes, DataSetEnd::Damaged, 10});
    }
    cases.push_back(
        {"a sequence never closed", DicomBytes().sequence(0x0008, 0x1140).withoutPixels(), DataSetEnd::OutOfBytes, 0});
    {
        DicomBytes b;
        b.element(0x0008, 0x0060, "CS", "CT");
        std::vector<uint8_t> bytes = b.withoutPixels();
        bytes.insert(bytes.end(), {0x09, 0x00, 0x10, 0x10, 'O', 'B', 0, 0, 0x00, 0x01, 0, 0, 1, 2});
        cases.push_back({"a length past the end", bytes, DataSetEnd::OutOfBytes, 10});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const DataSet set = read(c.bytes);
        EXPECT_EQ(set.end, c.end);
        EXPECT_EQ(set.endPosition, meta + c.at);
        EXPECT_FALSE(set.hasPixelData());
    }
}

TEST(DataSet, SequencesDeeperThanAnyWriterNestsAreDamage)
{
    DicomBytes b;
    for (int depth = 0; depth < 40; ++depth) b.sequence(0x0008, 0x1140);
    EXPECT_EQ(read(b.withPixels()).end, DataSetEnd::Damaged);
}

TEST(DataSet, AWholeReadGoesThroughTheFragmentsOfEncapsulatedPixels)
{
    const std::vector<uint8_t> jpeg = readFile(pydicomFile("JPEG-lossy.dcm"));
    EXPECT_EQ(read(jpeg, ReadExtent::Whole).end, DataSetEnd::Complete);
    const std::vector<uint8_t> cut(jpeg.begin(), jpeg.end() - 100);
    EXPECT_EQ(read(cut, ReadExtent::Whole).end, DataSetEnd::OutOfBytes);
    EXPECT_EQ(read(cut).end, DataSetEnd::PixelData); // the header itself is whole
}
