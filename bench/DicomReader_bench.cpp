// The DICOM header reader, and the whole load of a 512 x 512 DICOM slice in a
// folder of 200 slices (read, header, draw, "Auto", "F.List"), through the Viewer.
#include "DataSet.h"
#include "DicomRecord.h"
#include "ScannerHeader.h"
#include "Unit1.h"
#include "WindowBenchmarkMain.h"
#include "WindowControls.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

const std::filesystem::path testFiles = "/usr/lib/python3/dist-packages/pydicom/data/test_files";

ByteBuffer readAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void putWord(ByteBuffer& bytes, size_t at, uint16_t value)
{
    bytes[at] = static_cast<uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

// CT_small.dcm's header made into a 512 x 512 slice: Rows and Columns set to 512 and
// the pixel data replaced by a noisy disc.
ByteBuffer slice512()
{
    ByteBuffer ct = readAll(testFiles / "CT_small.dcm");
    for (const uint16_t element : {0x0010, 0x0011}) {
        const std::array<uint8_t, 8> tag = {0x28, 0x00, static_cast<uint8_t>(element), 0x00, 'U', 'S', 2, 0};
        const auto at = std::search(ct.begin(), ct.end(), tag.begin(), tag.end());
        putWord(ct, static_cast<size_t>(at - ct.begin()) + tag.size(), 512);
    }
    const std::array<uint8_t, 4> pixelTag = {0xE0, 0x7F, 0x10, 0x00};
    const size_t pixels =
        static_cast<size_t>(std::search(ct.begin(), ct.end(), pixelTag.begin(), pixelTag.end()) - ct.begin()) + 12;
    ct.resize(pixels);
    putWord(ct, pixels - 4, 0); // length 512 * 512 * 2 = 0x00080000
    putWord(ct, pixels - 2, 0x0008);
    std::mt19937 noise(1);
    std::normal_distribution<double> sd(0, 10);
    for (int y = 0; y < 512; ++y) {
        for (int x = 0; x < 512; ++x) {
            const bool inside = (x - 256) * (x - 256) + (y - 256) * (y - 256) < 200 * 200;
            const auto value = static_cast<uint16_t>(static_cast<int16_t>((inside ? 1024 : 24) + sd(noise)));
            ct.push_back(static_cast<uint8_t>(value & 0xFF));
            ct.push_back(static_cast<uint8_t>(value >> 8));
        }
    }
    return ct;
}

void ReadHeaderCtSmall(benchmark::State& state)
{
    const ByteBuffer file = readAll(testFiles / "CT_small.dcm");
    for (auto _ : state) {
        DicomRecord record;
        benchmark::DoNotOptimize(readDicom(file, record));
    }
}
BENCHMARK(ReadHeaderCtSmall)->Unit(benchmark::kMicrosecond);

// A 512 x 512 slice with an icon and 40 KB of private elements: the structure parsed,
// and the whole reading into the grid, the edits and the summary.
void ParseScannerHeader512(benchmark::State& state)
{
    const ByteBuffer file = withScannerHeader(slice512());
    for (auto _ : state) benchmark::DoNotOptimize(readDataSet(file.data(), file.size(), ReadExtent::ToPixelData));
}
BENCHMARK(ParseScannerHeader512)->Unit(benchmark::kMicrosecond);

void ReadScannerHeader512(benchmark::State& state)
{
    const ByteBuffer file = withScannerHeader(slice512());
    size_t rows = 0;
    for (auto _ : state) {
        DicomRecord record;
        benchmark::DoNotOptimize(readDicom(file, record));
        rows = record.grid.size();
    }
    if (rows < 400) state.SkipWithError("the header was not read whole");
}
BENCHMARK(ReadScannerHeader512)->Unit(benchmark::kMicrosecond);

// The same through the Viewer: the tag grid, the edits and Memo1 filled.
void ReadHeaderCtSmallIntoViewer(benchmark::State& state)
{
    Form1->loadImageBytes(readAll(testFiles / "CT_small.dcm"));
    for (auto _ : state) Form1->ReadDicom();
}
BENCHMARK(ReadHeaderCtSmallIntoViewer)->Unit(benchmark::kMicrosecond);

void LoadSlice512InFolderOf200(benchmark::State& state)
{
    const auto folder =
        std::filesystem::temp_directory_path() / ("ctiq-bench-" + std::to_string(std::random_device()()));
    std::filesystem::create_directory(folder);
    const ByteBuffer slice = slice512();
    for (int i = 1; i <= 200; ++i) {
        std::ofstream out(folder / ("IM" + std::to_string(i)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(slice.data()), static_cast<std::streamsize>(slice.size()));
    }
    const QString file = QString::fromStdString((folder / "IM100").string());
    control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(2);
    QLineEdit* const fileName = control<QLineEdit>(Form1, "EditFileName"); // found once, outside the timing
    for (auto _ : state) {
        fileName->setText(file);
        Form1->setViewState(2);
        Form1->BitBtnLoadClick();
    }
    if (control<QLineEdit>(Form1, "EditImgSizeX")->text() != "512" ||
        control<QListWidget>(Form1, "ListBox1")->count() != 200)
        state.SkipWithError("the slice did not load");
    std::filesystem::remove_all(folder);
}
BENCHMARK(LoadSlice512InFolderOf200)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return runWindowBenchmarks(argc, argv); }
