// The TaskIQ charts: line charts from the result's samples, the NPS as an image.
#include "TaskIqCharts.h"

#include "TaskIqResults.h"

#include <QChart>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QPixmap>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double ShownDecades = 6;
constexpr int CaptionHeight = 36;
const char* const NpsImageCaption = "2-D NPS, log scale over 6 decades\nfx to the right, fy up, to ±Nyquist";

QChartView* makeChart(QWidget* parent, const char* name, const QString& title, const QString& xTitle,
                      const QString& yTitle, const QString& seriesName)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    auto* series = new QLineSeries;
    series->setName(seriesName);
    series->setObjectName(QString(name) + "Series");
    chart->addSeries(series);
    auto* x = new QValueAxis;
    x->setTitleText(xTitle);
    auto* y = new QValueAxis;
    y->setTitleText(yTitle);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
    chart->legend()->setVisible(true);
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

// The axes span the points; a chart of a transfer function or a spectrum starts at zero.
void plot(QChartView* view, const QList<QPointF>& points, bool fromZero)
{
    auto* series = static_cast<QLineSeries*>(view->chart()->series().constFirst());
    series->replace(points);
    if (points.isEmpty()) return;
    double x0 = points.front().x(), x1 = x0, y0 = points.front().y(), y1 = y0;
    for (const QPointF& p : points) {
        x0 = std::min(x0, p.x());
        x1 = std::max(x1, p.x());
        y0 = std::min(y0, p.y());
        y1 = std::max(y1, p.y());
    }
    if (fromZero) y0 = std::min(y0, 0.0);
    if (y1 == y0) y1 = y0 + 1;
    const double margin = (y1 - y0) * 0.05;
    view->chart()->axes(Qt::Horizontal).constFirst()->setRange(x0, x1 > x0 ? x1 : x0 + 1);
    view->chart()->axes(Qt::Vertical).constFirst()->setRange(fromZero && y0 == 0 ? 0 : y0 - margin, y1 + margin);
}

} // namespace

QChartView* makeTtfChart(QWidget* parent)
{
    return makeChart(parent, "ChartTtf", "Task transfer function", FrequencyCaption, TtfCaption, "TTF");
}

QChartView* makeEsfChart(QWidget* parent)
{
    return makeChart(parent, "ChartEsf", "Edge spread function", DistanceCaption, EsfCaption, "ESF");
}

QChartView* makeRadialNpsChart(QWidget* parent)
{
    return makeChart(parent, "ChartRadialNps", "Radial noise power spectrum", FrequencyCaption, NpsCaption,
                     "Radial NPS");
}

QLabel* makeNpsImage(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName("LabelNpsImage");
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumSize(128, 128);
    return label;
}

void plotTtf(QChartView* chart, const TtfResult& r)
{
    QList<QPointF> points;
    for (const TtfSample& s : r.ttf) points.append({s.frequency, s.value});
    plot(chart, points, true);
}

void plotEsf(QChartView* chart, const TtfResult& r)
{
    QList<QPointF> points;
    for (size_t k = 0; k < r.esf.size(); ++k) points.append({(static_cast<double>(k) + 0.5) * r.esfBinWidth, r.esf[k]});
    plot(chart, points, false);
}

void plotRadialNps(QChartView* chart, const NpsResult& r)
{
    QList<QPointF> points;
    for (const RadialNpsSample& s : r.radial) points.append({s.frequency, s.value});
    plot(chart, points, true);
}

void showNpsImage(QLabel* label, const NpsResult& r)
{
    const int n = r.size;
    // Six decades below the maximum are shown: the detrended zero frequency holds next
    // to nothing and would take the whole grey scale otherwise.
    double high = -std::numeric_limits<double>::infinity();
    for (double v : r.values)
        if (v > 0) high = std::max(high, std::log10(v));
    const double low = high - ShownDecades;
    QImage image(n, n, QImage::Format_Grayscale8);
    const double span = ShownDecades;
    for (int v = 0; v < n; ++v) {
        uchar* line = image.scanLine(n - 1 - v); // positive fy upwards
        for (int u = 0; u < n; ++u) {
            const double value = r.values[static_cast<size_t>(v * n + u)];
            const double level = value > 0 ? (std::log10(value) - low) / span : 0.0;
            line[u] = static_cast<uchar>(std::lround(std::clamp(level, 0.0, 1.0) * 255));
        }
    }
    // The picture in whole pixels of the spectrum, its caption in a strip under it.
    const int side = std::max(n, std::min(label->width(), label->height() - CaptionHeight) / n * n);
    const int width = std::max(side, label->width());
    QPixmap picture(width, side + CaptionHeight);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawImage((width - side) / 2, 0, image.scaled(side, side, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    painter.drawText(QRect(0, side, width, CaptionHeight), Qt::AlignCenter | Qt::TextWordWrap, NpsImageCaption);
    painter.end();
    label->setPixmap(picture);
}
