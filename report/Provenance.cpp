#include "Provenance.h"

#include "AppError.h"
#include "DicomRecord.h"
#include "MeasurementSeries.h"
#include "RawLoading.h"

#include <ctime>

#ifndef CTIQ_VERSION
#error "CTIQ_VERSION comes from the build"
#endif

namespace {

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// What the summary and the UID of one file say; an unreadable file says nothing.
struct FileHeader {
    std::string summary;
    std::string uid;
};

FileHeader headerOf(const std::string& path)
{
    try {
        const ByteBuffer bytes = readWholeFile(path);
        DicomRecord record;
        try {
            readDicom(bytes, record);
        } catch (const AppError&) {
            // what was read before the failure still tells
        }
        return {record.summary, seriesInstanceUid(bytes)};
    } catch (const AppError&) {
        return {};
    }
}

} // namespace

AcquisitionSummary acquisitionOf(const std::string& summary)
{
    AcquisitionSummary a;
    const std::pair<const char*, std::string AcquisitionSummary::*> labelled[] = {
        {"kV : ", &AcquisitionSummary::kv},
        {"mAs : ", &AcquisitionSummary::mas},
        {"RF : ", &AcquisitionSummary::kernel},
        {"mmST : ", &AcquisitionSummary::sliceThickness}};
    for (const TextRow& row : rowsOfText(summary)) {
        const std::string line = row.front();
        if (line.find(" : ") == std::string::npos) {
            if (a.model.empty()) a.model = trimmed(line);
            continue;
        }
        for (const auto& [label, field] : labelled)
            if (line.rfind(label, 0) == 0 && (a.*field).empty())
                a.*field = trimmed(line.substr(std::string(label).size()));
    }
    return a;
}

std::string programVersion() { return CTIQ_VERSION; }

std::string currentDateText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S %z", &local);
    return text;
}

std::string roiText(const std::string& x, const std::string& y, const std::string& w, const std::string& h)
{
    return x + "," + y + "," + w + "," + h;
}

std::vector<TextRow> provenanceOf(const MeasurementSource& source, const std::string& date)
{
    std::vector<FileHeader> headers;
    for (const std::string& file : source.files) headers.push_back(headerOf(file));
    const AcquisitionSummary a = acquisitionOf(headers.empty() ? std::string() : headers.front().summary);

    std::vector<TextRow> rows{{"Program", "CTIQ " + programVersion()},
                              {"Date", date},
                              {"Scanner model", a.model},
                              {"kV", a.kv},
                              {"mAs", a.mas},
                              {"Kernel", a.kernel},
                              {"Slice thickness (mm)", a.sliceThickness},
                              {"ROI (centre x,y, size w,h)", source.roi}};
    for (const auto& [name, value] : source.parameters) rows.push_back({name, value});
    for (size_t i = 0; i < source.files.size(); ++i)
        rows.push_back({"File " + std::to_string(i + 1), source.files[i], headers[i].uid});
    return rows;
}
