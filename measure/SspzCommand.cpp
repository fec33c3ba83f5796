// sspz: the slices of a series measured as "Open" and "Cal." measure them, then the MTF
// window's processing of the table, printed as text or JSON.
#include "Commands.h"
#include "SeriesResult.h"

#include "Json.h"
#include "MtfReport.h"

namespace {

Json resultJson(const SeriesResult& r)
{
    const MtfEdits& e = r.edits;
    const SSPzMemoTexts memos = sspzMemos(e, *r.work);
    const std::vector<TextRow> absolute = rowsOfText(memos.absolute), relative = rowsOfText(memos.relative);
    Json sspz = Json::array();
    for (size_t k = 1; k < absolute.size(); ++k)
        sspz.push(Json::object()
                      .add("position", absolute[k][0])
                      .add("absolute", absolute[k][1])
                      .add("relative", relative[k][1]));

    Json files = Json::array();
    for (const std::string& file : r.source.files) files.push(Json::text(file));
    return Json::object()
        .add("series", rowsAsObjects(r.table(), {"file", "thickness", "position", "mean"}))
        .add("files", std::move(files))
        .add("seriesInstanceUid", r.seriesUid)
        .add("sliceInterval", e.text(MtfEdit::SliceInterval))
        .add("sliceThickness", e.text(MtfEdit::SliceThickness))
        .add("fwhm", e.text(MtfEdit::FWHM))
        .add("centre", e.text(MtfEdit::MaxPoint))
        .add("frequency", e.text(MtfEdit::Frq))
        .add("mtf", e.text(MtfEdit::MTF))
        .add("sspz", std::move(sspz))
        .add("mtfTable", rowsAsObjects(rowsOfText(mtfMemo(e, *r.work)), {"frequency", "mtf"}));
}

} // namespace

int runSspz(const CommandLine& line, std::ostream& out)
{
    const SeriesResult r = measureSeriesOf(line);
    if (line.json) out << resultJson(r).dump();
    else out << reportText(mtfReport(r.table(), r.edits, *r.work), false);
    if (const auto report = line.option("--report")) saveSeriesReport(r, *report);
    return 0;
}
