// libFuzzer target: the header scan that orders a series, and what a load in "DICOM"
// mode does before the byte-pattern reader (decoding the transfer syntaxes the reader
// cannot read, refusing what is no single grey slice), followed by that reader on
// what it gives. Each stays inside its bytes and ends normally, with a
// refusal, or with the reader's conversion failure.
#include "AppError.h"
#include "DicomDecoding.h"
#include "DicomRecord.h"
#include "SliceHeader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact-size copy, so that a read one byte past the end is caught.
    const ByteBuffer file(data, data + size);
    SliceHeader header;
    scanSliceHeader(file.data(), file.size(), header);

    const DecodedDicom decoded = readableDicom(file, "fuzz.dcm");
    if (decoded.refusal.empty()) {
        DicomRecord record;
        try {
            readDicom(decoded.file, record);
        } catch (const AppError&) {
            // A value that must be a number and is not: the reading stops there by design.
        }
    }
    return 0;
}
