#include "MeasurementSeries.h"

#include "AppError.h"
#include "DicomRecord.h"
#include "FileList.h"
#include "RawLoading.h"
#include "SeriesOrder.h"

#include <algorithm>
#include <filesystem>

std::string seriesInstanceUid(const ByteBuffer& file)
{
    DicomRecord record;
    try {
        readDicom(file, record);
    } catch (const AppError&) {
        // A header that stops the reader part-way still names its series if it got that far.
    }
    for (const auto& row : record.grid)
        if (row[1] == "0020" && row[2] == "000E") return row[6];
    return {};
}

namespace {

std::string uidOf(const std::string& path) { return seriesInstanceUid(readWholeFile(path)); }

} // namespace

MeasurementSeries measurementSeries(const std::string& path)
{
    const bool isFolder = std::filesystem::is_directory(path);
    std::string folder = isFolder ? path : folderOf(path);
    if (isFolder && !folder.empty() && folder.back() != '/') folder += '/';

    MeasurementSeries series;
    std::vector<std::string> uids;
    const std::vector<std::string> files = folderFiles(folder);
    for (const std::string& file : files) uids.push_back(uidOf(file));

    if (isFolder) {
        std::vector<std::string> distinct = uids;
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        if (distinct.size() > 1) {
            std::string names;
            for (const std::string& uid : distinct)
                names += (names.empty() ? "" : ", ") + (uid.empty() ? Msg::noUid : uid);
            throw AppError(Msg::severalSeries(folder, names));
        }
        // One series: in the order "Cal." measures it.
        series.files = orderedSeries(folder).slices;
        if (!distinct.empty()) series.seriesUid = distinct.front();
    } else {
        series.seriesUid = uidOf(path);
        OrderedSeries ordered = orderedSeries(path);
        if (ordered.ofSeries) {
            series.files = std::move(ordered.slices); // as "F.List" lists it in "DICOM" mode
        } else {
            for (size_t i = 0; i < files.size(); ++i)
                if (uids[i] == series.seriesUid) series.files.push_back(files[i]);
        }
    }
    if (series.files.empty()) throw AppError(Msg::noSlices(path));
    return series;
}
