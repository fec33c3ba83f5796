#pragma once
// Image1: shows a grey bitmap stretched to the control and reports the mouse in
// control pixels.
#include "ViewerTypes.h"

#include <QWidget>

class ImageWidget : public QWidget {
    Q_OBJECT
public:
    ImageWidget(const GreyBitmap& bitmap, QWidget* parent = nullptr);

signals:
    void mouseDown(Qt::MouseButton button, int x, int y);
    void mouseMove(int x, int y);
    void mouseUp(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const GreyBitmap& bitmap_;
};

// The bitmap as an 8-bit image with a grey palette (a deep copy).
QImage toIndexedImage(const GreyBitmap& bitmap);
