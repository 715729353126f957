#pragma once

#include <vector>

#include "chart/PointSeries.h"

namespace velmora {

// What a line drawn `columns` pixel columns wide over x in [x0, x1] needs of `series`: in
// each column its lowest and its highest point, in x order, so every spike and dip stays
// visible however many points share a column. Points left or right of the range count to
// the first or last column; with few points, all are kept. Then, with a `yTolerance`
// (a pixel row, say), stretches where the line stays within a band that high keep only
// their ends: no kept point moves, none dropped lies further than the tolerance from the
// line, and a flat or gently sloping line costs a few points instead of two per column.
// `drawn` is replaced. Costs about columns x log(points per column), however many points
// are stored.
void decimateMinMax(const PointSeries& series, double x0, double x1, int columns, double yTolerance,
                    std::vector<ChartPoint>& drawn);

}  // namespace velmora
