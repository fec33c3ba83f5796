#include "ReportDocument.h"

#include "Provenance.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(ReportDocument, MemoTextsBecomeRowsOfFields)
{
    EXPECT_EQ(rowsOfText("mm\taSSPz 1 1\r\n-1\t0\r\n"), (std::vector<TextRow>{{"mm", "aSSPz 1 1"}, {"-1", "0"}}));
    EXPECT_EQ(rowsOfText("a\t\tb\r\n"), (std::vector<TextRow>{{"a", "", "b"}}));
    EXPECT_TRUE(rowsOfText("").empty());
}

TEST(ReportDocument, SectionsAreSeparatedByAnEmptyLineAndProvenanceComesLast)
{
    ReportDocument d;
    d.sections.push_back(resultsSection("Results", {{"FWHM(mm)", "5"}}));
    d.sections.push_back({"MTF", {{"c/mm", "MTF"}, {"0", "1"}}});
    d.provenance = {{"Program", "CTIQ 1"}};
    EXPECT_EQ(reportText(d, false), "FWHM(mm)\t5\r\n\r\nc/mm\tMTF\r\n0\t1\r\n");
    EXPECT_EQ(reportText(d, true), "FWHM(mm)\t5\r\n\r\nc/mm\tMTF\r\n0\t1\r\n\r\nProgram\tCTIQ 1\r\n");
}

TEST(Provenance, TheAcquisitionComesFromTheSummaryLines)
{
    const AcquisitionSummary a =
        acquisitionOf("Scanner X \r\nSe : Head\r\nmmST : 5.000000 \r\nkV : 120\r\nmAs : 250\r\nRF : STANDARD\r\n");
    EXPECT_EQ(a.model, "Scanner X");
    EXPECT_EQ(a.sliceThickness, "5.000000");
    EXPECT_EQ(a.kv, "120");
    EXPECT_EQ(a.mas, "250");
    EXPECT_EQ(a.kernel, "STANDARD");
    EXPECT_EQ(acquisitionOf("").model, "");
}

TEST(Provenance, RowsNameTheProgramTheRoiTheParametersAndEveryFile)
{
    const MeasurementSource source{{"/nowhere/a.dcm"}, roiText("256", "256", "40", "40"), {{"Mode", "DICOM"}}};
    const std::vector<TextRow> rows = provenanceOf(source, "2026-12-10 10:00:00 +0000");
    EXPECT_EQ(rows.front(), (TextRow{"Program", "CTIQ " + programVersion()}));
    EXPECT_NE(std::find(rows.begin(), rows.end(), TextRow{"Date", "2026-12-10 10:00:00 +0000"}), rows.end());
    EXPECT_NE(std::find(rows.begin(), rows.end(), TextRow{"ROI (centre x,y, size w,h)", "256,256,40,40"}), rows.end());
    EXPECT_NE(std::find(rows.begin(), rows.end(), TextRow{"Mode", "DICOM"}), rows.end());
    EXPECT_EQ(rows.back(), (TextRow{"File 1", "/nowhere/a.dcm", ""})); // unreadable: no series
}
