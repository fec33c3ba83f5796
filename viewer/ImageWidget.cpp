#include "ImageWidget.h"

#include <QMouseEvent>
#include <QPainter>

ImageWidget::ImageWidget(const GreyBitmap& bitmap, QWidget* parent) : QWidget(parent), bitmap_(bitmap)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageWidget::paintEvent(QPaintEvent*)
{
    if (bitmap_.width <= 0 || bitmap_.height <= 0) return;
    // Wrap the bitmap's own bytes: painting copies nothing.
    const QImage view(bitmap_.pixels.data(), bitmap_.width, bitmap_.height, bitmap_.width, QImage::Format_Grayscale8);
    QPainter painter(this);
    painter.drawImage(rect(), view);
}

void ImageWidget::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mouseDown(event->button(), p.x(), p.y());
}

void ImageWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mouseMove(p.x(), p.y());
}

void ImageWidget::mouseReleaseEvent(QMouseEvent* event) { emit mouseUp(event->button()); }

QImage toIndexedImage(const GreyBitmap& bitmap)
{
    QImage image(bitmap.width, bitmap.height, QImage::Format_Indexed8);
    QList<QRgb> palette;
    for (int i = 0; i < 256; ++i) palette << qRgb(i, i, i);
    image.setColorTable(palette);
    for (int r = 0; r < bitmap.height; ++r) std::copy_n(bitmap.row(r), bitmap.width, image.scanLine(r));
    return image;
}
