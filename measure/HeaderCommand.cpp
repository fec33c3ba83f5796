// header: the tag grid's rows as "MetaToCB" copies them.
#include "Commands.h"

#include "AppError.h"
#include "DicomDecoding.h"
#include "DicomRecord.h"
#include "HeaderExport.h"
#include "HeadlessLoad.h"
#include "Json.h"
#include "MeasuredImage.h"
#include "RawLoading.h"
#include "ReportDocument.h"

int runHeader(const CommandLine& line, std::ostream& out)
{
    // As the window lists it once loaded: decoded when stored compressed or big endian.
    const DecodedDicom readable = readableDicom(readWholeFile(line.path), line.path);
    if (!readable.refusal.empty()) throw AppError(readable.refusal);
    if (!holdsDicomImage(readable.file)) throw AppError(Msg::notDicomImage(line.path));
    printDecodingWarnings(line.path, readable.warnings);
    DicomRecord record;
    readDicom(readable.file, record);

    // The grid shows the header's bytes one character each; its text is copied as UTF-8.
    std::vector<TagGridRow> grid(std::max<size_t>(record.grid.size(), 1));
    for (size_t c = 0; c < TagGridColumns; ++c) grid[0][c] = TagGridCaptions[c];
    for (size_t r = 1; r < record.grid.size(); ++r)
        for (size_t c = 0; c < TagGridColumns; ++c) grid[r][c] = utf8FromLatin1(record.grid[r][c]);
    const std::string text = headerExportText(grid);

    if (line.json) {
        out << Json::object()
                   .add("file", line.path)
                   .add("elements",
                        rowsAsObjects(rowsOfText(text), {"no", "group", "element", "vr", "length", "name", "value"}))
                   .dump();
    } else {
        out << text;
    }
    return 0;
}
