// "Cal." over series of 250, 1,000 and 2,000 slices of 128 x 128 (its cost per slice
// must not grow with the series) and of 100 slices of 512 x 512, against only reading the same
// files from the page cache; and the parts of one slice's measurement.
#include "Dialogs.h"
#include "FileRead.h"
#include "ScannerHeader.h"
#include "Unit1.h"
#include "WindowBenchmarkMain.h"
#include "WindowControls.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>
#include <vector>

namespace {

std::filesystem::path root;
QString openAnswer;

// The file dialog answers with the series' first slice; nothing else is asked.
class FirstSliceDialogs : public Dialogs {
public:
    std::optional<QString> openFile(QWidget*) override { return openAnswer; }
    std::optional<QString> saveFile(QWidget*, const QString&) override { return std::nullopt; }
    QString inputBox(QWidget*, const QString&, const QString&, const QString& defaultText) override
    {
        return defaultText;
    }
    void information(QWidget*, const QString&) override {}
    void errorReport(QWidget*, const QString& message) override { qFatal("%s", qPrintable(message)); }
};

// The folder of a series of `slices` slices of size x size, written on first use; with
// `scanner` its slices carry an icon and 40 KB of private elements, as scanners write them.
std::filesystem::path seriesFolder(int slices, int size, bool scanner = false)
{
    const std::filesystem::path folder =
        root / ("s" + std::to_string(slices) + "x" + std::to_string(size) + (scanner ? "scanner" : ""));
    if (!std::filesystem::exists(folder)) {
        QProcess tool;
        tool.start(SAMPLE_SERIES_TOOL, {QString::fromStdString(folder.string()), "--slices", QString::number(slices),
                                        "--size", QString::number(size)});
        if (!tool.waitForFinished(300000) || tool.exitCode() != 0) qFatal("the sample tool failed");
        if (scanner) {
            for (const auto& entry : std::filesystem::directory_iterator(folder / "sspz")) {
                const ByteBuffer slice = readWholeFile(entry.path().string());
                const ByteBuffer file = withScannerHeader(slice);
                std::ofstream(entry.path(), std::ios::binary)
                    .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
            }
        }
    }
    return folder / "sspz";
}

// "Open" on the series with the ROI on the insert, unless it is open already.
void openSeries(int slices, int size, bool scanner = false)
{
    static std::tuple<int, int, bool> open;
    if (open == std::tuple{slices, size, scanner}) return;
    openAnswer = QString::fromStdString((seriesFolder(slices, size, scanner) / "slice001.dcm").string());
    Form1->ButtonDispCClick();
    const QString centre = QString::number(size / 2), side = QString::number(size / 5);
    control<QLineEdit>(Form1, "EditROIPosX")->setText(centre);
    control<QLineEdit>(Form1, "EditROIPosY")->setText(centre);
    control<QLineEdit>(Form1, "EditROISizeX")->setText(side);
    control<QLineEdit>(Form1, "EditROISizeY")->setText(side);
    QCoreApplication::processEvents();
    open = {slices, size, scanner};
}

void CalOverSeries(benchmark::State& state)
{
    openSeries(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), state.range(2) != 0);
    for (auto _ : state) {
        Form1->ButtonCalSWClick();
        state.PauseTiming();
        QCoreApplication::processEvents(); // the repaint and the MTF window's activation
        state.ResumeTiming();
    }
    state.counters["slices"] = control<QListWidget>(Form1, "ListBox1")->count();
}
BENCHMARK(CalOverSeries)
    ->ArgNames({"slices", "size", "scanner"})
    ->Args({250, 128, 0})
    ->Args({1000, 128, 0})
    ->Args({2000, 128, 0})
    ->Args({100, 512, 0})
    ->Args({100, 512, 1})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

void ReadSeriesFromPageCache(benchmark::State& state)
{
    const std::filesystem::path folder =
        seriesFolder(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), state.range(2) != 0);
    for (auto _ : state) {
        size_t bytes = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::vector<char> content(static_cast<size_t>(entry.file_size()));
            std::ifstream(entry.path(), std::ios::binary)
                .read(content.data(), static_cast<std::streamsize>(content.size()));
            bytes += content.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(ReadSeriesFromPageCache)
    ->ArgNames({"slices", "size", "scanner"})
    ->Args({100, 512, 0})
    ->Args({100, 512, 1})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// The parts of one load and of "Stat", each run once per slice of 100 of 512 x 512,
// to show where the time of "Cal." goes.
template <typename Step>
void perSlice(benchmark::State& state, Step step)
{
    openSeries(100, 512);
    const QListWidget* const list = control<QListWidget>(Form1, "ListBox1"); // found once, outside the timing
    for (auto _ : state)
        for (int i = 0; i < list->count(); ++i) step(i);
}

void LoadEachSlice(benchmark::State& state)
{
    QLineEdit* const fileName = control<QLineEdit>(Form1, "EditFileName");
    const QListWidget* const list = control<QListWidget>(Form1, "ListBox1");
    perSlice(state, [fileName, list](int i) {
        fileName->setText(list->item(i)->text());
        Form1->setViewState(3);
        Form1->BitBtnLoadClick();
    });
}
BENCHMARK(LoadEachSlice)->Unit(benchmark::kMillisecond);

void FileListEachSlice(benchmark::State& state)
{
    perSlice(state, [](int) { Form1->ButtonFileListClick(); });
}
BENCHMARK(FileListEachSlice)->Unit(benchmark::kMillisecond);

void ReadDicomEachSlice(benchmark::State& state)
{
    perSlice(state, [](int) { Form1->ReadDicom(); });
}
BENCHMARK(ReadDicomEachSlice)->Unit(benchmark::kMillisecond);

void DrawEachSlice(benchmark::State& state)
{
    perSlice(state, [](int) {
        Form1->setViewState(2); // as a load by hand draws; "Cal." draws only the shown slice
        Form1->DrawImage();
    });
}
BENCHMARK(DrawEachSlice)->Unit(benchmark::kMillisecond);

void StatEachSlice(benchmark::State& state)
{
    perSlice(state, [](int) { Form1->ButtonStatClick(); });
}
BENCHMARK(StatEachSlice)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    root = std::filesystem::temp_directory_path() / "ctiq_series_bench";
    const int result = runWindowBenchmarks(argc, argv, [] {
        std::filesystem::remove_all(root);
        setDialogs(std::make_unique<FirstSliceDialogs>());
        Form1->show();
        control<RadioGroup>(Form1, "RadioGroupMode")->setItemIndex(2); // DICOM
    });
    std::filesystem::remove_all(root);
    return result;
}
