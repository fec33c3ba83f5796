#pragma once
// Setting the range and label increment of a Qt Charts value axis without making
// the chart build labels for a range and an increment that do not belong together.
#include <QValueAxis>

// Labels every `increment` (widened to a few hundred labels at most) from `anchor`
// over minimum..maximum.
void scaleValueAxis(QValueAxis* axis, double minimum, double maximum, double increment, double anchor);
