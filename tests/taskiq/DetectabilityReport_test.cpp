#include "DetectabilityReport.h"
#include "Phantoms.h"

#include <gtest/gtest.h>

namespace {

TEST(DetectabilityReport, NamesEveryParameterAndTabulatesTheDiameters)
{
    const DiskTask task{7.5, 12, DiskTask::Profile::designer, 2.5};
    EyeFilter eye;
    eye.exponent = 1.25;
    eye.coefficient = 2.5;
    eye.power = 0.75;
    eye.viewingDistanceMm = 650;
    eye.magnification = 1.5;
    eye.internalNoise = 0.125;
    const DetectabilityResult r = calculateDetectability(task, eye, gaussianTtf(0.5), whiteNoiseNps(64, 0.5, 10),
                                                         {{"TTF files", "a.dcm, b.dcm"}, {"NPS files", "c.dcm"}});
    const ReportDocument report = detectabilityReport(r);
    ASSERT_EQ(report.sections.size(), 4u);
    EXPECT_EQ(report.sections[0].rows,
              (std::vector<TextRow>{{"d′ NPW", dprimeText(r.d.npw)}, {"d′ NPWE", dprimeText(r.d.npwe)}}));
    EXPECT_EQ(report.sections[1].rows, (std::vector<TextRow>{{"Diameter (mm)", "7.5"},
                                                             {"Contrast (HU)", "12"},
                                                             {"Profile", "designer"},
                                                             {"Designer exponent n", "2.5"},
                                                             {"Eye filter n", "1.25"},
                                                             {"Eye filter c", "2.5"},
                                                             {"Eye filter γ", "0.75"},
                                                             {"Viewing distance (mm)", "650"},
                                                             {"Display magnification", "1.5"},
                                                             {"Internal noise Nᵢ (HU²·mm²)", "0.125"}}));
    EXPECT_EQ(report.sections[2].rows, (std::vector<TextRow>{{"TTF files", "a.dcm, b.dcm"},
                                                             {"NPS files", "c.dcm"},
                                                             {"NPS grid (N x N)", "64 x 64"},
                                                             {"NPS pixel spacing (mm)", "0.5"}}));
    const std::vector<TextRow>& table = report.sections[3].rows;
    ASSERT_EQ(table.size(), 6u);
    EXPECT_EQ(table[0], (TextRow{"Diameter (mm)", "d′ NPW", "d′ NPWE"}));
    EXPECT_EQ(table[4], (TextRow{"5", dprimeText(r.table[3].d.npw), dprimeText(r.table[3].d.npwe)}));

    // The flat disk has no exponent to name; d′ has three decimals whatever the locale.
    const DetectabilityResult flat = calculateDetectability({10, 10, DiskTask::Profile::flat, 2.5}, EyeFilter{},
                                                            gaussianTtf(0.5), whiteNoiseNps(64, 0.5, 10), {});
    const ReportDocument flatReport = detectabilityReport(flat);
    EXPECT_EQ(flatReport.sections[1].rows[2], (TextRow{"Profile", "flat"}));
    EXPECT_EQ(flatReport.sections[1].rows[3][0], "Eye filter n");
    EXPECT_EQ(flatReport.sections[0].rows[0][1], "16.697");
    EXPECT_EQ(dprimeText(1234.56789), "1234.568");
}

} // namespace
