// Decoding one 512 x 512 slice stored as JPEG-LS lossless (made from a sample slice
// with DCMTK's dcmcjpls), into the explicit VR little endian file the reader reads.
#include "DicomDecoding.h"
#include "RawLoading.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace {

ByteBuffer jpegLsSlice;

void DecodeJpegLsSlice(benchmark::State& state)
{
    for (auto _ : state) {
        DecodedDicom decoded = decodeDicom(jpegLsSlice, "slice.dcm");
        if (!decoded.refusal.empty()) throw std::runtime_error(decoded.refusal);
        benchmark::DoNotOptimize(decoded.file.data());
    }
    state.counters["bytes"] = static_cast<double>(jpegLsSlice.size());
}
BENCHMARK(DecodeJpegLsSlice)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "ctiq_decoding_bench";
    std::filesystem::remove_all(root);
    const std::string make = std::string(SAMPLE_SERIES_TOOL) + " " + root.string() +
                             " --slices 1 --size 512 >/dev/null && dcmcjpls " +
                             (root / "sspz" / "slice001.dcm").string() + " " + (root / "jpegls.dcm").string();
    if (std::system(make.c_str()) != 0) return 1;
    jpegLsSlice = readWholeFile((root / "jpegls.dcm").string());

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(root);
    return 0;
}
