#include "ChartWidget.h"

#include "ValueAxisScale.h"

#include <QChart>

#include <algorithm>
#include <limits>
#include <numeric>
#include <vector>

namespace {

// The increment asked for, kept with the axis: the one shown may be wider.
const char* const labelIncrementProperty = "labelIncrement";

} // namespace

LineChart makeLineChart(QWidget* parent, const QString& name, const QString& title, const QString& bottomTitle,
                        const QString& leftTitle)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->hide();
    chart->setPlotAreaBackgroundBrush(Qt::white);
    chart->setPlotAreaBackgroundVisible(true);
    LineChart c;
    c.view = new QChartView(chart, parent);
    c.view->setObjectName(name);
    c.view->setRenderHint(QPainter::Antialiasing, false);
    c.bottom = new QValueAxis;
    c.bottom->setTitleText(bottomTitle);
    c.left = new QValueAxis;
    c.left->setTitleText(leftTitle);
    chart->addAxis(c.bottom, Qt::AlignBottom);
    chart->addAxis(c.left, Qt::AlignLeft);
    return c;
}

void attachSeries(const LineChart& chart, QXYSeries* series, const QString& name, const QColor& colour)
{
    series->setObjectName(name);
    series->setColor(colour);
    series->setPointLabelsVisible(false);
    chart.view->chart()->addSeries(series);
    series->attachAxis(chart.bottom);
    series->attachAxis(chart.left);
}

void replacePoints(QXYSeries* series, const double* x, const double* y, int n)
{
    std::vector<int> order(static_cast<size_t>(std::max(n, 0)));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [x](int a, int b) { return x[a] < x[b]; });
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(order.size()));
    for (int k : order) points.append(QPointF(x[k], y[k]));
    series->replace(points);
}

void fitAxis(QValueAxis* axis, std::initializer_list<const QXYSeries*> series, bool horizontal)
{
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    for (const QXYSeries* s : series)
        for (const QPointF& p : s->points()) {
            const double v = horizontal ? p.x() : p.y();
            if (!std::isfinite(v)) continue;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    if (lo > hi) return;
    if (lo == hi) {
        lo -= 1;
        hi += 1;
    }
    // The chart divides the range into steps: its width must stay a finite number.
    const double limit = std::numeric_limits<double>::max() / 4;
    lo = std::max(lo, -limit);
    hi = std::min(hi, limit);
    if (axis->tickType() == QValueAxis::TicksDynamic) {
        scaleValueAxis(axis, lo, hi, axis->property(labelIncrementProperty).toDouble(), 0);
        return;
    }
    axis->setRange(lo, hi);
    axis->applyNiceNumbers();
}

void setAxisScale(QValueAxis* axis, double minimum, double maximum, double increment)
{
    axis->setProperty(labelIncrementProperty, increment);
    scaleValueAxis(axis, minimum, maximum, increment, minimum);
}
