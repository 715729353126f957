#pragma once

#include <QColor>
#include <QPropertyAnimation>
#include <QRegion>
#include <QWidget>

#include "monitor/GaugeLayers.h"

class QLabel;

namespace velmora {

// The round gauge of the dashboard (RCircle, 480 x 480): dial, the two needles, the
// progress arc over its background arc, and the filling circle with its two waves.
// Every moving part is a property driven by its own named animation. The gauge is drawn
// beneath the window's controls by the view (paintGauge), so its animation frames never
// re-render the controls above it; it asks for frames with paintRequested.
class GaugeWidget : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal needleLeftAngle READ needleLeftAngle WRITE setNeedleLeftAngle)
    Q_PROPERTY(qreal needleRightAngle READ needleRightAngle WRITE setNeedleRightAngle)
    Q_PROPERTY(qreal arcSweep READ arcSweep WRITE setArcSweep)
    Q_PROPERTY(QColor arcColor READ arcColor WRITE setArcColor)
    Q_PROPERTY(qreal waveFrontX READ waveFrontX WRITE setWaveFrontX)
    Q_PROPERTY(qreal waveFrontY READ waveFrontY WRITE setWaveFrontY)
    Q_PROPERTY(qreal waveBehindX READ waveBehindX WRITE setWaveBehindX)
    Q_PROPERTY(qreal waveBehindY READ waveBehindY WRITE setWaveBehindY)
public:
    static constexpr int kSize = 480;
    static constexpr int kFillingSize = 180;
    static constexpr qreal kArcStart = 150;  // degrees clockwise from three o'clock
    static constexpr qreal kArcSize = 300;
    static constexpr qreal kArcStroke = 20;
    // The waves' heights at a charge of 0 %.
    static constexpr qreal kEmptyLevelFront = 160, kEmptyLevelBehind = 152;
    // A tenth of a pixel at the needles' tips, 210 units from the centre, in degrees.
    static constexpr qreal kNeedleStep = 0.1 / 210 * 180 / 3.14159265358979;
    static constexpr qreal kOpaqueRadius = 236;  // the dial's disc hides what lies beneath

    explicit GaugeWidget(QWidget* parent);

    QLabel* LProgress;
    QPropertyAnimation* FloatNeedleLeft;
    QPropertyAnimation* FloatNeedleRight;
    QPropertyAnimation* FloatArc;
    QPropertyAnimation* Color;
    QPropertyAnimation* FloatYFront;
    QPropertyAnimation* FloatYBehind;
    QPropertyAnimation* FloatXFront;
    QPropertyAnimation* FloatXBehind;

    qreal needleLeftAngle() const { return m_needleLeft; }
    qreal needleRightAngle() const { return m_needleRight; }
    qreal arcSweep() const { return m_arcSweep; }
    QColor arcColor() const { return m_arcColor; }
    qreal waveFrontX() const { return m_waveFront.x(); }
    qreal waveFrontY() const { return m_waveFront.y(); }
    qreal waveBehindX() const { return m_waveBehind.x(); }
    qreal waveBehindY() const { return m_waveBehind.y(); }
    void setNeedleLeftAngle(qreal angle);
    void setNeedleRightAngle(qreal angle);
    void setArcSweep(qreal sweep);
    void setArcColor(const QColor& color);
    void setWaveFrontX(qreal x);
    void setWaveFrontY(qreal y);
    void setWaveBehindX(qreal x);
    void setWaveBehindY(qreal y);

    // Restarts an animation from the value shown now towards a new target.
    static void glide(QPropertyAnimation* animation, const QVariant& target);
    // Draws the gauge in its own coordinates, limited to the exposed part, with a painter
    // that scales and moves but does not turn.
    void paintGauge(QPainter& painter, const QRectF& exposed);
    // Dims the whole gauge while its reading is not live.
    void setStale(bool stale);
    bool stale() const { return m_stale; }
    // Nothing moves but the idle roll of the waves at the bottom of the filling (or the
    // gauge is not shown): the frame pacer may slow down.
    bool atRest() const;
    // True when the gauge's opaque dial hides everything beneath this area (gauge units).
    static bool coversOpaquely(const QRectF& area);
    // Strokes the progress arc, or its background, in gauge units.
    static void paintArc(QPainter& painter, qreal sweep, const QColor& color, qreal opacity);

signals:
    // Part of the gauge (in its own coordinates) that needs drawing again.
    void paintRequested(const QRect& area);

private:
    void requestPaint(const QRect& area);
    void requestPending();
    QRect fillingRect() const;
    // In device pixels, clipped to the filling square.
    void paintFilling(QPainter& painter, const QRect& square);
    void paintNeedle(QPainter& painter, const GaugeLayers::Trimmed& needle, qreal angle);
    void turnDrawnNeedle(qreal& drawn, qreal angle, qreal zeroDirection);
    bool samePixel(qreal a, qreal b) const;

    qreal m_needleLeft = 0, m_needleRight = 0, m_arcSweep = 0;
    // The angles the needles are drawn at: they follow the animated ones in steps that
    // move the tips by a tenth of a pixel.
    qreal m_drawnNeedleLeft = 0, m_drawnNeedleRight = 0;
    QColor m_arcColor = QColor::fromRgba(0xFFFF0000);
    QRegion m_pending;     // areas changed during the current animation tick
    GaugeLayers m_layers;  // the pictures at the scale last drawn
    bool m_stale = false;
    QPointF m_waveFront{-184, 168}, m_waveBehind{-120, 160};
};

}  // namespace velmora
