#include "MeasurementSeries.h"

#include "AppError.h"
#include "FileList.h"
#include "RawLoading.h"
#include "SeriesOrder.h"
#include "SliceHeader.h"
#include "SliceHeaderCache.h"

#include <algorithm>
#include <filesystem>

std::string seriesInstanceUid(const ByteBuffer& file)
{
    // The data set's own UID, never one of a referenced series before it.
    SliceHeader header;
    scanSliceHeader(file.data(), file.size(), header);
    return header.seriesUid;
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
    if (isFolder) {
        // The series of the folder's DICOM images; other files are left out, as "F.List" leaves them.
        std::vector<std::string> distinct;
        for (const std::string& file : folderFiles(folder))
            if (const SliceHeader& header = cachedSliceHeader(file); header.image) distinct.push_back(header.seriesUid);
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
        if (!series.files.empty()) series.seriesUid = uidOf(series.files.front());
    } else {
        series.seriesUid = uidOf(path);
        OrderedSeries ordered = orderedSeries(path);
        if (ordered.ofSeries) {
            series.files = std::move(ordered.slices); // as "F.List" lists it in "DICOM" mode
        } else {
            for (const std::string& file : folderFiles(folder))
                if (uidOf(file) == series.seriesUid) series.files.push_back(file);
        }
    }
    if (series.files.empty()) throw AppError(Msg::noSlices(path));
    return series;
}
