#pragma once
// The TaskIQ window's page "d′": the task and the eye filter as edits, and d′ of the
// window's last TTF and NPS with its table against diameter, shown as the report and
// ctiq-measure dprime write them.
#include "DetectabilityReport.h"
#include "RadioGroup.h"
#include "StringGrid.h"
#include "TaskIqMeasurement.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <optional>

class DprimePage : public QWidget {
    Q_OBJECT
public:
    explicit DprimePage(QWidget* parent = nullptr);

    // d′ from the edits as they stand; with "Insert's contrast" ticked the contrast edit
    // takes the insert's measured contrast first.
    void calculate(const TtfOfFiles& ttf, const NpsOfFiles& nps);
    const std::optional<DetectabilityResult>& lastResult() const { return result_; }
    // The last result as its report's text, and saved as PDF with its provenance.
    std::string reportTextOfResult() const;
    void saveResult(const QString& pdfPath) const;

    QPushButton* ButtonDprimeCal;

private:
    std::optional<DetectabilityResult> result_;
    MeasurementSource source_;

    // --- Controls (objectName = member name) -------------------------------------
    QLineEdit* EditTaskDiameter; // mm
    QCheckBox* CheckBoxInsertContrast;
    QLineEdit* EditTaskContrast;   // HU
    RadioGroup* RadioGroupProfile; // "flat", "designer"
    QLineEdit* EditDesignerN;
    QLineEdit* EditEyeN;
    QLineEdit* EditEyeC;
    QLineEdit* EditEyeGamma;
    QLineEdit* EditViewingDistance; // mm
    QLineEdit* EditMagnification;
    QLineEdit* EditInternalNoise; // HU²·mm²
    StringGrid* StringGridDprime; // every row of the report's sections but the table
    StringGrid* StringGridDiameters;
};
