// "Cal" on a 512 x 512 ROI, N = 64, band and segment trends of degree 2, Hamming window:
// the calculation alone, which must allocate nothing (every allocation while it runs
// is counted), and the whole button with its charts and grid.
#include "SpectrumCalculation.h"
#include "Unit1.h"
#include "Unit3.h"
#include "WindowBenchmarkMain.h"
#include "WindowControls.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <random>

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

struct NoDrawing : ProfileSink {
    void DrawProfile() override {}
};

ByteBuffer noiseImage(int size)
{
    ByteBuffer buffer(static_cast<size_t>(2 * size * size));
    std::mt19937 generator(11);
    std::normal_distribution<double> normal(1000.0, 20.0);
    for (size_t i = 0; i < buffer.size(); i += 2) {
        const auto word = static_cast<uint16_t>(std::lround(normal(generator)));
        buffer[i] = static_cast<uint8_t>(word & 0xFF);
        buffer[i + 1] = static_cast<uint8_t>(word >> 8);
    }
    return buffer;
}

SpectrumParameters benchParameters()
{
    SpectrumParameters p;
    p.W = p.imageColumns = p.imageRows = 512;
    p.RX = p.RY = 512;
    p.SgX = 64;
    p.SgY = 16;
    p.ShX = 32;
    p.ShY = 8;
    p.limit = 10000;
    p.bandTrend = p.segmentTrend = true;
    p.bandDegree.value = p.segmentDegree.value = 2;
    p.hamming = true;
    p.pixelSpacing.value = 0.5;
    return p;
}

void BM_Cal512Trends(benchmark::State& bench)
{
    const ByteBuffer image = noiseImage(512);
    const SpectrumParameters p = benchParameters();
    auto state = std::make_unique<SpectrumState>();
    NoDrawing sink;
    int32_t used = 0;
    long allocated = 0;
    for (auto _ : bench) {
        const long before = allocations.load();
        used = calculateSpectrum(*state, p, image, sink);
        allocated += allocations.load() - before;
        benchmark::DoNotOptimize(state->WsSpectrum.data());
    }
    bench.counters["segments"] = used;
    bench.counters["allocations"] = static_cast<double>(allocated);
    if (allocated != 0) bench.SkipWithError("the calculation allocated memory");
}
BENCHMARK(BM_Cal512Trends)->Unit(benchmark::kMillisecond);

// The same through the window: parameters read from the edits, then the charts,
// the grid and the segment count written.
void BM_CalButton512Trends(benchmark::State& bench)
{
    Form1->loadImageBytes(noiseImage(512), 512, 512);
    Form1->setRoiRect({0, 0, 511, 511});
    control<QLineEdit>(Form1, "EditHeader")->setText("0");
    control<QLineEdit>(Form1, "EditOffst")->setText("0");
    control<QLineEdit>(Form1, "EditPxlSpc")->setText("0.5");
    control<QLineEdit>(Form1, "EditImgSizeX")->setText("512");
    control<QLineEdit>(Form1, "EditImgSizeY")->setText("512");
    control<QLineEdit>(Form1, "EditROISizeX")->setText("512");
    control<QLineEdit>(Form1, "EditROISizeY")->setText("512");
    Form3->ButtonLoadClick();
    control<QLineEdit>(Form3, "EditSgmntX")->setText("64");
    control<QLineEdit>(Form3, "EditShftX")->setText("32");
    control<QCheckBox>(Form3, "CheckBoxTrnd")->setChecked(true);
    control<QCheckBox>(Form3, "CheckBoxTrnd1")->setChecked(true);
    control<QLineEdit>(Form3, "EditN")->setText("2");
    control<QLineEdit>(Form3, "EditN1")->setText("2");
    for (auto _ : bench) {
        // Every run draws its band profiles as the first after Clear does.
        bench.PauseTiming();
        Form3->ButtonClrClick();
        bench.ResumeTiming();
        Form3->ButtonCalClick();
    }
    bench.counters["segments"] = control<QLineEdit>(Form3, "EditNSgmnt")->text().toInt();
}
BENCHMARK(BM_CalButton512Trends)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return runWindowBenchmarks(argc, argv); }
