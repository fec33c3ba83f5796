#pragma once
// The MTF window's input table: a StringGrid that reports mouse presses, moves and
// releases after it has updated its selection, so handlers see the new corner.
#include "StringGrid.h"

class InputGrid : public StringGrid {
    Q_OBJECT
public:
    using StringGrid::StringGrid;

signals:
    void mouseDown();
    void mouseMove();
    void mouseUp();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
