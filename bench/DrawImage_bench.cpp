// Drawing a 16-bit image through the window level and width, against copying
// the same bytes with memcpy.
#include "DisplayMapping.h"
#include "Unit1.h"
#include "WindowBenchmarkMain.h"
#include "WindowControls.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

namespace {

// Argument 1 of each benchmark: 0 for uniform random words (the worst case: the
// grey table is read all over), 1 for a CT-like slice (a water disc of stored
// value 1024 with noise of SD 20 in air around 24).
ByteBuffer testImage(int side, bool ctLike)
{
    ByteBuffer bytes(static_cast<size_t>(side) * side * 2);
    std::mt19937 random(1);
    std::normal_distribution<double> noise(0, 20);
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            const double dx = c - side / 2.0, dy = r - side / 2.0;
            const bool water = dx * dx + dy * dy < side * side / 9.0;
            const auto value =
                ctLike ? static_cast<uint16_t>((water ? 1024 : 24) + noise(random)) : static_cast<uint16_t>(random());
            const size_t at = 2 * (static_cast<size_t>(r) * side + c);
            bytes[at] = static_cast<uint8_t>(value);
            bytes[at + 1] = static_cast<uint8_t>(value >> 8);
        }
    }
    return bytes;
}

void BM_DrawImage(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    Form1->loadImageBytes(testImage(side, state.range(1) != 0));
    control<QLineEdit>(Form1, "EditImgSizeX")->setText(QString::number(side));
    control<QLineEdit>(Form1, "EditImgSizeY")->setText(QString::number(side));
    control<QLineEdit>(Form1, "EditHeader")->setText("0");
    control<QLineEdit>(Form1, "EditWindowLevel")->setText("1000");
    control<QLineEdit>(Form1, "EditWindowWidth")->setText("400");
    control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(1);
    Form1->setViewState(1);
    for (auto _ : state) {
        Form1->DrawImage();
        benchmark::DoNotOptimize(Form1->dispBitmap().pixels.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(Form1->fileBuffer().size()));
}
BENCHMARK(BM_DrawImage)->ArgsProduct({{512, 2048}, {0, 1}})->Unit(benchmark::kMicrosecond);

// With GreyPath::table every pixel is looked up, as on a processor without AVX2.
template <GreyPath path>
void BM_RenderView(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    const ByteBuffer image = testImage(side, state.range(1) != 0);
    GreyMapping mapping;
    mapping.factor = greyFactor(400);
    GreyTable table;
    GreyBitmap bitmap;
    bitmap.resize(side, side);
    for (auto _ : state) {
        // A new window each time, as a window/level drag gives: where the grey table
        // serves (no AVX2, or rows not a multiple of sixteen) it is rebuilt.
        mapping.level = 1000 + static_cast<int32_t>(state.iterations() % 2);
        renderView(image, 0, side, side, {0, side - 1, 0, side - 1}, mapping, table, bitmap, path);
        benchmark::DoNotOptimize(bitmap.pixels.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(image.size()));
}
BENCHMARK(BM_RenderView<GreyPath::fastest>)
    ->Name("BM_RenderView")
    ->ArgsProduct({{512, 2048}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderView<GreyPath::table>)
    ->Name("BM_RenderViewLookedUp")
    ->ArgsProduct({{512, 2048}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

void BM_MemcpySameBytes(benchmark::State& state)
{
    const int side = static_cast<int>(state.range(0));
    const ByteBuffer image = testImage(side, false);
    ByteBuffer copy(image.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), image.data(), image.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(image.size()));
}
BENCHMARK(BM_MemcpySameBytes)->Arg(512)->Arg(2048)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) { return runWindowBenchmarks(argc, argv); }
