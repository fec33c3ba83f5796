#pragma once
// DICOM files whose pixels the byte-pattern reader cannot read as they are stored
// (big endian, deflated, RLE, JPEG, JPEG-LS, JPEG 2000) are decoded by the decoder
// program (ctiq-decoder, with GDCM) and written again as the same data set in explicit
// VR little endian, so that the reader, the drawing and every measurement work on the
// decoded pixels unchanged.
#include "ChildWorker.h"
#include "Samples.h"

#include <string>

// True when the reader reads the file as it is: little endian without compression,
// or a file that names no transfer syntax.
bool readsWithoutDecoding(const std::string& transferSyntax);

struct DecodedDicom {
    ByteBuffer file;      // the data set in explicit VR little endian; empty when refused
    std::string note;     // the summary lines: the transfer syntax decoded from, then each warning
    std::string warnings; // the codec's warnings on the file ("Corrupt JPEG data: ..."), a line each
    std::string refusal;  // why the file cannot be shown as one grey slice; empty when decoded
};

// The file as the reader reads it: as stored when it can (the note then empty),
// decoded otherwise, or refused, as a stored one is when its header says it is not a
// single grey slice of 16-bit samples. What the load of "DICOM" mode holds in FileBuffer.
DecodedDicom readableDicom(ByteBuffer file, const std::string& path);

// Decodes a file the reader cannot read as it is, with the program's one decoder. A
// file the decoder cannot decode, and one that is not a single grey slice of 16-bit
// samples, is refused with a message that names the path; so is one on which the
// decoder failed twice (Msg::decoderFailed).
DecodedDicom decodeDicom(const ByteBuffer& file, const std::string& path);

// The decoder program: beside the running program (in a build tree), else where the
// installation puts it, beside the program's bin folder.
std::string decoderProgram();

// A decoder program kept running, and the time a decoding may take, both tries together.
class DicomDecoder {
public:
    DicomDecoder(const std::string& program, int longestMs);
    DecodedDicom decode(const ByteBuffer& file, const std::string& path);

private:
    ChildWorker worker_;
};
