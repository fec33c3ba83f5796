#include "HeaderExport.h"

#include "AppError.h"

#include <gtest/gtest.h>

namespace {

TagGridRow captions()
{
    TagGridRow row;
    for (size_t c = 0; c < TagGridColumns; ++c) row[c] = TagGridCaptions[c];
    return row;
}

TagGridRow element(const std::string& number, const std::string& group, const std::string& value)
{
    return {number, group, "0010", "LO", "0004", "Name", value};
}

} // namespace

TEST(HeaderExport, PublicRowsInGridOrderAfterTheCaptions)
{
    const std::string text =
        headerExportText({captions(), element("  1", "0008", "CT"), element("  2", "0018", "120")});
    EXPECT_EQ(text, " No\tGroup\tErement\tVR\tCHR#\tName\tValue\r\n"
                    "  1\t0008\t0010\tLO\t0004\tName\tCT\r\n"
                    "  2\t0018\t0010\tLO\t0004\tName\t120\r\n");
}

TEST(HeaderExport, PrivateAndDelimiterRowsStayOutAndEmptyGroupsStayIn)
{
    struct Case {
        std::string group;
        bool kept;
    };
    for (const Case& c :
         {Case{"0009", false}, Case{"0043", false}, Case{"FFFE", false}, Case{"0028", true}, Case{"", true}}) {
        const std::string text = headerExportText({captions(), element("  1", c.group, "v")});
        EXPECT_EQ(text.find("\tv\r\n") != std::string::npos, c.kept) << "group '" << c.group << "'";
    }
}

TEST(HeaderExport, ValuesLoseTheirNulCharacters)
{
    const std::string text = headerExportText({captions(), element("  1", "0020", std::string("1.2\0", 4))});
    EXPECT_NE(text.find("\t1.2\r\n"), std::string::npos);
}

TEST(HeaderExport, AGroupThatIsNotHexadecimalFailsWithTheConversionMessage)
{
    try {
        headerExportText({captions(), element("  1", "00x8", "v")});
        FAIL();
    } catch (const AppError& e) {
        EXPECT_EQ(std::string(e.what()), Msg::notInteger("$00x8"));
    }
}
