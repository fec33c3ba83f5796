#pragma once
// How far apart the labels of a chart axis lie: an increment typed or derived from
// the data may be so small for the range that the chart would build millions of
// labels, so it is widened by powers of ten until a few hundred at most remain.
inline constexpr double MaxAxisLabels = 200;

// The increment to use for labels over `span`. An increment that is not a positive
// finite number counts as 1; a span that is not positive needs no widening.
double labelIncrement(double span, double increment);
