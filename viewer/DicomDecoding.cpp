#include "DicomDecoding.h"

#include "AppError.h"
#include "SliceHeader.h"

#include <gdcmImageChangeTransferSyntax.h>
#include <gdcmImageReader.h>
#include <gdcmImageWriter.h>
#include <gdcmTrace.h>
#include <gdcmUIDs.h>

#include <sstream>

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

// What keeps a decoded image from being shown as one grey slice of 16-bit samples.
std::string notOneGreySlice(const gdcm::Image& image)
{
    const unsigned frames = image.GetNumberOfDimensions() > 2 ? image.GetDimension(2) : 1;
    if (frames != 1) return Msg::frameCount(frames);
    const gdcm::PixelFormat& format = image.GetPixelFormat();
    const gdcm::PhotometricInterpretation& photometric = image.GetPhotometricInterpretation();
    const bool grey = photometric == gdcm::PhotometricInterpretation::MONOCHROME1 ||
                      photometric == gdcm::PhotometricInterpretation::MONOCHROME2;
    if (format.GetSamplesPerPixel() != 1 || !grey) {
        std::string name = photometric.GetString() != nullptr ? photometric.GetString() : "";
        while (!name.empty() && name.back() == ' ') name.pop_back(); // GDCM pads the names to even lengths
        return Msg::colourImage(name);
    }
    if (format.GetBitsAllocated() != 16) return "BitsAllocated " + std::to_string(format.GetBitsAllocated());
    return {};
}

DecodedDicom refused(std::string message) { return {{}, {}, std::move(message)}; }

} // namespace

DecodedDicom decodeDicom(const ByteBuffer& file, const std::string& path)
{
    // GDCM reports to the standard error stream by default; its failures reach the
    // user as the refusal instead.
    gdcm::Trace::WarningOff();
    gdcm::Trace::ErrorOff();
    gdcm::Trace::DebugOff();

    const std::string syntax = transferSyntaxOf(file.data(), file.size());
    std::istringstream in(std::string(file.begin(), file.end()));
    gdcm::ImageReader reader;
    reader.SetStream(in);
    if (!reader.Read()) return refused(Msg::cannotDecode(path, syntaxName(syntax)));
    const gdcm::Image& image = reader.GetImage();
    if (const std::string why = notOneGreySlice(image); !why.empty()) return refused(Msg::notOneGreySlice(path, why));

    gdcm::ImageChangeTransferSyntax change;
    change.SetTransferSyntax(gdcm::TransferSyntax::ExplicitVRLittleEndian);
    change.SetInput(image);
    if (!change.Change()) return refused(Msg::cannotDecode(path, syntaxName(syntax)));

    gdcm::ImageWriter writer;
    writer.SetFile(reader.GetFile());
    writer.SetImage(change.GetOutput());
    std::ostringstream out;
    writer.SetStream(out);
    if (!writer.Write()) return refused(Msg::cannotDecode(path, syntaxName(syntax)));

    const std::string bytes = std::move(out).str();
    return {ByteBuffer(bytes.begin(), bytes.end()), "Decoded from : " + syntaxName(syntax) + "\r\n", {}};
}
