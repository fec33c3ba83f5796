#include "GdcmDecoding.h"

#include "AppError.h"
#include "SliceHeader.h"

#include <gdcmImageChangeTransferSyntax.h>
#include <gdcmImageReader.h>
#include <gdcmMediaStorage.h>
#include <gdcmUIDs.h>
#include <gdcmWriter.h>

#include <zlib.h>

#include <algorithm>
#include <istream>
#include <ostream>
#include <streambuf>

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

DecodedDicom refused(std::string message) { return {{}, {}, {}, std::move(message)}; }

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

} // namespace

DecodedDicom decodeWithGdcm(const ByteBuffer& file, const std::string& path)
{
    const std::string syntax = transferSyntaxOf(file.data(), file.size());
    if (!elementsFit(file, syntax)) return refused(Msg::cannotDecode(path, syntaxName(syntax)));

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

    DecodedDicom decoded{{}, "Decoded from : " + syntaxName(syntax) + "\r\n", {}, {}};
    decoded.file.reserve(file.size() + output.GetBufferLength()); // the header, at most, and the pixels
    BytesOut bytesOut(decoded.file);
    std::ostream out(&bytesOut);
    gdcm::Writer writer;
    writer.SetFile(decodedFile);
    writer.SetStream(out);
    if (!writer.Write()) return refused(Msg::cannotDecode(path, syntaxName(syntax)));
    return decoded;
}
