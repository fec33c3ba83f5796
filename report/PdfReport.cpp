#include "PdfReport.h"

#include "AppError.h"
#include "AtomicFile.h"
#include "Dialogs.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QResizeEvent>
#include <QWidget>

#include <algorithm>

namespace {

QString text(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// Draws the report page by page, top to bottom.
class PageWriter {
public:
    explicit PageWriter(QPdfWriter& writer) : writer_(writer), painter_(&writer)
    {
        margin_ = writer.resolution() / 2;
        width_ = writer.width() - 2 * margin_;
        y_ = margin_;
        setPointSize(9, false);
    }

    bool ok() const { return painter_.isActive(); }

    void heading(const QString& line, int pointSize)
    {
        setPointSize(pointSize, true);
        space(lineHeight() / 2);
        ensure(lineHeight());
        painter_.drawText(QRect(margin_, y_, width_, lineHeight()), Qt::AlignLeft | Qt::AlignVCenter, line);
        y_ += lineHeight();
        setPointSize(9, false);
    }

    // The widget drawn as it shows itself, as wide as the page allows at its own aspect.
    void widget(QWidget* w, int maxHeight)
    {
        if (w->width() <= 0 || w->height() <= 0) return;
        const double scale =
            std::min(static_cast<double>(width_) / w->width(), static_cast<double>(maxHeight) / w->height());
        const int height = static_cast<int>(w->height() * scale);
        ensure(height);
        painter_.save();
        painter_.translate(margin_, y_);
        painter_.scale(scale, scale);
        w->render(&painter_, QPoint(), QRegion(), QWidget::DrawChildren);
        painter_.restore();
        y_ += height + lineHeight() / 2;
    }

    // Rows in columns as wide as their widest text (within the page).
    void table(const std::vector<TextRow>& rows)
    {
        const QFontMetrics metrics(painter_.font(), &writer_);
        std::vector<int> widths;
        for (const TextRow& row : rows)
            for (size_t c = 0; c < row.size(); ++c) {
                if (widths.size() <= c) widths.push_back(0);
                widths[c] =
                    std::max(widths[c], metrics.horizontalAdvance(text(row[c])) + metrics.averageCharWidth() * 2);
            }
        for (const TextRow& row : rows) {
            ensure(lineHeight());
            int x = margin_;
            for (size_t c = 0; c < row.size(); ++c) {
                const int w = std::min(widths[c], margin_ + width_ - x);
                if (w <= 0) break;
                painter_.drawText(QRect(x, y_, w, lineHeight()), Qt::AlignLeft | Qt::AlignVCenter,
                                  metrics.elidedText(text(row[c]), Qt::ElideMiddle, w));
                x += widths[c];
            }
            y_ += lineHeight();
        }
    }

    void end() { painter_.end(); }

private:
    int lineHeight() const { return QFontMetrics(painter_.font(), &writer_).height(); }
    void setPointSize(int points, bool bold)
    {
        QFont f = painter_.font();
        f.setPointSize(points);
        f.setBold(bold);
        painter_.setFont(f);
    }
    void space(int height) { y_ = std::min(y_ + height, writer_.height() - margin_); }
    void ensure(int height)
    {
        if (y_ + height <= writer_.height() - margin_ || y_ == margin_) return;
        writer_.newPage();
        y_ = margin_;
    }

    QPdfWriter& writer_;
    QPainter painter_;
    int margin_ = 0;
    int width_ = 0;
    int y_ = 0;
};

// Charts lay out their contents when they are resized; one that was never shown
// (a page not yet brought to the front) is laid out at its own size first.
void layOut(QWidget* w)
{
    QResizeEvent resize(w->size(), w->size());
    QCoreApplication::sendEvent(w, &resize);
}

// Drawn in memory (a report takes some hundred KB) and then written out, so that a
// failed write is seen where it happens, with the system's reason.
QByteArray drawPdf(const QString& path, const ReportDocument& d, const std::vector<QWidget*>& charts)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(150);
    writer.setTitle(text(d.title));
    writer.setCreator("CTIQ");
    PageWriter page(writer);
    if (!page.ok()) throw AppError(Msg::reportSaveFailed(path.toStdString(), "PDF"));

    page.heading(text(d.title), 14);
    for (const ReportSection& s : d.sections)
        if (s.results) {
            page.heading(text(s.title), 11);
            page.table(s.rows);
        }
    page.heading(QStringLiteral("Charts"), 11);
    for (QWidget* chart : charts) {
        layOut(chart);
        page.widget(chart, writer.height() / 3);
    }
    for (const ReportSection& s : d.sections)
        if (!s.results) {
            page.heading(text(s.title), 11);
            page.table(s.rows);
        }
    page.heading(QStringLiteral("Provenance"), 11);
    page.table(d.provenance);
    page.end();
    return bytes;
}

} // namespace

QString reportTextPath(const QString& pdfPath)
{
    const QFileInfo info(pdfPath);
    const QString base =
        info.suffix().compare("pdf", Qt::CaseInsensitive) == 0 ? info.completeBaseName() : info.fileName();
    return info.dir().filePath(base + ".tsv");
}

void saveReport(const QString& pdfPath, const ReportDocument& document, const std::vector<QWidget*>& charts)
{
    const QByteArray drawn = drawPdf(pdfPath, document, charts);
    AtomicFile pdf(pdfPath, Msg::reportSaveFailed);
    pdf.write(drawn.constData(), drawn.size());
    AtomicFile tsv(reportTextPath(pdfPath), Msg::reportSaveFailed);
    tsv.write(reportText(document, true));

    // Both are written out before either replaces an earlier report.
    pdf.finish();
    tsv.finish();
    pdf.commit();
    tsv.commit();
}

std::optional<QString> askReportPath(QWidget* parent, const QString& suggestedName)
{
    auto path = dialogs().saveFile(parent, suggestedName);
    if (!path) dialogs().information(parent, Msg::reportNotSaved);
    return path;
}
