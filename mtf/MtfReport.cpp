#include "MtfReport.h"

ReportDocument mtfReport(const std::vector<TextRow>& seriesTable, const MtfEdits& edits, const MtfWorkspace& ws)
{
    const SSPzMemoTexts sspz = sspzMemos(edits, ws);
    ReportDocument d;
    d.title = "SSPz and MTF";
    d.sections.push_back({"Input", seriesTable});
    d.sections.push_back(resultsSection("Results", {{"SliceInterval(mm)", edits.text(MtfEdit::SliceInterval)},
                                                    {"SliceThickness(mm)", edits.text(MtfEdit::SliceThickness)},
                                                    {"FWHM(mm)", edits.text(MtfEdit::FWHM)},
                                                    {"Centre (sample)", edits.text(MtfEdit::MaxPoint)},
                                                    {"1/FWHM (cycle/mm)", edits.text(MtfEdit::Frq)},
                                                    {"MTF at 1/FWHM", edits.text(MtfEdit::MTF)}}));
    d.sections.push_back({"Absolute SSPz", rowsOfText(sspz.absolute)});
    d.sections.push_back({"Relative SSPz", rowsOfText(sspz.relative)});
    d.sections.push_back({"MTF", rowsOfText(mtfMemo(edits, ws))});
    return d;
}
