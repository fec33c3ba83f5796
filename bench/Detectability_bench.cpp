// d′ of one task from a 64 x 64 NPS, and the table over the five diameters, with the
// default eye filter and a designer disk (the Bessel functions of order n + 1 cost
// the most; the flat disk's J1 costs about as much).
#include "Detectability.h"
#include "Phantoms.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// A CT-like NPS: white noise's grid reshaped by a ramp rolled off by the kernel.
NpsGrid coloredNps()
{
    NpsGrid nps = whiteNoiseNps(64, 0.5, 10);
    const double df = 1.0 / (64 * 0.5);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const double f = std::hypot((x - 32) * df, (y - 32) * df);
            nps.values[static_cast<size_t>(y * 64 + x)] = 0.5 + 80 * f * std::exp(-f * f / 0.18);
        }
    return nps;
}

const DiskTask task{5.0, 10.0, DiskTask::Profile::designer, 1.5};

void OneTask64(benchmark::State& state)
{
    const TtfCurve ttf = gaussianTtf(0.5);
    const NpsGrid nps = coloredNps();
    for (auto _ : state) benchmark::DoNotOptimize(detectability(task, EyeFilter{}, ttf, nps));
}
BENCHMARK(OneTask64)->Unit(benchmark::kMillisecond);

void DiameterTable64(benchmark::State& state)
{
    const TtfCurve ttf = gaussianTtf(0.5);
    const NpsGrid nps = coloredNps();
    for (auto _ : state) benchmark::DoNotOptimize(detectabilityByDiameter(task, EyeFilter{}, ttf, nps));
}
BENCHMARK(DiameterTable64)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
