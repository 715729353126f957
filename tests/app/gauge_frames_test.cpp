// Gauge frames: a frame that redraws only the areas the gauge asked for gives the same
// pixels as drawing the whole gauge afresh, at every scale and sub-pixel position the
// window uses; the dial really is opaque where the window skips what lies beneath it; and
// the waves kept in pieces draw the whole wave.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QSvgRenderer>
#include <cmath>
#include <cstdlib>

#include "monitor/GaugeLayers.h"
#include "monitor/GaugeWidget.h"

using namespace velmora;

namespace {

// Filtered drawing rounds a count or two differently inside a clip; anything left over
// from an earlier frame differs far more.
bool alike(QRgb a, QRgb b) {
    constexpr int kRounding = 4;
    return std::abs(qRed(a) - qRed(b)) <= kRounding &&
           std::abs(qGreen(a) - qGreen(b)) <= kRounding &&
           std::abs(qBlue(a) - qBlue(b)) <= kRounding &&
           std::abs(qAlpha(a) - qAlpha(b)) <= kRounding;
}

struct Placement {
    qreal scale;
    QPointF origin;  // where the gauge lands, in device pixels
};

class GaugeFramesTest : public ::testing::TestWithParam<Placement> {
protected:
    GaugeFramesTest() {
        m_gauge.FloatXFront->stop();  // the test moves the waves itself
        m_gauge.FloatXBehind->stop();
    }

    QSize imageSize() const {
        const int side = static_cast<int>(std::ceil(GaugeWidget::kSize * GetParam().scale)) + 2;
        return QSize(side, side);
    }
    void begin(QPainter& painter) const {
        painter.translate(GetParam().origin);
        painter.scale(GetParam().scale, GetParam().scale);
    }
    QImage whole() {
        QImage image(imageSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter painter(&image);
        begin(painter);
        m_gauge.paintGauge(painter, QRectF(0, 0, GaugeWidget::kSize, GaugeWidget::kSize));
        return image;
    }
    // Redraws the requested areas over an earlier frame, as the window does.
    void redrawRequested(QImage& image, const QRegion& requested) {
        QPainter painter(&image);
        begin(painter);
        for (const QRect& area : requested) {
            const QRectF exposed = QRectF(area).adjusted(-2, -2, 2, 2);
            painter.save();
            painter.setClipRect(exposed);
            // The window lays the background first wherever the dial does not hide it.
            if (!GaugeWidget::coversOpaquely(exposed)) painter.fillRect(exposed, Qt::black);
            m_gauge.paintGauge(painter, exposed);
            painter.restore();
        }
    }

    GaugeWidget m_gauge{nullptr};
};

TEST_P(GaugeFramesTest, RedrawingTheRequestedAreasMatchesAWholeRepaint) {
    struct Move {
        const char* what;
        void (*apply)(GaugeWidget&);
    };
    const Move moves[] = {
        {"front wave rolls", [](GaugeWidget& g) { g.setWaveFrontX(-101.3); }},
        {"behind wave rolls", [](GaugeWidget& g) { g.setWaveBehindX(-230.6); }},
        {"waves rise",
         [](GaugeWidget& g) {
             g.setWaveFrontY(40.4);
             g.setWaveBehindY(47.9);
         }},
        {"voltage needle turns", [](GaugeWidget& g) { g.setNeedleLeftAngle(47.25); }},
        {"current needle turns", [](GaugeWidget& g) { g.setNeedleRightAngle(-33.5); }},
        {"arc grows", [](GaugeWidget& g) { g.setArcSweep(151.7); }},
        {"arc gains a few degrees", [](GaugeWidget& g) { g.setArcSweep(163.2); }},
        {"arc shrinks", [](GaugeWidget& g) { g.setArcSweep(97.4); }},
        {"arc changes colour", [](GaugeWidget& g) { g.setArcColor(QColor(0, 120, 255)); }},
    };
    QImage frame = whole();
    for (const Move& move : moves) {
        QRegion requested;
        auto connection = QObject::connect(&m_gauge, &GaugeWidget::paintRequested,
                                           [&](const QRect& area) { requested += area; });
        move.apply(m_gauge);
        QObject::disconnect(connection);
        ASSERT_FALSE(requested.isEmpty()) << move.what;
        redrawRequested(frame, requested);
        const QImage expected = whole();
        int differing = 0;
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                differing += !alike(frame.pixel(x, y), expected.pixel(x, y));
        EXPECT_EQ(differing, 0) << move.what;
        frame = expected;  // each move is checked on its own
    }
}

TEST_P(GaugeFramesTest, MovesTooSmallToSeeAskForNoFrameAndChangeNoPixel) {
    const QImage before = whole();  // the pictures now exist at this scale
    QRegion requested;
    QObject::connect(&m_gauge, &GaugeWidget::paintRequested,
                     [&](const QRect& area) { requested += area; });
    const qreal pixel = 1 / GetParam().scale;
    m_gauge.setNeedleLeftAngle(GaugeWidget::kNeedleStep / 2);
    m_gauge.setNeedleRightAngle(-GaugeWidget::kNeedleStep / 3);
    m_gauge.setWaveFrontY(std::round(168 / pixel) * pixel + pixel / 4);
    EXPECT_TRUE(requested.isEmpty());
    EXPECT_EQ(whole(), before) << "a whole repaint draws the same frame";

    m_gauge.setNeedleLeftAngle(GaugeWidget::kNeedleStep * 1.5);  // the creep adds up
    m_gauge.setWaveFrontY(168 + 2 * pixel);
    EXPECT_FALSE(requested.isEmpty());
    EXPECT_NE(whole(), before);
}

TEST_P(GaugeFramesTest, TheDialIsOpaqueWhereTheWindowSkipsTheBackground) {
    QImage image(imageSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        begin(painter);
        m_gauge.paintGauge(painter, QRectF(0, 0, GaugeWidget::kSize, GaugeWidget::kSize));
    }
    const qreal scale = GetParam().scale;
    const QPointF centre = GetParam().origin + QPointF(1, 1) * GaugeWidget::kSize / 2 * scale;
    int see_through = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRectF pixel(x, y, 1, 1);
            const QRectF inGauge((pixel.topLeft() - GetParam().origin) / scale,
                                 pixel.size() / scale);
            if (GaugeWidget::coversOpaquely(inGauge) && qAlpha(image.pixel(x, y)) != 255)
                ++see_through;
        }
    EXPECT_EQ(see_through, 0) << "centre " << centre.x() << "," << centre.y();
}

TEST_P(GaugeFramesTest, AWaveInTwoPiecesIsTheWholeWave) {
    const qreal scale = GetParam().scale;
    GaugeLayers layers;
    layers.ensure(scale);
    for (auto [path, wave] : {std::pair{":/img/wave_front.svg", &layers.waveFront()},
                              std::pair{":/img/wave_behind.svg", &layers.waveBehind()}}) {
        SCOPED_TRACE(path);
        QImage reference(qRound(480 * scale), qRound(200 * scale),
                         QImage::Format_ARGB32_Premultiplied);
        reference.fill(Qt::transparent);
        {
            QPainter painter(&reference);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(scale, scale);
            QSvgRenderer(QString::fromLatin1(path)).render(&painter, QRectF(0, 0, 480, 200));
        }
        EXPECT_EQ(wave->width, reference.width());
        EXPECT_LT(wave->crest.height(), reference.height() / 4);  // kept small
        QImage pieces(reference.size(), reference.format());
        pieces.fill(Qt::transparent);
        {
            QPainter painter(&pieces);
            wave->draw(painter, QPoint(0, 0));
        }
        // Only the far end's column may differ: partly covered in the whole picture.
        int differing = 0;
        for (int y = 0; y < reference.height(); ++y)
            for (int x = 0; x + 1 < reference.width(); ++x)
                differing += reference.pixel(x, y) != pieces.pixel(x, y);
        EXPECT_EQ(differing, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, GaugeFramesTest,
                         ::testing::Values(Placement{1.0, {0, 0}}, Placement{0.7, {0.3, 0.6}},
                                           Placement{1.17, {0.5, 0.25}},
                                           Placement{1.4, {0, 85.4 - 85}},
                                           Placement{1.87, {0.9, 0.1}}));

}  // namespace
