// The MTF window's whole processing chain on the longest profile its arrays allow.
#include "InputGridWidget.h"
#include "MtfTransform.h"
#include "Unit2.h"
#include "WindowBenchmarkMain.h"
#include "WindowControls.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

// A broad peak on a background of 10 with three background samples at each end,
// so that all of it is kept: M = 409.
double sample(int k)
{
    if (k < 3 || k > 405) return 10;
    return 10 + 100 * std::sin(std::numbers::pi * (k - 2) / 404);
}

void fillLongestProfile()
{
    StringGrid* g = control<InputGrid>(Form2, "StringGridInput");
    g->setColCount(5);
    g->setRowCount(MaxKeptSamples + 1);
    for (int r = 1; r <= MaxKeptSamples; ++r) g->setCell(4, r, QString::number(sample(r - 1), 'g', 15));
    control<QLineEdit>(Form2, "EditsIntrv")->setText("0.5");
    control<QLineEdit>(Form2, "EditLSFgdx")->setText("0.5");
    control<QLineEdit>(Form2, "EditLSFgnd")->setText(QString::number(MaxKeptSamples));
}

void ProcessProfileLongest(benchmark::State& state)
{
    fillLongestProfile();
    for (auto _ : state) Form2->ProcessProfile();
    if (control<QLineEdit>(Form2, "EditLSFgnd")->text() != "409") state.SkipWithError("the profile was not kept whole");
}
BENCHMARK(ProcessProfileLongest)->Unit(benchmark::kMillisecond);

void TransformOnly(benchmark::State& state)
{
    MtfArray aSSPz{};
    for (int k = 0; k < MaxKeptSamples; ++k) aSSPz[k] = sample(k) - 10;
    SpectrumArrays s;
    for (auto _ : state) benchmark::DoNotOptimize(computeMtfValues(aSSPz, MaxKeptSamples, s));
}
BENCHMARK(TransformOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return runWindowBenchmarks(argc, argv); }
