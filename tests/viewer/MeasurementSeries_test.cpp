#include "MeasurementSeries.h"

#include "AppError.h"
#include "DicomBytes.h"
#include "DicomSlices.h"
#include "SeriesOrder.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> sliceOf(const std::string& seriesUid)
{
    DicomBytes b;
    b.element(0x0020, 0x000E, "UI", seriesUid);
    return b.withPixels();
}

std::string path(const TempFolder& folder, const std::string& name) { return (folder.path() / name).string(); }

} // namespace

TEST(MeasurementSeries, ReadsTheSeriesInstanceUid)
{
    EXPECT_EQ(seriesInstanceUid(sliceOf("1.2.3.4")), "1.2.3.4");
    EXPECT_EQ(seriesInstanceUid(DicomBytes().withPixels()), "");
    EXPECT_EQ(seriesInstanceUid(std::vector<uint8_t>(64, 0)), "");
}

TEST(MeasurementSeries, AFolderOfOneSeriesGivesItsFilesInListOrder)
{
    // Beside the series, what exports hold too and what is no image: a DICOMDIR and a text.
    TempFolder folder;
    folder.write("IM10", sliceOf("1.2"));
    folder.write("IM2", sliceOf("1.2"));
    folder.write("DICOMDIR", readFile(pydicomFile("dicomdirtests/DICOMDIR")));
    folder.write("README.txt", std::vector<uint8_t>{'s', 'e', 'r', 'i', 'e', 's'});
    const MeasurementSeries s = measurementSeries(folder.path().string());
    EXPECT_EQ(s.files, (std::vector<std::string>{path(folder, "IM2"), path(folder, "IM10")}));
    EXPECT_EQ(s.seriesUid, "1.2");
}

TEST(MeasurementSeries, AFolderOfSeveralSeriesIsRefusedNamingThem)
{
    TempFolder folder;
    folder.write("a", sliceOf("1.2.7"));
    folder.write("b", sliceOf("1.2.8"));
    try {
        measurementSeries(folder.path().string());
        FAIL();
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), Msg::severalSeries(folder.path().string() + "/", "1.2.7, 1.2.8"));
    }
}

TEST(MeasurementSeries, ASliceGivesTheFilesOfItsOwnSeries)
{
    TempFolder folder;
    folder.write("a1", sliceOf("1.2.7"));
    folder.write("b1", sliceOf("1.2.8"));
    folder.write("a2", sliceOf("1.2.7"));
    const MeasurementSeries s = measurementSeries(path(folder, "a2"));
    EXPECT_EQ(s.files, (std::vector<std::string>{path(folder, "a1"), path(folder, "a2")}));
    EXPECT_EQ(s.seriesUid, "1.2.7");
}

TEST(MeasurementSeries, SlicesComeInTheOrderCalMeasuresThem)
{
    // Names against positions, as an export names slices by UID: position order, as "F.List" lists them.
    TempFolder folder;
    const double positions[] = {2, -1, 0.5};
    const char* names[] = {"1.9.1", "1.9.22", "1.9.3"};
    for (int i = 0; i < 3; ++i) {
        SliceSpec fields;
        fields.position = std::array<double, 3>{0, 0, positions[i]};
        folder.write(names[i], dicomSlice(fields));
    }
    const std::vector<std::string> inPositionOrder{path(folder, "1.9.22"), path(folder, "1.9.3"),
                                                   path(folder, "1.9.1")};
    EXPECT_EQ(measurementSeries(path(folder, "1.9.1")).files, inPositionOrder);
    EXPECT_EQ(measurementSeries(folder.path().string()).files, inPositionOrder);
    EXPECT_EQ(measurementSeries(path(folder, "1.9.1")).files, orderedSeries(path(folder, "1.9.1")).slices);
}

TEST(MeasurementSeries, AnEmptyFolderIsRefused)
{
    TempFolder folder;
    EXPECT_THROW(measurementSeries(folder.path().string()), AppError);
}
