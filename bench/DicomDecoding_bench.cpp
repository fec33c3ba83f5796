// Decoding one 512 x 512 slice stored as JPEG-LS lossless (made from a sample slice
// with DCMTK's dcmcjpls), into the explicit VR little endian file the reader reads,
// through the decoder program; and, for comparison in the same run, CharLS alone on
// the same slice's code stream, which is the least such a decoding can cost.
#include "DicomDecoding.h"
#include "RawLoading.h"

#include <benchmark/benchmark.h>
#include <charls/charls.h>

#include <algorithm>
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
// Real time: the decoding happens in the decoder program, not in this one.
BENCHMARK(DecodeJpegLsSlice)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

// The slice's JPEG-LS code stream: from its start of image to its end of image, both
// inside the pixel data's one fragment.
ByteBuffer codeStream(const ByteBuffer& file)
{
    const uint8_t start[] = {0xFF, 0xD8, 0xFF, 0xF7}, end[] = {0xFF, 0xD9};
    const auto first = std::search(file.begin(), file.end(), std::begin(start), std::end(start));
    const auto last = std::find_end(first, file.end(), std::begin(end), std::end(end));
    if (first == file.end() || last == file.end()) throw std::runtime_error("no JPEG-LS code stream");
    return {first, last + 2};
}

void CharLsAloneOnTheSameSlice(benchmark::State& state)
{
    const ByteBuffer stream = codeStream(jpegLsSlice);
    ByteBuffer pixels;
    for (auto _ : state) {
        charls::jpegls_decoder decoder(stream, true);
        pixels.resize(decoder.destination_size());
        decoder.decode(pixels);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["bytes"] = static_cast<double>(stream.size());
}
BENCHMARK(CharLsAloneOnTheSameSlice)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

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
