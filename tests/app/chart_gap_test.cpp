// Time without readings (a lost link) stays open on a chart: the line stops before it
// and starts again after it, on screen and in the drawn picture.
#include <gtest/gtest.h>

#include <QChart>
#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QImage>
#include <QLineSeries>
#include <QPainter>

#include "monitor/ChartPlot.h"

using namespace velmora;

namespace {

constexpr double kSecond = 1.0 / 86400;

class ChartGapTest : public ::testing::Test {
protected:
    // Readings at 12.5 V for the first three minutes and the last three of ten.
    void SetUp() override {
        const double start = 0.0;  // the charge's own time
        for (int s = 0; s <= 180; ++s) points.add(start + s * kSecond, 12.5);
        points.breakLine();
        points.breakLine();  // a second break before any point is the same break
        for (int s = 360; s <= 540; ++s) points.add(start + s * kSecond, 12.5);
        clock.setDays(start + 541 * kSecond);
        gapX = start + 270 * kSecond;
    }

    PointSeries points;
    ChartClock clock;
    double gapX = 0;
};

TEST_F(ChartGapTest, TheLineStopsAtTheGapAndStartsAgainAfterIt) {
    ASSERT_EQ(points.lineStarts().size(), 1u);

    QGraphicsScene scene;
    auto* series = new QLineSeries;
    ChartPlot plot(kVoltageKind, series, points, clock);
    scene.addItem(plot.chart());
    plot.chart()->resize(QSizeF(600, 300));
    plot.chart()->layout()->activate();
    plot.refresh();
    plot.chart()->layout()->activate();
    QCoreApplication::processEvents();

    const QList<QAbstractSeries*> lines = plot.chart()->series();
    ASSERT_EQ(lines.size(), 2);
    const auto* before = static_cast<QLineSeries*>(lines[0]);
    const auto* after = static_cast<QLineSeries*>(lines[1]);
    ASSERT_FALSE(before->points().isEmpty());
    ASSERT_FALSE(after->points().isEmpty());
    EXPECT_LT(before->points().back().x(), gapX);
    EXPECT_GT(after->points().front().x(), gapX);

    QImage image(600, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    scene.render(&painter, QRectF(0, 0, 600, 300), QRectF(0, 0, 600, 300));
    painter.end();
    const QPointF inGap = plot.chart()->mapToPosition(QPointF(gapX, 12.5), series);
    const QPointF onLine = plot.chart()->mapToPosition(
        QPointF(before->points().front().x() + 60 * kSecond, 12.5), series);
    const auto darkAround = [&image](QPointF at) {
        int dark = 0;
        for (int dy = -3; dy <= 3; ++dy)
            if (qGray(image.pixel(at.toPoint() + QPoint(0, dy))) < 128) ++dark;
        return dark;
    };
    EXPECT_GT(darkAround(onLine), 0);
    EXPECT_EQ(darkAround(inGap), 0);

    // Without the gap the same plot draws one line again, and no piece keeps old points.
    points.clear();
    points.add(gapX, 12.5);
    points.add(gapX + kSecond, 12.6);
    plot.refresh();
    EXPECT_EQ(before->points().size(), 2);
    EXPECT_TRUE(after->points().isEmpty());
}

}  // namespace
