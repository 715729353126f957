#pragma once

#include <vector>

#include "chart/PointSeries.h"

namespace velmora {

// What a line drawn `columns` pixel columns wide over x in [x0, x1] needs of `series`: in
// each column its lowest and its highest point, in x order, so every spike and dip stays
// visible however many points share a column. When the two lie no more than `yTolerance`
// apart (a pixel row, say) the column keeps only the first of them: the line looks the
// same and is cheaper to draw. Points left or right of the range count to the first or
// last column; with few points nothing is dropped. `drawn` is replaced. Costs about
// columns x log(points per column), however many points are stored.
void decimateMinMax(const PointSeries& series, double x0, double x1, int columns, double yTolerance,
                    std::vector<ChartPoint>& drawn);

}  // namespace velmora
