#include "SpectrumChartWidget.h"

#include "ValueAxisScale.h"

#include <QLogValueAxis>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QAbstractAxis* makeAxis(const QString& title, bool logarithmic)
{
    QAbstractAxis* axis;
    if (logarithmic) {
        auto* log = new QLogValueAxis;
        log->setBase(10);
        log->setLabelFormat("%g");
        log->setMinorTickCount(-1);
        axis = log;
    } else {
        auto* linear = new QValueAxis;
        linear->setLabelFormat("%g");
        axis = linear;
    }
    axis->setTitleText(title);
    return axis;
}

struct Span {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    void take(double v)
    {
        if (!std::isfinite(v)) return;
        low = std::min(low, v);
        high = std::max(high, v);
    }
};

bool isLogarithmic(const QAbstractAxis* axis) { return axis->type() == QAbstractAxis::AxisTypeLogValue; }

void applySpan(QAbstractAxis* axis, Span span)
{
    if (span.low > span.high) return;
    if (isLogarithmic(axis)) {
        // Whole decades, so that the axis always carries labelled ticks; the decades
        // stay where a double is normal and finite.
        const double lowest = std::floor(std::clamp(std::log10(span.low), -307.0, 307.0));
        const double highest = std::max(std::ceil(std::clamp(std::log10(span.high), -307.0, 308.0)), lowest + 1);
        axis->setRange(std::pow(10.0, lowest), std::pow(10.0, highest));
        return;
    }
    // The range is divided into steps: its width must stay a finite number.
    const double limit = std::numeric_limits<double>::max() / 4;
    span.low = std::max(span.low, -limit);
    span.high = std::min(span.high, limit);
    if (span.low == span.high) {
        // A flat line still needs a range to be drawn in.
        const double margin = span.low == 0 ? 1 : std::abs(span.low) * 0.1;
        span.low -= margin;
        span.high += margin;
    }
    // Labels at round steps of 1, 2 or 5 times a power of ten, about five of them.
    const double rough = (span.high - span.low) / 5;
    const double decade = std::pow(10.0, std::floor(std::log10(rough)));
    const double step = rough / decade < 2 ? decade : rough / decade < 5 ? 2 * decade : 5 * decade;
    scaleValueAxis(static_cast<QValueAxis*>(axis), span.low, span.high, step, 0);
}

} // namespace

QChartView* makeSpectrumChart(QWidget* parent, const ChartLayout& layout, ChartSeries& series)
{
    static const QColor colours[7] = {
        QColor(0, 0, 255),   QColor(255, 0, 0),   QColor(0, 128, 0),   QColor(0, 255, 255),
        QColor(255, 255, 0), QColor(128, 0, 255), QColor(255, 128, 0),
    };
    auto* chart = new QChart;
    chart->setTitle(layout.title);
    chart->legend()->hide();
    QAbstractAxis* bottom = makeAxis(layout.bottomTitle, layout.bottomLogarithmic);
    QAbstractAxis* left = makeAxis(layout.leftTitle, layout.leftLogarithmic);
    chart->addAxis(bottom, Qt::AlignBottom);
    chart->addAxis(left, Qt::AlignLeft);
    for (int i = 0; i < 7; ++i) {
        auto* s = new QLineSeries(chart);
        s->setObjectName(QString("%1%2").arg(layout.seriesPrefix).arg(layout.firstSeriesNumber + i));
        s->setPen(QPen(colours[i], 2));
        s->setPointsVisible(false);
        chart->addSeries(s);
        s->attachAxis(bottom);
        s->attachAxis(left);
        series[static_cast<size_t>(i)] = s;
    }
    auto* view = new QChartView(chart, parent);
    view->setObjectName(layout.name);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void shiftHistory(const ChartSeries& series)
{
    for (size_t i = 4; i >= 1; --i) series[i]->replace(series[i - 1]->points());
    series[0]->clear();
}

void appendPoints(QLineSeries* series, const QList<QPointF>& points)
{
    QList<QPointF> all = series->points();
    all.append(points);
    series->replace(all);
}

void fitAxes(QChartView* view)
{
    QChart* chart = view->chart();
    QAbstractAxis* bottom = chart->axes(Qt::Horizontal).constFirst();
    QAbstractAxis* left = chart->axes(Qt::Vertical).constFirst();
    Span x, y;
    for (QAbstractSeries* s : chart->series())
        for (const QPointF& p : static_cast<QLineSeries*>(s)->points()) {
            // A logarithmic axis cannot show zero or negative values.
            if ((isLogarithmic(left) && p.y() <= 0) || (isLogarithmic(bottom) && p.x() <= 0)) continue;
            x.take(p.x());
            y.take(p.y());
        }
    applySpan(bottom, x);
    applySpan(left, y);
}
