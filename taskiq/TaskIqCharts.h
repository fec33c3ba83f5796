#pragma once
// The TaskIQ window's charts, drawn from results: the TTF and the ESF of an insert, the
// radial NPS, and the 2-D NPS as a grey image on a logarithmic scale. The window shows
// them; a report without the window draws the same ones.
#include "InsertTtf.h"
#include "NoisePowerSpectrum2D.h"

#include <QChartView>
#include <QLabel>

// The size of the window's charts, which a report drawn without it gives them too.
inline constexpr int TaskIqChartWidth = 560, TaskIqChartHeight = 320;

// Empty charts with their titles, axis titles and units, and legends; objectNames
// ChartTtf, ChartEsf, ChartRadialNps and LabelNpsImage.
QChartView* makeTtfChart(QWidget* parent);
QChartView* makeEsfChart(QWidget* parent);
QChartView* makeRadialNpsChart(QWidget* parent);
QLabel* makeNpsImage(QWidget* parent);

// Replace what the chart shows by the result's curve, the axes fitted to it.
void plotTtf(QChartView* chart, const TtfResult& r);
void plotEsf(QChartView* chart, const TtfResult& r);
void plotRadialNps(QChartView* chart, const NpsResult& r);
// log10 of the NPS, its range from black to white, zero frequency in the middle and
// positive fy upwards; the picture scaled to the label's size, whole pixels of the spectrum kept square.
void showNpsImage(QLabel* label, const NpsResult& r);
