// ctiq-decoder: decodes DICOM files for the CTIQ programs, which start it (ChildWorker)
// and send it one file after another on its socket: a request holds the file and its
// path, an answer the summary note, the warnings, the refusal and the decoded file (DicomDecoding.h).
// Whatever GDCM or a codec does on a damaged file ends this program only.
#include "AppError.h"
#include "ChildMessages.h"
#include "ChildServing.h"
#include "GdcmDecoding.h"

#include <gdcmTrace.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string_view>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// What a decoding may take: the file, GDCM's copy of it, and the decoded file beside
// it, with room for any grey slice that a file can hold.
constexpr MemoryBudget decodingMemory{size_t{1} << 30, 4};
// More of the codecs' notes than this on one file says nothing more.
constexpr size_t mostNoteBytes = 4096;

// Notes the codecs write on sound files while GDCM tries its decoders in turn (the
// 8-bit JPEG decoder first, on a 12-bit stream): not warnings about the file.
constexpr std::string_view notWarnings[] = {"Unsupported JPEG data precision"};

// The codecs write their warnings ("Corrupt JPEG data: ...") on the standard error
// stream, which is kept for each request, as the file's warnings. GDCM's own warnings
// are about how it reads the header ("Don't know how to handle spacing"), on most
// sound files, and its errors reach the user as the refusal: neither is kept.
class CodecNotes {
public:
    CodecNotes() : file_(memfd_create("codec-notes", MFD_CLOEXEC))
    {
        if (file_ >= 0) dup2(file_, STDERR_FILENO);
        gdcm::Trace::DebugOff();
        gdcm::Trace::WarningOff();
        gdcm::Trace::ErrorOff();
    }

    // Emptied, and written again from its start.
    void clear()
    {
        if (file_ >= 0 && ftruncate(file_, 0) == 0) lseek(STDERR_FILENO, 0, SEEK_SET);
    }

    // The warnings written since `clear`, a line each.
    std::vector<std::string> lines()
    {
        std::fflush(stderr);
        std::string text(mostNoteBytes, '\0');
        const ssize_t read = file_ >= 0 ? pread(file_, text.data(), text.size(), 0) : 0;
        text.resize(read > 0 ? static_cast<size_t>(read) : 0);
        std::vector<std::string> lines;
        std::string_view rest = text;
        while (!rest.empty()) {
            const size_t end = std::min(rest.find('\n'), rest.size());
            std::string_view line = rest.substr(0, end);
            rest.remove_prefix(std::min(end + 1, rest.size()));
            while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
            const auto isNote = [line](std::string_view note) { return line.substr(0, note.size()) == note; };
            if (!line.empty() && std::none_of(std::begin(notWarnings), std::end(notWarnings), isNote))
                lines.emplace_back(line);
        }
        return lines;
    }

private:
    const int file_;
};

CodecNotes* notes = nullptr;

ByteBuffer answerRequest(const ByteBuffer& request)
{
    ByteBuffer file;
    std::string path;
    size_t at = 0;
    if (!takeBlock(request, at, file) || !takeBlock(request, at, path)) return {};
    notes->clear();
    DecodedDicom decoded = decodeWithGdcm(file, path);
    if (decoded.refusal.empty())
        for (const std::string& warning : notes->lines()) {
            decoded.note += Msg::decodingWarning(warning) + "\r\n";
            decoded.warnings += warning + "\n";
        }
    ByteBuffer answer;
    answer.reserve(decoded.file.size() + decoded.note.size() + decoded.warnings.size() + decoded.refusal.size() + 32);
    appendBlock(answer, decoded.note.data(), decoded.note.size());
    appendBlock(answer, decoded.warnings.data(), decoded.warnings.size());
    appendBlock(answer, decoded.refusal.data(), decoded.refusal.size());
    appendBlock(answer, decoded.file.data(), decoded.file.size());
    return answer;
}

} // namespace

int main()
{
    CodecNotes codecNotes;
    notes = &codecNotes;
    serveRequests(answerRequest, decodingMemory);
}
