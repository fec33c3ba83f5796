// The TaskIQ measurements at the sizes of a clinical series: the TTF of a 25 mm insert
// over 15 slices of 512 x 512 at 0.5 mm, and the 2-D NPS over 16 slices of a 128 x 128
// frame (9 ROIs of 64 x 64 on each). bench/taskiq_numpy.py times the same computations
// written plainly with numpy.
#include "InsertTtf.h"
#include "NoisePowerSpectrum2D.h"
#include "TaskIqPhantoms.h"

#include <benchmark/benchmark.h>

namespace {

void InsertTtf15Slices512(benchmark::State& state)
{
    std::mt19937_64 random(1);
    const HuSlice disk = phantom::blurredDisk(512, 0.5, 256.3, 255.6, 12.5, 0.45, 100);
    std::vector<HuSlice> slices(15, disk);
    for (HuSlice& s : slices) phantom::addWhiteNoise(s, 10, random);
    for (auto _ : state) benchmark::DoNotOptimize(measureInsertTtf(slices, {0.5, 256, 256, 25}));
}
BENCHMARK(InsertTtf15Slices512)->Unit(benchmark::kMillisecond);

void Nps2D16SlicesOf9Rois(benchmark::State& state)
{
    std::mt19937_64 random(2);
    std::vector<HuSlice> slices;
    for (int i = 0; i < 16; ++i) slices.push_back(phantom::whiteNoise(512, 10, random));
    const NpsSettings settings{0.5, {192, 192, 128, 128}, 64, NpsDetrend::Poly2};
    for (auto _ : state) benchmark::DoNotOptimize(measureNps2D(slices, settings));
    if (measureNps2D(slices, settings).roiCount != 16 * 9) state.SkipWithError("not 9 ROIs per slice");
}
BENCHMARK(Nps2D16SlicesOf9Rois)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
