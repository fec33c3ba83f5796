// The element names of the tag grid: the table and its lookup rule.
#include "DicomDictionary.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <vector>

namespace {

struct Line {
    std::string group, element, name, flag;
};

std::vector<Line> lines()
{
    std::vector<Line> result;
    const std::string_view text = dicomDictionaryText();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        std::vector<std::string> fields;
        std::istringstream fieldStream{std::string(text.substr(start, end - start))};
        for (std::string field; std::getline(fieldStream, field, '\t');) fields.push_back(field);
        fields.resize(4);
        result.push_back({fields[0], fields[1], fields[2], fields[3]});
        start = end + 2;
    }
    return result;
}

TEST(DicomDictionary, NamesPublicAndPrivateElements)
{
    const std::map<std::pair<uint16_t, uint16_t>, std::string> expected = {
        {{0x0002, 0x0010}, "TransferSyntaxUID"},
        {{0x0008, 0x0010}, "RecognitionCode"}, // retired
        {{0x0008, 0x1090}, "ManufacturerModelName"},
        {{0x0018, 0x1210}, "ConvolutionKernel"},
        {{0x0028, 0x0010}, "Rows"},
        {{0x0028, 0x0030}, "PixelSpacing"},
        {{0x0028, 0x1052}, "RescaleIntercept"},
        {{0x0018, 0x1016}, "SecondaryCaptureDeviceManufacturer"}, // exactly 34 characters
        {{0x0018, 0x1019}, "SecondaryCaptureDeviceSoftwareVers"}, // cut to 34
        {{0x0009, 0x1001}, "FullFidelity"},
        {{0x0019, 0x10D2}, "ProjectionAlgorithm"},
        {{0x0045, 0x101A}, "AirFilterCalibrationTime"},
    };
    for (const auto& [tag, name] : expected)
        EXPECT_EQ(dicomName(tag.first, tag.second), name) << std::hex << tag.first << "," << tag.second;
}

TEST(DicomDictionary, GivesNoNameWhereTheRuleFindsNone)
{
    EXPECT_EQ(dicomName(0x7FE0, 0x0010), ""); // groups after 0045 have no lines
    EXPECT_EQ(dicomName(0x2010, 0x0040), "");
    EXPECT_EQ(dicomName(0x0043, 0x106F), ""); // its line is written in lower case
    EXPECT_EQ(dicomName(0x0045, 0x101B), ""); // the cut last line has no closing TAB
    EXPECT_EQ(dicomName(0x0009, 0x0010), ""); // private creators are not listed
}

TEST(DicomDictionary, TableShape)
{
    const auto all = lines();
    ASSERT_GT(all.size(), 2000u);
    std::map<std::string, int> privateCounts;
    std::string previousGroup;
    for (size_t i = 0; i < all.size(); ++i) {
        const Line& line = all[i];
        SCOPED_TRACE(line.group + " " + line.element + " " + line.name);
        EXPECT_EQ(line.group.size(), 4u);
        EXPECT_EQ(line.element.size(), 4u);
        EXPECT_FALSE(line.name.empty());
        EXPECT_LE(line.name.size(), 34u);
        EXPECT_EQ(line.name.find(' '), std::string::npos);
        EXPECT_EQ(line.flag, i + 1 < all.size() ? "N" : "");
        EXPECT_GE(line.group, previousGroup);
        previousGroup = line.group;
        if ((std::stoi(line.group, nullptr, 16) & 1) != 0) ++privateCounts[line.group];
    }
    const std::map<std::string, int> expectedPrivate = {{"0009", 10}, {"0011", 1}, {"0019", 143}, {"0021", 35},
                                                        {"0023", 7},  {"0025", 9}, {"0027", 36},  {"0029", 15},
                                                        {"0043", 73}, {"0045", 27}};
    EXPECT_EQ(privateCounts, expectedPrivate);
    EXPECT_TRUE(dicomDictionaryText().ends_with("0045\t101B\tPhanto"));
}

} // namespace
