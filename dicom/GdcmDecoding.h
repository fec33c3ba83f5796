#pragma once
// The decoding itself, with GDCM. Only the decoder program (DecoderMain.cpp) runs it:
// GDCM, as the system builds it, ends the whole process at an assertion on some
// damaged files, and its codecs are not written for hostile input.
#include "DicomDecoding.h"

// A file GDCM cannot decode, one whose element lengths do not fit the file (GDCM would
// allocate what they claim), and one that is not a single grey slice of 16-bit samples
// are refused with a message that names the path.
DecodedDicom decodeWithGdcm(const ByteBuffer& file, const std::string& path);
