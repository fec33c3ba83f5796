#include "HeadlessLoad.h"

#include "AppError.h"
#include "Convert.h"
#include "DicomDecoding.h"
#include "RawLoading.h"
#include "RoiStatistics.h"
#include "SliceHeader.h"

bool holdsDicomImage(const ByteBuffer& file)
{
    SliceHeader header;
    return scanSliceHeader(file.data(), file.size(), header) != ScanResult::NotDicom && header.image;
}

bool readsDicomHeader(LoadMode mode, const std::string& namedColumns, const std::string& namedRows,
                      const ByteBuffer& file)
{
    return mode == LoadMode::Dicom && (namedColumns.empty() || namedRows.empty() || holdsDicomImage(file));
}

std::string cutShortWarning(const std::string& path, LoadMode mode, const SampleLayout& layout, int64_t rows,
                            size_t fileSize)
{
    if (mode == LoadMode::EightBit) return {};
    const int64_t missing = missingImageBytes(layout, rows, fileSize);
    if (missing <= 0) return {};
    return Msg::imageCutShort(path, missing, wholeImageRows(layout, rows, fileSize), rows);
}

LoadedImage loadImage(const std::string& path, LoadMode mode, const TypedGeometry& typed, ViewerTexts& texts)
{
    const FileNameGeometry named = parseFileName(path);
    texts.columns = named.columns;
    texts.rows = named.rows;
    texts.pixelSpacing = named.pixelSpacing;

    LoadedImage image;
    image.bytes = readWholeFile(path);
    if (mode == LoadMode::Dicom) {
        DecodedDicom readable = readableDicom(std::move(image.bytes), path);
        if (!readable.refusal.empty()) throw AppError(readable.refusal);
        image.bytes = std::move(readable.file);
        image.decodingWarnings = std::move(readable.warnings);
    }
    if (readsDicomHeader(mode, named.columns, named.rows, image.bytes)) {
        image.dicomRead = true;
        readDicom(image.bytes, image.dicom);
        if (image.dicom.swap) texts.swap = *image.dicom.swap;
        for (const auto& [edit, text] : image.dicom.edits) {
            switch (edit) {
            case DicomEdit::Header: texts.header = text; break;
            case DicomEdit::ImgSizeX: texts.columns = text; break;
            case DicomEdit::ImgSizeY: texts.rows = text; break;
            case DicomEdit::Offst: texts.offset = text; break;
            case DicomEdit::PxlSpc: texts.pixelSpacing = text; break;
            case DicomEdit::SThick: texts.sliceThickness = text; break;
            case DicomEdit::PtPos: texts.position = text; break;
            default: break; // the window and FOV edits play no part in a measurement
            }
        }
    }

    if (texts.columns.empty() || texts.rows.empty()) {
        // The window asks here; the typed size answers, and the header becomes "0".
        if (!typed.size) throw AppError(Msg::sizeUnknown(path));
        const MatrixSize answer = parseSizeAnswer(*typed.size);
        texts.columns = std::to_string(answer.columns);
        texts.rows = std::to_string(answer.rows);
        texts.header = "0";
    } else if (typed.size) {
        const MatrixSize answer = parseSizeAnswer(*typed.size);
        texts.columns = std::to_string(answer.columns);
        texts.rows = std::to_string(answer.rows);
    }
    if (typed.header) texts.header = *typed.header;
    if (typed.offset) texts.offset = *typed.offset;
    if (typed.pixelSpacing) texts.pixelSpacing = *typed.pixelSpacing;

    image.columns = toInt(texts.columns);
    image.rows = toInt(texts.rows);
    texts.columns = std::to_string(image.columns);
    texts.rows = std::to_string(image.rows);
    image.warning = cutShortWarning(path, mode, sampleLayout(texts, image.columns), image.rows, image.bytes.size());
    return image;
}

SampleLayout sampleLayout(const ViewerTexts& texts, int32_t columns)
{
    return {toInt(texts.header), columns, texts.swap, toInt(texts.offset)};
}
