#pragma once

#include <vector>

#include "chart/PointSeries.h"

namespace velmora {

// What a line drawn `columns` pixel columns wide over x in [x0, x1] needs of `series`: in
// each column its lowest and its highest point, in x order, so every spike and dip stays
// visible however many points share a column. Points left or right of the range count to
// the first or last column. A column with one point keeps it once; with few points
// nothing is dropped. `drawn` is replaced. Costs about columns x log(points per column).
void decimateMinMax(const PointSeries& series, double x0, double x1, int columns,
                    std::vector<ChartPoint>& drawn);

}  // namespace velmora
