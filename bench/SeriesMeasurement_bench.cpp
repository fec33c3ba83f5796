// "Cal." over a series of 100 slices of 512 x 512, against only reading the same
// files from the page cache.
#include "Dialogs.h"
#include "Unit1.h"
#include "WindowBenchmarkMain.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QProcess>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

std::filesystem::path seriesFolder;

// The file dialog answers with the first slice; nothing else is asked.
class FirstSliceDialogs : public Dialogs {
public:
    std::optional<QString> openFile(QWidget*) override
    {
        return QString::fromStdString((seriesFolder / "slice001.dcm").string());
    }
    std::optional<QString> saveFile(QWidget*, const QString&) override { return std::nullopt; }
    QString inputBox(QWidget*, const QString&, const QString&, const QString& defaultText) override { return defaultText; }
    void information(QWidget*, const QString&) override {}
    void errorReport(QWidget*, const QString& message) override { qFatal("%s", qPrintable(message)); }
};

void CalOverSeries(benchmark::State& state)
{
    for (auto _ : state) {
        Form1->ButtonCalSWClick();
        state.PauseTiming();
        QCoreApplication::processEvents(); // the repaint and the MTF window's activation
        state.ResumeTiming();
    }
    state.counters["slices"] = Form1->ListBox1->count();
}
BENCHMARK(CalOverSeries)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The parts of one load and of "Stat", each run once per slice of the list, to show
// where the time of "Cal." goes.
template <typename Step>
void perSlice(benchmark::State& state, Step step)
{
    for (auto _ : state)
        for (int i = 0; i < Form1->ListBox1->count(); ++i) step(i);
}

void LoadEachSlice(benchmark::State& state)
{
    perSlice(state, [](int i) {
        Form1->EditFileName->setText(Form1->ListBox1->item(i)->text());
        Form1->ViewState = 3;
        Form1->BitBtnLoadClick();
    });
}
BENCHMARK(LoadEachSlice)->Unit(benchmark::kMillisecond);

void FileListEachSlice(benchmark::State& state) { perSlice(state, [](int) { Form1->ButtonFileListClick(); }); }
BENCHMARK(FileListEachSlice)->Unit(benchmark::kMillisecond);

void ReadDicomEachSlice(benchmark::State& state) { perSlice(state, [](int) { Form1->ReadDicom(); }); }
BENCHMARK(ReadDicomEachSlice)->Unit(benchmark::kMillisecond);

void DrawEachSlice(benchmark::State& state)
{
    perSlice(state, [](int) {
        Form1->ViewState = 3;
        Form1->DrawImage();
    });
}
BENCHMARK(DrawEachSlice)->Unit(benchmark::kMillisecond);

void StatEachSlice(benchmark::State& state) { perSlice(state, [](int) { Form1->ButtonStatClick(); }); }
BENCHMARK(StatEachSlice)->Unit(benchmark::kMillisecond);

void ReadSeriesFromPageCache(benchmark::State& state)
{
    for (auto _ : state) {
        size_t bytes = 0;
        for (const auto& entry : std::filesystem::directory_iterator(seriesFolder)) {
            std::vector<char> content(static_cast<size_t>(entry.file_size()));
            std::ifstream(entry.path(), std::ios::binary).read(content.data(), static_cast<std::streamsize>(content.size()));
            bytes += content.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(ReadSeriesFromPageCache)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "ctiq_series_bench";
    seriesFolder = root / "sspz";
    const int result = runWindowBenchmarks(argc, argv, [&root] {
        std::filesystem::remove_all(root);
        QProcess tool;
        tool.start(SAMPLE_SERIES_TOOL, {QString::fromStdString(root.string()), "--slices", "100", "--size", "512"});
        if (!tool.waitForFinished(120000) || tool.exitCode() != 0) qFatal("the sample tool failed");

        setDialogs(std::make_unique<FirstSliceDialogs>());
        Form1->show();
        Form1->RadioGroupMode->setItemIndex(2); // DICOM
        Form1->ButtonDispCClick();
        Form1->EditROIPosX->setText("256");
        Form1->EditROIPosY->setText("256");
        Form1->EditROISizeX->setText("100");
        Form1->EditROISizeY->setText("100");
        QCoreApplication::processEvents();
    });
    std::filesystem::remove_all(root);
    return result;
}
