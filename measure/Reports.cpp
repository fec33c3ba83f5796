// --report: the windows' own "Save", run on windows that are never shown on a screen
// and hold the results the command computed, so that the report is the one the
// windows write.
#include "Reports.h"
#include "SeriesResult.h"
#include "SpectrumRun.h"

#include "AppError.h"
#include "Dialogs.h"
#include "InputGridWidget.h"
#include "MtfEditsOfForm.h"
#include "PdfReport.h"
#include "Unit2.h"
#include "Unit3.h"

#include <QCoreApplication>

#include <memory>

namespace {

// Nothing may wait for an answer without a screen: questions get no answer, and a
// failure a window reports is kept and ends the command once the report is done.
class HeadlessDialogs final : public Dialogs {
public:
    QStringList reported;
    std::optional<QString> openFile(QWidget*) override { return std::nullopt; }
    std::optional<QString> saveFile(QWidget*, const QString&) override { return std::nullopt; }
    QString inputBox(QWidget*, const QString&, const QString&, const QString& defaultText) override
    {
        return defaultText;
    }
    void information(QWidget*, const QString& text) override { reported << text; }
    void errorReport(QWidget*, const QString& message) override { reported << message; }
};

HeadlessDialogs& installHeadlessDialogs()
{
    auto port = std::make_unique<HeadlessDialogs>();
    HeadlessDialogs& ref = *port;
    setDialogs(std::move(port));
    return ref;
}

void failOnReported(const HeadlessDialogs& dialogs)
{
    if (!dialogs.reported.isEmpty()) throw AppError(dialogs.reported.constFirst().toStdString());
}

} // namespace

void refuseReportOverInputs(const CommandLine& line, const std::vector<std::string>& inputs)
{
    const auto pdf = line.option("--report");
    if (!pdf) return;
    refuseOutputOverInputs(*pdf, inputs);
    refuseOutputOverInputs(reportTextPath(QString::fromStdString(*pdf)).toStdString(), inputs);
}

void saveSeriesReport(const SeriesResult& result, const std::string& pdfPath)
{
    const HeadlessDialogs& dialogs = installHeadlessDialogs();
    TForm2 form;
    form.show();
    form.setInputTable(result.grid);
    Form2Edits edits(form);
    for (MtfEdit e : {MtfEdit::SliceInterval, MtfEdit::SliceThickness, MtfEdit::LSFgnd, MtfEdit::LSFgdx,
                      MtfEdit::MTFgnd, MtfEdit::MTFgdx})
        edits.setText(e, result.edits.text(e));
    form.setSeriesSource(result.source);
    form.ProcessProfile();
    QCoreApplication::processEvents();
    failOnReported(dialogs);
    form.SaveReport(QString::fromStdString(pdfPath));
}

void saveSpectrumReport(const SpectrumRun& run, const std::string& pdfPath)
{
    const HeadlessDialogs& dialogs = installHeadlessDialogs();
    TForm3 form;
    form.show();
    form.SetParameterTexts(run.texts);
    form.Calculate(run.texts, run.image.bytes, run.fileName);
    QCoreApplication::processEvents();
    failOnReported(dialogs);
    form.SaveReport(QString::fromStdString(pdfPath));
}
