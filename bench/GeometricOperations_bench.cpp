// Flips and quarter turns of a 2048 x 2048 image in the file buffer.
#include "GeometricOperations.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int32_t kSide = 2048;
constexpr int32_t kHeader = 3 * 1024;

template <typename Operation>
void run(benchmark::State& state, Operation operation)
{
    ByteBuffer buffer(kHeader + 2 * static_cast<size_t>(kSide) * kSide);
    for (size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<uint8_t>(i * 7);
    const WordImage image = wordImage(buffer, kHeader, kSide, kSide);
    for (auto _ : state) {
        operation(image);
        benchmark::ClobberMemory();
    }
}

const ViewWindowRect kWholeView{0, kSide - 1, 0, kSide - 1};

void BM_FlipVertical(benchmark::State& state) { run(state, flipVertical); }
void BM_FlipHorizontal(benchmark::State& state) { run(state, flipHorizontal); }
void BM_TurnClockwise(benchmark::State& state)
{
    run(state, [](const WordImage& image) { turnView(image, kWholeView, Turn::Clockwise); });
}
void BM_TurnCounterClockwise(benchmark::State& state)
{
    run(state, [](const WordImage& image) { turnView(image, kWholeView, Turn::CounterClockwise); });
}

BENCHMARK(BM_FlipVertical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlipHorizontal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TurnClockwise)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TurnCounterClockwise)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
