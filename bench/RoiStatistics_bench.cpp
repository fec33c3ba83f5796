// "Stat" on a 512 x 512 ROI, and the frame drawing a frame drag repeats per mouse move.
#include "RoiFrame.h"
#include "RoiStatistics.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

ByteBuffer noiseImage(int32_t columns, int32_t rows)
{
    std::mt19937 random(1);
    ByteBuffer buffer(2 * static_cast<size_t>(columns) * rows);
    for (auto& byte : buffer) byte = static_cast<uint8_t>(random());
    return buffer;
}

void BM_Stat512Roi(benchmark::State& state)
{
    const ByteBuffer image = noiseImage(1024, 1024);
    const SampleLayout layout{0, 1024, state.range(0) != 0, -1024};
    const SampleBlock roi{256, 256, 512, 512};
    for (auto _ : state) benchmark::DoNotOptimize(roiStatistics(image, layout, 1024, roi));
}
BENCHMARK(BM_Stat512Roi)->Arg(0)->Arg(1)->ArgName("swap")->Unit(benchmark::kMicrosecond);

void BM_MoveFrame(benchmark::State& state)
{
    GreyBitmap bitmap;
    bitmap.resize(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(0)));
    // The frame (256 x 256 bitmap pixels) moves one pixel back and forth.
    Rect roi{100, 100, 355, 355};
    drawRoiFrame(bitmap, roi);
    int step = 1;
    for (auto _ : state) {
        drawRoiFrame(bitmap, roi); // erase
        roi.Left += step, roi.Right += step, step = -step;
        drawRoiFrame(bitmap, roi); // draw at the new place
    }
    benchmark::DoNotOptimize(bitmap.pixels.data());
}
BENCHMARK(BM_MoveFrame)->Arg(512)->Arg(2048)->ArgName("bitmap")->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
