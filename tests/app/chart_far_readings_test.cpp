// Readings far outside the chart axes are kept as sent and plotted outside the visible
// area; the charts on screen and on paper are drawn without trouble.
#include <QChartView>
#include <QCoreApplication>
#include <QImage>

#include "link/MessageParser.h"
#include "monitor/ChartPlot.h"
#include "monitor/ChartScreen.h"
#include "window_fixture.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

// The share of dark pixels in an area of a picture.
double darkShare(const QImage& image, const QRect& area) {
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ++dark;
    return static_cast<double>(dark) / (area.width() * area.height());
}

class ChartFarReadingsTest : public WindowTest {};

TEST_F(ChartFarReadingsTest, ChartsPlotReadingsFarOutsideTheirAxes) {
    m_window->show();
    m_window->BT3ChartClick();
    ChartScreen* charts = m_window->chartScreen();
    charts->buildCharts();
    for (const char* reading : {"#|1|2|1325|2500|61|45|*", "#|1|2|1e300|-1e300|62|45|*",
                                "#|1|3|-1e300|1e300|63|45|*", "#|1|4|1330|2400|64|46|*"}) {
        EXPECT_FALSE(parseMessage(reading, m_window->state(), m_window->numberFormat()).rejected);
        m_window->TimerloopTimer();
    }
    QCoreApplication::processEvents();
    ASSERT_EQ(charts->data().voltage.points().size(), 4u);
    EXPECT_EQ(charts->data().voltage.points()[1].y, 1e300 / 100);
    EXPECT_EQ(charts->data().current.points()[2].y, 1e300 / 1000);
    // The line leaves the plot at once; the plot stays white around it.
    for (QChartView* view : {charts->ChartVoltage, charts->ChartCurrent}) {
        const QImage screen = view->grab().toImage();
        const QRect plot = view->chart()->plotArea().toRect();
        ASSERT_FALSE(plot.isEmpty());
        EXPECT_LT(darkShare(screen, plot), 0.05);
    }
    const QImage paper = charts->renderForPrint(kCurrentKind, QSize(384, 300));
    EXPECT_LT(darkShare(paper, QRect(60, 40, 300, 200)), 0.05);
}

}  // namespace
