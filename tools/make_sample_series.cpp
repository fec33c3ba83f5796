// Writes a synthetic CT series as DICOM files (explicit VR little endian) for trying
// out and testing the slice-series measurement and the noise spectrum:
//
//   <folder>/sspz/slice001.dcm ...  a slice-thickness phantom: a water field with a
//                                   square insert whose contrast along z follows a
//                                   Gaussian slice sensitivity profile of known FWHM
//   <folder>/water/water.dcm        one uniform water slice with known noise
//
// Usage: ctiq-sample-series <folder> [--slices N] [--size S] [--interval mm]
//                           [--fwhm mm] [--contrast HU] [--noise HU] [--seed n]
//                           [--names slice|uid|shuffled] [--descending]
// Pixel values are HU + 1024 (RescaleIntercept -1024). The truth is printed.
// The slices are named slice001.dcm ... in position order by default; as scanners
// and archives export them, "uid" names each by its SOP Instance UID and "shuffled"
// names them IM1 ... IMn in an order unrelated to position. "--descending" writes the
// positions from the top down, so that slice001.dcm lies highest. The seed also makes
// the UIDs, so two seeds written into one folder give two series.
#include "FileWrite.h"
#include "Phantoms.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Options {
    std::filesystem::path folder;
    int slices = 41;
    int size = 512;
    double interval = 0.5;  // mm between slice positions
    double fwhm = 5;        // mm, of the slice sensitivity profile
    double contrast = 1000; // HU of the insert at the profile's peak
    double noise = 10;      // HU, standard deviation of every pixel
    double pixelSpacing = 0.5;
    unsigned seed = 1;
    std::string names = "slice";
    bool descending = false;
};

// Explicit VR little endian elements, appended to a byte string.
class Elements {
public:
    void text(uint16_t group, uint16_t element, const char vr[3], std::string value)
    {
        // Values have even lengths: UIs are padded with a zero byte, other texts with a blank.
        if (value.size() % 2) value += std::string(vr) == "UI" ? '\0' : ' ';
        header(group, element, vr);
        put16(static_cast<uint16_t>(value.size()));
        bytes_ += value;
    }
    void us(uint16_t group, uint16_t element, uint16_t value)
    {
        header(group, element, "US");
        put16(2);
        put16(value);
    }
    void ul(uint16_t group, uint16_t element, uint32_t value)
    {
        header(group, element, "UL");
        put16(4);
        put32(value);
    }
    // OB and OW carry two reserved bytes and a 32-bit length.
    void longValue(uint16_t group, uint16_t element, const char vr[3], const std::string& value)
    {
        header(group, element, vr);
        put16(0);
        put32(static_cast<uint32_t>(value.size()));
        bytes_ += value;
    }
    const std::string& bytes() const { return bytes_; }

private:
    void header(uint16_t group, uint16_t element, const char vr[3])
    {
        put16(group);
        put16(element);
        bytes_ += vr[0];
        bytes_ += vr[1];
    }
    void put16(uint16_t v)
    {
        bytes_ += static_cast<char>(v & 0xFF);
        bytes_ += static_cast<char>(v >> 8);
    }
    void put32(uint32_t v)
    {
        put16(static_cast<uint16_t>(v & 0xFFFF));
        put16(static_cast<uint16_t>(v >> 16));
    }
    std::string bytes_;
};

const char* const ctImageStorage = "1.2.840.10008.5.1.4.1.1.2";
const char* const explicitLittleEndian = "1.2.840.10008.1.2.1";
// UIDs under the 2.25 root need no registration.
const char* const uidRoot = "2.25.271828182845904523536.";

std::string decimal(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

// Instance UIDs as a scanner makes them: unique, and in no order of position.
std::vector<std::string> instanceUids(const Options& o)
{
    std::mt19937 random(o.seed + 2);
    std::vector<std::string> uids;
    for (int i = 0; i < o.slices; ++i)
        uids.push_back(uidRoot + std::to_string(o.seed) + "." + std::to_string(i + 1) + std::to_string(random()));
    std::shuffle(uids.begin(), uids.end(), random);
    return uids;
}

void writeSlice(const std::filesystem::path& path, const Options& o, const std::string& instance, int number, double z,
                double thickness, const std::string& description, const std::vector<uint16_t>& pixels)
{
    Elements meta;
    meta.longValue(0x0002, 0x0001, "OB", std::string("\0\1", 2));
    meta.text(0x0002, 0x0002, "UI", ctImageStorage);
    meta.text(0x0002, 0x0003, "UI", instance);
    meta.text(0x0002, 0x0010, "UI", explicitLittleEndian);
    meta.text(0x0002, 0x0012, "UI", std::string(uidRoot) + "1");
    Elements group2;
    group2.ul(0x0002, 0x0000, static_cast<uint32_t>(meta.bytes().size()));

    std::string pixelBytes;
    pixelBytes.reserve(pixels.size() * 2);
    for (uint16_t p : pixels) {
        pixelBytes += static_cast<char>(p & 0xFF);
        pixelBytes += static_cast<char>(p >> 8);
    }
    const double half = o.size * o.pixelSpacing / 2;
    Elements data;
    data.text(0x0008, 0x0016, "UI", ctImageStorage);
    data.text(0x0008, 0x0018, "UI", instance);
    data.text(0x0008, 0x0060, "CS", "CT");
    data.text(0x0008, 0x103E, "LO", description);
    data.text(0x0010, 0x0010, "PN", "Sample^Phantom");
    data.text(0x0018, 0x0050, "DS", decimal(thickness));
    data.text(0x0018, 0x0060, "DS", "120");
    data.text(0x0020, 0x000D, "UI", std::string(uidRoot) + std::to_string(o.seed));
    data.text(0x0020, 0x000E, "UI", std::string(uidRoot) + std::to_string(o.seed) + ".0");
    data.text(0x0020, 0x0013, "IS", std::to_string(number));
    data.text(0x0020, 0x0032, "DS", decimal(-half) + "\\" + decimal(-half) + "\\" + decimal(z));
    data.us(0x0028, 0x0002, 1);
    data.text(0x0028, 0x0004, "CS", "MONOCHROME2");
    data.us(0x0028, 0x0010, static_cast<uint16_t>(o.size));
    data.us(0x0028, 0x0011, static_cast<uint16_t>(o.size));
    data.text(0x0028, 0x0030, "DS", decimal(o.pixelSpacing) + "\\" + decimal(o.pixelSpacing));
    data.us(0x0028, 0x0100, 16);
    data.us(0x0028, 0x0101, 16);
    data.us(0x0028, 0x0102, 15);
    data.us(0x0028, 0x0103, 0);
    data.text(0x0028, 0x1050, "DS", "40");
    data.text(0x0028, 0x1051, "DS", "400");
    data.text(0x0028, 0x1052, "DS", "-1024");
    data.text(0x0028, 0x1053, "DS", "1");
    data.longValue(0x7FE0, 0x0010, "OW", pixelBytes);

    writeFileAtomically(path.string(), std::string(128, '\0') + "DICM" + group2.bytes() + meta.bytes() + data.bytes());
}

const char* const usage = "usage: ctiq-sample-series <folder> [--slices N] [--size S] [--interval mm]\n"
                          "                          [--fwhm mm] [--contrast HU] [--noise HU] [--seed n]\n"
                          "                          [--names slice|uid|shuffled] [--descending]\n"
                          "Writes <folder>/sspz/slice001.dcm ... (a slice-thickness phantom) and\n"
                          "<folder>/water/water.dcm (a uniform water slice) and prints their truth.\n";

// Bad usage: the usage text is printed and the tool ends with status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

template <typename Number>
Number numberOf(const std::string& key, const std::string& value, Number (*convert)(const std::string&, size_t*))
{
    try {
        size_t used = 0;
        const Number n = convert(value, &used);
        if (used == value.size()) return n;
    } catch (const std::logic_error&) {
    }
    throw UsageError(key + " takes a number, not '" + value + "'");
}

int intOf(const std::string& s, size_t* used) { return std::stoi(s, used); }
double doubleOf(const std::string& s, size_t* used) { return std::stod(s, used); }
unsigned long unsignedOf(const std::string& s, size_t* used) { return std::stoul(s, used); }

Options parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") throw UsageError("");
        if (arg.rfind("-", 0) != 0) {
            if (!o.folder.empty()) throw UsageError("only one folder, not also '" + arg + "'");
            o.folder = arg;
            continue;
        }
        if (arg == "--descending") {
            o.descending = true;
            continue;
        }
        if (i + 1 >= argc) throw UsageError(arg + " needs a value");
        const std::string value = argv[++i];
        if (arg == "--slices") o.slices = numberOf(arg, value, intOf);
        else if (arg == "--size") o.size = numberOf(arg, value, intOf);
        else if (arg == "--interval") o.interval = numberOf(arg, value, doubleOf);
        else if (arg == "--fwhm") o.fwhm = numberOf(arg, value, doubleOf);
        else if (arg == "--contrast") o.contrast = numberOf(arg, value, doubleOf);
        else if (arg == "--noise") o.noise = numberOf(arg, value, doubleOf);
        else if (arg == "--seed") o.seed = static_cast<unsigned>(numberOf(arg, value, unsignedOf));
        else if (arg == "--names") o.names = value;
        else throw UsageError("unknown option " + arg);
    }
    if (o.folder.empty()) throw UsageError("no folder given");
    if (o.names != "slice" && o.names != "uid" && o.names != "shuffled")
        throw UsageError("--names takes slice, uid or shuffled, not '" + o.names + "'");
    if (o.slices < 1 || o.slices > 9999 || o.size < 16 || o.size > 4096 || !(o.interval > 0) || !(o.fwhm > 0))
        throw UsageError("option out of range: 1 to 9999 slices, size 16 to 4096, interval and FWHM above 0");
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        const Options o = parse(argc, argv);
        std::mt19937 random(o.seed);
        const std::filesystem::path series = o.folder / "sspz";
        const std::filesystem::path water = o.folder / "water";
        std::filesystem::create_directories(series);
        std::filesystem::create_directories(water);

        const double z0 = -(o.slices - 1) / 2.0 * o.interval;
        const int insert = o.size / 8;
        std::vector<int> shuffled(static_cast<size_t>(o.slices));
        for (int i = 0; i < o.slices; ++i) shuffled[static_cast<size_t>(i)] = i + 1;
        std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(o.seed + 1));
        const std::vector<std::string> uids = instanceUids(o);
        for (int i = 0; i < o.slices; ++i) {
            // Slice i lies at the i-th position from the bottom; its pixels, drawn in
            // that order, are the same whatever the names and the direction.
            const double z = z0 + i * o.interval;
            const double lift = sensitivityProfileLift(o.fwhm, o.contrast, z);
            const int number = o.descending ? o.slices - i : i + 1;
            char name[32];
            std::snprintf(name, sizeof name, "slice%03d.dcm", number);
            std::string file = name;
            const std::string& instance = uids[static_cast<size_t>(number - 1)];
            if (o.names == "uid") file = instance + ".dcm";
            if (o.names == "shuffled") file = "IM" + std::to_string(shuffled[static_cast<size_t>(number - 1)]);
            writeSlice(series / file, o, instance, number, z, o.fwhm, "SSPz phantom",
                       sampleSlicePixels(o.size, o.noise, insert, lift, random));
        }
        writeSlice(water / "water.dcm", o, uidRoot + std::to_string(o.seed) + ".0.0", 0, 0, o.fwhm, "Water",
                   sampleSlicePixels(o.size, o.noise, 0, 0, random));

        std::cout << "series: " << series.string() << " (" << o.slices << " slices, " << o.size << " x " << o.size
                  << ", positions " << decimal(z0) << " to " << decimal(z0 + (o.slices - 1) * o.interval) << " mm)\n"
                  << "slice sensitivity profile: Gaussian, FWHM " << o.fwhm << " mm, peak " << o.contrast
                  << " HU at z = 0, in the central square of " << 2 * insert - 1 << " x " << 2 * insert - 1
                  << " pixels\n"
                  << "water slice: " << (water / "water.dcm").string() << ", 0 HU, noise SD " << o.noise << " HU\n";
        return 0;
    } catch (const UsageError& e) {
        if (*e.what()) std::cerr << e.what() << "\n";
        std::cerr << usage;
        return 2;
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
