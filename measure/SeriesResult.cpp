// The series measurement of "Open" and "Cal." and the MTF window's processing, without
// the windows.
#include "SeriesResult.h"

#include "AppError.h"
#include "FileList.h"
#include "MeasuredImage.h"
#include "MeasurementSeries.h"
#include "Reports.h"
#include "SeriesMeasurement.h"
#include "SeriesOrder.h"

#include <iostream>

#include <unistd.h>

namespace {

// Each slice loaded as "⇒" loads it in a series and measured as "Stat" does, the texts
// carried from slice to slice as the Viewer's edits are.
class CommandSlices final : public SeriesSlices {
public:
    CommandSlices(LoadMode mode, TypedGeometry typed, Rect roi, std::vector<TextRow>& grid, size_t count)
        : mode_(mode), typed_(std::move(typed)), roi_(roi), grid_(grid), count_(count),
          progress_(isatty(STDERR_FILENO) != 0)
    {
    }
    ~CommandSlices()
    {
        if (progress_ && loaded_ > 0) std::cerr << "\n";
    }
    CommandSlices(const CommandSlices&) = delete;
    CommandSlices& operator=(const CommandSlices&) = delete;

    void load(const std::string& path) override
    {
        if (progress_ && loaded_ > 0) std::cerr << "\r\033[K";
        image_ = loadMeasuredImage(path, mode_, typed_, texts_);
        path_ = path;
        ++loaded_;
        if (progress_) std::cerr << "\r" << loaded_ << "/" << count_ << " " << namePart(path) << "\033[K" << std::flush;
    }
    std::string thickness() const override { return texts_.sliceThickness; }
    std::string position() const override { return texts_.position; }
    std::string measureMean() override { return measureRoi(path_, image_, texts_, roi_).mean; }
    void setCell(int column, int row, const std::string& text) override
    {
        if (grid_.size() <= static_cast<size_t>(row))
            grid_.resize(static_cast<size_t>(row) + 1, TextRow(SeriesTableColumns));
        grid_[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
    }

private:
    LoadMode mode_;
    TypedGeometry typed_;
    Rect roi_;
    std::vector<TextRow>& grid_;
    size_t count_;
    bool progress_;
    size_t loaded_ = 0;
    ViewerTexts texts_;
    LoadedImage image_;
    std::string path_;
};

} // namespace

std::vector<TextRow> SeriesResult::table() const
{
    std::vector<TextRow> rows;
    for (const TextRow& row : grid) rows.emplace_back(row.begin() + 1, row.end());
    return rows;
}

SeriesResult measureSeriesOf(const CommandLine& line)
{
    const LoadMode mode = loadModeOf(line);
    TypedGeometry typed = typedGeometryOf(line);
    const RoiTexts roi = roiOf(line);
    const Rect rect = roiRectOf(roi);
    const MeasurementSeries series = measurementSeries(line.path);
    const std::vector<std::string>& files = series.files;
    refuseReportOverInputs(line, files);
    // As "Cal.": slices at one position or out of step are not measured.
    if (const std::string problem = seriesSpacingProblem(files); !problem.empty()) throw AppError(problem);

    SeriesResult r;
    r.grid.assign(1, TextRow(SeriesTableCaptions.begin(), SeriesTableCaptions.end()));
    {
        CommandSlices slices(mode, std::move(typed), rect, r.grid, files.size());
        measureSeries(files, slices);
    }
    r.seriesUid = series.seriesUid;
    r.source = seriesSource(files, roiText(roi.x, roi.y, roi.w, roi.h), loadModeName(mode));

    // "Open" gives the MTF window the middle slice's thickness, "Cal." the spacing.
    r.edits.setText(MtfEdit::SliceThickness, r.grid[static_cast<size_t>(middleIndex(leadingEntries(files))) + 1][2]);
    processSeriesTable(r.grid, r.edits, *r.work);
    return r;
}
