#include "ValueAxisScale.h"

#include "AxisLabels.h"

void scaleValueAxis(QValueAxis* axis, double minimum, double maximum, double increment, double anchor)
{
    // The chart builds the labels of every change at once (a new range with the old
    // increment, or the old range with the new one, could mean millions of them),
    // so the axis passes through an increment wide enough for both ranges.
    const double shown = labelIncrement(maximum - minimum, increment);
    axis->setTickInterval(labelIncrement(axis->max() - axis->min(), shown));
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(anchor);
    axis->setRange(minimum, maximum);
    axis->setTickInterval(shown);
}
