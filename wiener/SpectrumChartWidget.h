#pragma once
// The line charts of the spectrum window: seven coloured series per chart, legends
// hidden, linear or logarithmic axes, and the history shift of the newest results.
#include <QChartView>
#include <QLineSeries>
#include <QString>

#include <array>

using ChartSeries = std::array<QLineSeries*, 7>;

struct ChartLayout {
    const char* name; // objectName of the chart view
    QString title;
    QString bottomTitle;
    bool bottomLogarithmic;
    QString leftTitle;
    bool leftLogarithmic;
    const char* seriesPrefix; // series objectNames: prefix + number
    int firstSeriesNumber;
};

// A chart view with its seven series, in the colour order blue, red, green, aqua,
// yellow, purple, orange, each line two pixels wide.
QChartView* makeSpectrumChart(QWidget* parent, const ChartLayout& layout, ChartSeries& series);

// The newest result moves down the history: series 5 takes the points of 4, ...,
// 2 those of 1, and series 1 is emptied.
void shiftHistory(const ChartSeries& series);

// Adds points after those of the series, in one change (the series redraws once,
// not once per point).
void appendPoints(QLineSeries* series, const QList<QPointF>& points);

// Sets the axes to span the points of all series; a logarithmic axis spans the
// positive values only. An empty chart keeps its ranges.
void fitAxes(QChartView* view);
