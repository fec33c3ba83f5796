#include "DicomDecoding.h"

#include "AppError.h"
#include "ChildMessages.h"
#include "SliceHeader.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

bool readsWithoutDecoding(const std::string& transferSyntax)
{
    return transferSyntax.empty() || transferSyntax == TransferSyntax::implicitLittleEndian ||
           transferSyntax == TransferSyntax::explicitLittleEndian;
}

namespace {

DecodedDicom refused(std::string message) { return {{}, {}, {}, std::move(message)}; }

// A decoding that has not ended by then, in two tries, is taken to hang: a slice takes
// milliseconds, a large JPEG 2000 one a few hundred.
constexpr int longestDecodingMs = 30000;

} // namespace

std::string decoderProgram()
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    const std::filesystem::path beside = folder / "ctiq-decoder";
    if (access(beside.c_str(), X_OK) == 0) return beside.string();
    return (folder / CTIQ_DECODER_FROM_BIN).lexically_normal().string();
}

DicomDecoder::DicomDecoder(const std::string& program, int longestMs) : worker_({program}, longestMs) {}

// Requests and answers are blocks (ChildMessages.h): the file and its path; the note,
// the warnings, the refusal and the decoded file.
DecodedDicom DicomDecoder::decode(const ByteBuffer& file, const std::string& path)
{
    ByteBuffer request;
    request.reserve(file.size() + path.size() + 16);
    appendBlock(request, file.data(), file.size());
    appendBlock(request, path.data(), path.size());
    ChildWorker::Reply reply = worker_.ask(request);
    if (!reply.answer) return refused(Msg::decoderFailed(path, reply.failure));

    DecodedDicom decoded;
    size_t at = 0;
    if (!takeBlock(*reply.answer, at, decoded.note) || !takeBlock(*reply.answer, at, decoded.warnings) ||
        !takeBlock(*reply.answer, at, decoded.refusal) || !takeLastBlock(*reply.answer, at, decoded.file))
        return refused(Msg::decoderFailed(path, Msg::decoderAnswerUnreadable));
    return decoded;
}

DecodedDicom decodeDicom(const ByteBuffer& file, const std::string& path)
{
    static DicomDecoder decoder(decoderProgram(), longestDecodingMs);
    return decoder.decode(file, path);
}

DecodedDicom readableDicom(ByteBuffer file, const std::string& path)
{
    // One scan gives the transfer syntax and the pixels' layout. The reader takes any file
    // for one grey slice of 16-bit samples; one that says it is something else is refused
    // as a decoded one would be.
    SliceHeader header;
    scanSliceHeader(file.data(), file.size(), header);
    // The whole file is at hand, so a header that runs past its end is damaged too.
    if (header.damageAt) return refused(Msg::damagedStructure(path, *header.damageAt));
    if (!readsWithoutDecoding(header.transferSyntax)) return decodeDicom(file, path);
    if (const std::string why = notOneGreySlice(header.pixels); !why.empty())
        return refused(Msg::notOneGreySlice(path, why));
    return {std::move(file), {}, {}, {}};
}
