// ctiq-decoder: decodes DICOM files for the CTIQ programs, which start it (ChildWorker)
// and send it one file after another on its socket: a request holds the file and its
// path, an answer the decoded file, the summary note and the refusal (DicomDecoding.h).
// Whatever GDCM or a codec does on a damaged file ends this program only.
#include "AppError.h"
#include "ChildMessages.h"
#include "ChildServing.h"
#include "GdcmDecoding.h"

#include <gdcmTrace.h>

#include <cstdio>
#include <sstream>
#include <string_view>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// What a decoding may take: the file, GDCM's copy of it, and the decoded file beside
// it, with room for any grey slice that a file can hold.
constexpr MemoryBudget decodingMemory{size_t{1} << 30, 4};
// More of the codecs' notes than this on one file says nothing more.
constexpr size_t mostNoteBytes = 4096;

// The codecs write their warnings ("Corrupt JPEG data: ...") on the standard error
// stream, and GDCM its own on its warning stream: both are kept for each request, as
// the file's warnings.
class CodecNotes {
public:
    CodecNotes() : file_(memfd_create("codec-notes", MFD_CLOEXEC))
    {
        if (file_ >= 0) dup2(file_, STDERR_FILENO);
        gdcm::Trace::DebugOff();
        gdcm::Trace::ErrorOff();
        gdcm::Trace::WarningOn();
        gdcm::Trace::SetWarningStream(gdcmNotes_);
    }

    void clear()
    {
        gdcmNotes_.str({});
        if (file_ >= 0 && ftruncate(file_, 0) != 0) {}
        lseek(STDERR_FILENO, 0, SEEK_SET);
    }

    // The lines written since `clear`.
    std::string text()
    {
        std::fflush(stderr);
        std::string notes(mostNoteBytes, '\0');
        const ssize_t read = file_ >= 0 ? pread(file_, notes.data(), notes.size(), 0) : 0;
        notes.resize(read > 0 ? static_cast<size_t>(read) : 0);
        return notes + gdcmNotes_.str();
    }

private:
    const int file_;
    std::ostringstream gdcmNotes_;
};

CodecNotes* notes = nullptr;

// Each line of the codecs' notes as a line of the summary.
std::string warningLines(const std::string& text)
{
    std::string lines;
    std::string_view rest = text;
    while (!rest.empty()) {
        const size_t end = std::min(rest.find('\n'), rest.size());
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
        if (!line.empty()) lines += Msg::decodingWarning(std::string(line)) + "\r\n";
    }
    return lines;
}

ByteBuffer answerRequest(const ByteBuffer& request)
{
    ByteBuffer file;
    std::string path;
    size_t at = 0;
    if (!takeBlock(request, at, file) || !takeBlock(request, at, path)) return {};
    notes->clear();
    DecodedDicom decoded = decodeWithGdcm(file, path);
    if (decoded.refusal.empty()) decoded.note += warningLines(notes->text());
    ByteBuffer answer;
    answer.reserve(decoded.file.size() + decoded.note.size() + decoded.refusal.size() + 24);
    appendBlock(answer, decoded.file.data(), decoded.file.size());
    appendBlock(answer, decoded.note.data(), decoded.note.size());
    appendBlock(answer, decoded.refusal.data(), decoded.refusal.size());
    return answer;
}

} // namespace

int main()
{
    CodecNotes codecNotes;
    notes = &codecNotes;
    serveRequests(answerRequest, decodingMemory);
}
