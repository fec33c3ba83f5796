#include "InputGridWidget.h"

void InputGrid::mousePressEvent(QMouseEvent* event)
{
    StringGrid::mousePressEvent(event);
    emit mouseDown();
}

void InputGrid::mouseMoveEvent(QMouseEvent* event)
{
    StringGrid::mouseMoveEvent(event);
    emit mouseMove();
}

void InputGrid::mouseReleaseEvent(QMouseEvent* event)
{
    StringGrid::mouseReleaseEvent(event);
    emit mouseUp();
}
