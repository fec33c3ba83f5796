#include "DicomDecoding.h"

#include "AppError.h"
#include "ChildWorker.h"
#include "SliceHeader.h"

#include <gdcmImageChangeTransferSyntax.h>
#include <gdcmImageReader.h>
#include <gdcmMediaStorage.h>
#include <gdcmTrace.h>
#include <gdcmUIDs.h>
#include <gdcmWriter.h>

#include <zlib.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <istream>
#include <ostream>
#include <streambuf>

bool readsWithoutDecoding(const std::string& transferSyntax)
{
    return transferSyntax.empty() || transferSyntax == TransferSyntax::implicitLittleEndian ||
           transferSyntax == TransferSyntax::explicitLittleEndian;
}

namespace {

// GDCM's name of a transfer syntax, or its UID when it has none.
std::string syntaxName(const std::string& uid)
{
    gdcm::UIDs known;
    if (known.SetFromUID(uid.c_str()) && known.GetName() != nullptr && *known.GetName() != '\0') return known.GetName();
    return uid;
}

// How a decoded image's pixels are laid out.
PixelForm pixelFormOf(const gdcm::Image& image)
{
    const gdcm::PixelFormat& format = image.GetPixelFormat();
    const char* photometric = image.GetPhotometricInterpretation().GetString();
    PixelForm form{image.GetNumberOfDimensions() > 2 ? image.GetDimension(2) : 1, format.GetSamplesPerPixel(),
                   photometric != nullptr ? photometric : "", format.GetBitsAllocated()};
    while (!form.photometric.empty() && form.photometric.back() == ' ')
        form.photometric.pop_back(); // GDCM pads the names to even lengths
    return form;
}

DecodedDicom refused(std::string message) { return {{}, {}, std::move(message)}; }

// The file's bytes as a stream GDCM reads, without a copy of them.
class BytesIn : public std::streambuf {
public:
    explicit BytesIn(const ByteBuffer& bytes)
    {
        char* begin = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
        setg(begin, begin, begin + bytes.size());
    }

protected:
    pos_type seekoff(off_type offset, std::ios_base::seekdir from, std::ios_base::openmode) override
    {
        const off_type base = from == std::ios_base::beg   ? 0
                              : from == std::ios_base::cur ? gptr() - eback()
                                                           : egptr() - eback();
        return seekpos(pos_type(base + offset), std::ios_base::in);
    }
    pos_type seekpos(pos_type position, std::ios_base::openmode) override
    {
        if (position < 0 || position > egptr() - eback()) return pos_type(off_type(-1));
        setg(eback(), eback() + static_cast<off_type>(position), egptr());
        return position;
    }
};

// A stream GDCM writes into a byte buffer, so the written file needs no copy either.
class BytesOut : public std::streambuf {
public:
    explicit BytesOut(ByteBuffer& bytes) : bytes_(bytes) {}

protected:
    int_type overflow(int_type c) override
    {
        if (c != traits_type::eof()) bytes_.push_back(static_cast<uint8_t>(c));
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override
    {
        bytes_.insert(bytes_.end(), reinterpret_cast<const uint8_t*>(text),
                      reinterpret_cast<const uint8_t*>(text) + count);
        return count;
    }

private:
    ByteBuffer& bytes_;
};

// The data set of a deflated file, inflated; empty when it does not inflate. Inflating
// stops at a size no slice reaches, so a small file cannot make it take all memory.
ByteBuffer inflated(const ByteBuffer& file)
{
    const size_t start = dataSetStart(file.data(), file.size());
    const size_t most = std::min<size_t>(std::max<size_t>(file.size(), 1 << 16) * 64, size_t{1} << 30);
    z_stream stream{};
    if (start > file.size() || inflateInit2(&stream, -MAX_WBITS) != Z_OK) return {};
    stream.next_in = const_cast<Bytef*>(file.data() + start);
    stream.avail_in = static_cast<uInt>(file.size() - start);
    ByteBuffer out;
    int status = Z_OK;
    while (status == Z_OK && out.size() < most) {
        const size_t done = out.size();
        out.resize(std::min(most, done + (size_t{1} << 20)));
        stream.next_out = out.data() + done;
        stream.avail_out = static_cast<uInt>(out.size() - done);
        status = inflate(&stream, Z_NO_FLUSH);
        out.resize(out.size() - stream.avail_out);
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END ? out : ByteBuffer();
}

// Every element length fits what holds it, checked before GDCM reads the file: GDCM
// allocates the length an element claims before it reads the value.
bool elementsFit(const ByteBuffer& file, const std::string& syntax)
{
    if (syntax != TransferSyntax::deflatedLittleEndian) return elementsInside(file.data(), file.size());
    const ByteBuffer dataSet = inflated(file);
    return !dataSet.empty() && inflatedElementsInside(dataSet.data(), dataSet.size());
}

// The decoding itself, with GDCM.
DecodedDicom decodeWithGdcm(const ByteBuffer& file, const std::string& path, const std::string& syntax)
{
    // GDCM reports to the standard error stream by default; its failures reach the
    // user as the refusal instead.
    gdcm::Trace::WarningOff();
    gdcm::Trace::ErrorOff();
    gdcm::Trace::DebugOff();

    BytesIn bytesIn(file);
    std::istream in(&bytesIn);
    gdcm::ImageReader reader;
    reader.SetStream(in);
    if (!reader.Read()) return refused(Msg::cannotDecode(path, syntaxName(syntax)));
    // GDCM's writer stops at an assertion on a storage class it does not know.
    gdcm::MediaStorage storage;
    if (!storage.SetFromFile(reader.GetFile()) || storage == gdcm::MediaStorage::MS_END)
        return refused(Msg::cannotDecode(path, syntaxName(syntax)));
    const gdcm::Image& image = reader.GetImage();
    if (const std::string why = notOneGreySlice(pixelFormOf(image)); !why.empty())
        return refused(Msg::notOneGreySlice(path, why));

    gdcm::ImageChangeTransferSyntax change;
    change.SetTransferSyntax(gdcm::TransferSyntax::ExplicitVRLittleEndian);
    change.SetInput(image);
    if (!change.Change()) return refused(Msg::cannotDecode(path, syntaxName(syntax)));

    // Only the pixel data and the transfer syntax change (GDCM holds the values of a
    // big-endian file in this machine's order). GDCM's image writer would write the
    // geometry again from its own numbers (".661467999999999" for "0.661468") and add
    // elements; the texts shown and measured must be the file's own.
    gdcm::File& decodedFile = reader.GetFile();
    const gdcm::Image& output = change.GetOutput();
    gdcm::DataElement pixelData = output.GetDataElement();
    pixelData.SetVR(gdcm::VR::OW); // 16-bit samples, no longer encapsulated bytes
    decodedFile.GetDataSet().Replace(pixelData);
    decodedFile.GetHeader().SetDataSetTransferSyntax(gdcm::TransferSyntax::ExplicitVRLittleEndian);

    DecodedDicom decoded{{}, "Decoded from : " + syntaxName(syntax) + "\r\n", {}};
    decoded.file.reserve(file.size() + output.GetBufferLength()); // the header, at most, and the pixels
    BytesOut bytesOut(decoded.file);
    std::ostream out(&bytesOut);
    gdcm::Writer writer;
    writer.SetFile(decodedFile);
    writer.SetStream(out);
    if (!writer.Write()) return refused(Msg::cannotDecode(path, syntaxName(syntax)));
    return decoded;
}

// Requests to the decoding process and its answers are blocks, each its length in 8
// bytes and its bytes: the file, its path and its transfer syntax; the decoded file,
// the note and the refusal.
void appendBlock(ByteBuffer& out, const void* data, size_t size)
{
    for (int shift = 0; shift < 64; shift += 8)
        out.push_back(static_cast<uint8_t>(static_cast<uint64_t>(size) >> shift));
    out.insert(out.end(), static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
}

template <typename Block>
bool takeBlock(const ByteBuffer& in, size_t& at, Block& block)
{
    if (in.size() - at < 8) return false;
    uint64_t size = 0;
    for (int i = 7; i >= 0; --i) size = size << 8 | in[at + static_cast<size_t>(i)];
    at += 8;
    if (in.size() - at < size) return false;
    block.assign(in.begin() + static_cast<std::ptrdiff_t>(at), in.begin() + static_cast<std::ptrdiff_t>(at + size));
    at += size;
    return true;
}

// The codecs GDCM uses write notes on the standard error stream ("Unsupported JPEG data
// precision 12" while it tries its decoders in turn, on a sound file). They are not the
// program's, and a failure reaches the user as the refusal: the decoding process drops
// them, once, before its first request.
void dropCodecNotes()
{
    static const bool dropped = [] {
        const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (nowhere >= 0) {
            dup2(nowhere, STDERR_FILENO);
            close(nowhere);
        }
        return true;
    }();
    (void)dropped;
}

// What the decoding process does with a request.
ByteBuffer answerRequest(const ByteBuffer& request)
{
    dropCodecNotes();
    ByteBuffer file;
    std::string path, syntax;
    size_t at = 0;
    if (!takeBlock(request, at, file) || !takeBlock(request, at, path) || !takeBlock(request, at, syntax)) return {};
    const DecodedDicom decoded = decodeWithGdcm(file, path, syntax);
    ByteBuffer answer;
    answer.reserve(decoded.file.size() + decoded.note.size() + decoded.refusal.size() + 24);
    appendBlock(answer, decoded.file.data(), decoded.file.size());
    appendBlock(answer, decoded.note.data(), decoded.note.size());
    appendBlock(answer, decoded.refusal.data(), decoded.refusal.size());
    return answer;
}

// A decoding that has not ended by then is taken to hang.
constexpr int longestDecodingMs = 30000;
// What a decoding may take: the file, GDCM's copy of it, and the decoded file beside
// it, with room for any grey slice that a file can hold.
constexpr ChildWorker::MemoryBudget decodingMemory{size_t{1} << 30, 4};

} // namespace

// GDCM, as the system builds it, ends the whole process at an assertion on some
// damaged files, and its codecs are not written for hostile input; the decoding runs
// in a child process, so that whatever happens there ends only that process and the
// file is refused.
DecodedDicom decodeDicom(const ByteBuffer& file, const std::string& path)
{
    const std::string syntax = transferSyntaxOf(file.data(), file.size());
    const DecodedDicom cannot = refused(Msg::cannotDecode(path, syntaxName(syntax)));
    if (!elementsFit(file, syntax)) return cannot;

    static ChildWorker decoding(answerRequest, longestDecodingMs, decodingMemory);
    ByteBuffer request;
    request.reserve(file.size() + path.size() + syntax.size() + 24);
    appendBlock(request, file.data(), file.size());
    appendBlock(request, path.data(), path.size());
    appendBlock(request, syntax.data(), syntax.size());
    const std::optional<ByteBuffer> answer = decoding.ask(request);

    DecodedDicom decoded;
    size_t at = 0;
    if (!answer || !takeBlock(*answer, at, decoded.file) || !takeBlock(*answer, at, decoded.note) ||
        !takeBlock(*answer, at, decoded.refusal))
        return cannot;
    return decoded;
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
    return {std::move(file), {}, {}};
}
