#pragma once

#include <QImage>
#include <QSize>

class QChartView;

namespace velmora {

// Renders an offscreen copy of a chart laid out for `size` (axes, titles and labels
// placed for that area, not shrunk), leaving the chart on screen untouched.
QImage renderForPrint(QChartView* chart, const QSize& size);

}  // namespace velmora
