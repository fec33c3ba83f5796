// The d′ page: its controls, and the calculation from its edits.
#include "DprimePage.h"

#include "AppError.h"
#include "Convert.h"
#include "DetectabilityInputs.h"
#include "DetectabilityNames.h"
#include "DprimeReport.h"
#include "FormControls.h"
#include "NumberFormat.h"

namespace {

QString qstr(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
double number(const QLineEdit* e) { return static_cast<double>(toFloat(e->text().toStdString())); }

// An edit with its caption above it: fields 112 pixels apart, rows 44 apart.
QLineEdit* field(QWidget* page, const char* name, const char* caption, const QString& text, int column, int row)
{
    const int x = 6 + 112 * column, y = 4 + 44 * row;
    label(page, caption, {x, y, 110, 18});
    return edit(page, name, text, {x, y + 18, 96, 20});
}

void fill(StringGrid* grid, const std::vector<TextRow>& rows)
{
    grid->setRowCount(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            grid->setCell(static_cast<int>(c), static_cast<int>(r), qstr(rows[r][c]));
}

} // namespace

DprimePage::DprimePage(QWidget* parent) : QWidget(parent)
{
    const EyeFilter eye;
    const auto general = [](double v) { return qstr(formatGeneral(v)); };
    EditTaskDiameter = field(this, "EditTaskDiameter", DprimeName::diameter, general(DefaultTaskDiameter), 0, 0);
    EditTaskContrast = field(this, "EditTaskContrast", DprimeName::contrast, "0", 1, 0);
    CheckBoxInsertContrast =
        checkBox(this, "CheckBoxInsertContrast", "Insert's contrast", true, {6 + 112 * 2, 22, 130, 22});
    RadioGroupProfile = named(new RadioGroup(DprimeName::profile, {DprimeName::flat, DprimeName::designer}, 2, this),
                              "RadioGroupProfile");
    RadioGroupProfile->setGeometry(6 + 112 * 3 + 30, 0, 170, 44);
    RadioGroupProfile->setItemIndex(0);
    EditDesignerN = field(this, "EditDesignerN", DprimeName::designerExponent, "1", 5, 0);

    EditEyeN = field(this, "EditEyeN", DprimeName::eyeExponent, general(eye.exponent), 0, 1);
    EditEyeC = field(this, "EditEyeC", DprimeName::eyeCoefficient, general(eye.coefficient), 1, 1);
    EditEyeGamma = field(this, "EditEyeGamma", DprimeName::eyePower, general(eye.power), 2, 1);
    EditViewingDistance =
        field(this, "EditViewingDistance", DprimeName::viewingDistance, general(eye.viewingDistanceMm), 3, 1);
    EditMagnification = field(this, "EditMagnification", DprimeName::magnification, general(eye.magnification), 4, 1);
    EditInternalNoise = field(this, "EditInternalNoise", DprimeName::internalNoise, general(eye.internalNoise), 5, 1);
    ButtonDprimeCal = button(this, "ButtonDprimeCal", "Cal", {6 + 112 * 6, 22, 60, 24});

    StringGridDprime = named(new StringGrid(2, 1, this), "StringGridDprime");
    StringGridDprime->setGeometry(4, 96, 560, 470);
    StringGridDprime->setColWidth(0, 200);
    StringGridDprime->setColWidth(1, 340);
    StringGridDiameters = named(new StringGrid(3, 1, this), "StringGridDiameters");
    StringGridDiameters->setGeometry(570, 96, 300, 200);
}

void DprimePage::calculate(const TtfOfFiles& ttf, const NpsOfFiles& nps)
{
    if (CheckBoxInsertContrast->isChecked()) EditTaskContrast->setText(qstr(formatGeneral(ttf.result.contrast)));
    DiskTask task{number(EditTaskDiameter), number(EditTaskContrast),
                  RadioGroupProfile->itemIndex() == 1 ? DiskTask::Profile::designer : DiskTask::Profile::flat,
                  number(EditDesignerN)};
    const EyeFilter eye{number(EditEyeN),          number(EditEyeC),
                        number(EditEyeGamma),      number(EditViewingDistance),
                        number(EditMagnification), number(EditInternalNoise)};
    result_.reset();
    result_ = calculateDetectability(task, eye, ttfCurveOf(ttf.result), npsGridOf(nps.result),
                                     detectabilityInputs(ttf.result, ttf.source.files, nps.result, nps.source.files));
    source_ = detectabilitySource(ttf.source, nps.source);
    const ReportDocument report = detectabilityReport(*result_);
    std::vector<TextRow> rows;
    for (size_t s = 0; s + 1 < report.sections.size(); ++s)
        rows.insert(rows.end(), report.sections[s].rows.begin(), report.sections[s].rows.end());
    fill(StringGridDprime, rows);
    fill(StringGridDiameters, report.sections.back().rows);
}

std::string DprimePage::reportTextOfResult() const
{
    if (!result_) throw AppError(Msg::reportNeedsResult);
    return reportText(detectabilityReport(*result_), false);
}

void DprimePage::saveResult(const QString& pdfPath) const
{
    if (!result_) throw AppError(Msg::reportNeedsResult);
    saveDprimeReport(pdfPath, *result_, source_);
}
