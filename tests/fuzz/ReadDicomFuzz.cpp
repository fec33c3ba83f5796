// libFuzzer target: the DICOM reader on arbitrary bytes stays inside the file and
// ends either normally or with the system's conversion failure.
#include "AppError.h"
#include "DicomRecord.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // An exact-size copy, so that a read one byte past the end is caught.
    const ByteBuffer file(data, data + size);
    DicomRecord record;
    record.locked = size % 2 == 1; // both paths of the window edits
    try {
        readDicom(file, record);
    } catch (const AppError&) {
        // A value that must be a number and is not: the reading stops there by design.
    }
    return 0;
}
