#pragma once
// Line charts of the MTF window on Qt Charts: creation with titled value axes,
// and replacing a series' points kept in ascending x.
#include <QChartView>
#include <QValueAxis>
#include <QXYSeries>

struct LineChart {
    QChartView* view = nullptr;
    QValueAxis* bottom = nullptr;
    QValueAxis* left = nullptr;
};

LineChart makeLineChart(QWidget* parent, const QString& name, const QString& title, const QString& bottomTitle,
                        const QString& leftTitle);

// Adds a series to the chart on its two axes.
void attachSeries(const LineChart& chart, QXYSeries* series, const QString& name, const QColor& colour);

// The series shows points (x[k], y[k]), k < n, ordered by ascending x (ties keep their order).
void replacePoints(QXYSeries* series, const double* x, const double* y, int n);

// Scales an axis around the series' x or y values (to round numbers, or with the
// increment of setAxisScale kept); without values it stays.
void fitAxis(QValueAxis* axis, std::initializer_list<const QXYSeries*> series, bool horizontal);

// A fixed range with labels every `increment`, starting at the minimum; an increment
// that would give more than a few hundred labels is widened.
void setAxisScale(QValueAxis* axis, double minimum, double maximum, double increment);
