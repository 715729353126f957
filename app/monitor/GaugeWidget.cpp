#include "monitor/GaugeWidget.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <cmath>
#include <tuple>

#include "widgets/PixmapCache.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
const QString kGrid = QStringLiteral(":/img/grid.svg");
const QString kRing = QStringLiteral(":/img/ring.svg");
const QString kFilling = QStringLiteral(":/img/filling.svg");
const QString kWaveFront = QStringLiteral(":/img/wave_front.svg");
const QString kWaveBehind = QStringLiteral(":/img/wave_behind.svg");
const QString kNeedleLeft = QStringLiteral(":/img/needle_left.svg");
const QString kNeedleRight = QStringLiteral(":/img/needle_right.svg");
constexpr QSizeF kWaveSize(480, 200);
constexpr qreal kBackgroundSweep = 240;
constexpr qreal kArcOpacity = 0.4, kBackgroundArcOpacity = 0.1;

// Direction of each needle's zero mark, in degrees clockwise from twelve o'clock, and
// the radii its drawing spans; a needle repaints only the box it sweeps through.
constexpr qreal kVoltageZero = 268, kCurrentZero = 92;
constexpr qreal kNeedleInner = 96, kNeedleOuter = 216, kNeedleMargin = 14;

QRect needleRect(qreal zeroDirection, qreal angle) {
    const qreal a = qDegreesToRadians(zeroDirection + angle);
    const QPointF centre(GaugeWidget::kSize / 2.0, GaugeWidget::kSize / 2.0);
    const QPointF direction(std::sin(a), -std::cos(a));
    const QRectF box = QRectF(centre + direction * kNeedleInner, centre + direction * kNeedleOuter)
                           .normalized()
                           .adjusted(-kNeedleMargin, -kNeedleMargin, kNeedleMargin, kNeedleMargin);
    return box.toAlignedRect();
}

// The rows of the filling square a wave's crest can change while the wave rolls
// sideways; below the crest the liquid is the same all along a row.
QRect crestBand(QRect filling, qreal waveY) {
    constexpr int kCrestDepth = 24, kMargin = 2;
    const int top = filling.top() + static_cast<int>(std::floor(waveY)) - kMargin;
    return QRect(filling.left(), top, filling.width(), kCrestDepth + 2 * kMargin) & filling;
}

// True when the rectangle lies within this distance of the gauge centre.
bool withinRadius(const QRectF& r, qreal radius) {
    const QPointF c(GaugeWidget::kSize / 2.0, GaugeWidget::kSize / 2.0);
    for (const QPointF& p : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
        if (QLineF(c, p).length() > radius) return false;
    return true;
}

QRect arcRect() {
    const int inset = static_cast<int>((GaugeWidget::kSize - GaugeWidget::kArcSize) / 2) - 4;
    return QRect(inset, inset, GaugeWidget::kSize - 2 * inset, GaugeWidget::kSize - 2 * inset);
}

QPropertyAnimation* makeAnimation(QObject* target, const char* property, const char* name, int ms) {
    auto* animation = new QPropertyAnimation(target, property, target);
    animation->setObjectName(QString::fromLatin1(name));
    animation->setDuration(ms);
    return animation;
}
}  // namespace

GaugeWidget::GaugeWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("RCircle"));
    resize(kSize, kSize);
    setAttribute(Qt::WA_TransparentForMouseEvents);

    LProgress = ui::makeLabel(this, QStringLiteral("LProgress"), QStringLiteral("-"), 26);
    LProgress->setFont(ui::display(26));
    LProgress->setGeometry(fillingRect());

    FloatNeedleLeft = makeAnimation(this, "needleLeftAngle", "FloatNeedleLeft", 500);
    FloatNeedleRight = makeAnimation(this, "needleRightAngle", "FloatNeedleRight", 500);
    FloatArc = makeAnimation(this, "arcSweep", "FloatArc", 200);
    Color = makeAnimation(this, "arcColor", "Color", 2000);
    FloatYFront = makeAnimation(this, "waveFrontY", "FloatYFront", 1000);
    FloatYBehind = makeAnimation(this, "waveBehindY", "FloatYBehind", 1000);
    FloatXFront = makeAnimation(this, "waveFrontX", "FloatXFront", 2000);
    FloatXBehind = makeAnimation(this, "waveBehindX", "FloatXBehind", 2400);
    // The waves roll for ever from start-up.
    FloatXFront->setStartValue(-184.0);
    FloatXFront->setEndValue(-37.0);
    FloatXFront->setLoopCount(-1);
    FloatXBehind->setStartValue(-120.0);
    FloatXBehind->setEndValue(-267.0);
    FloatXBehind->setLoopCount(-1);
    FloatXFront->start();
    FloatXBehind->start();
}

void GaugeWidget::glide(QPropertyAnimation* animation, const QVariant& target) {
    animation->stop();
    animation->setStartValue(animation->targetObject()->property(animation->propertyName()));
    animation->setEndValue(target);
    animation->start();
}

QRect GaugeWidget::fillingRect() const {
    const int offset = (kSize - kFillingSize) / 2;
    return QRect(offset, offset, kFillingSize, kFillingSize);
}

void GaugeWidget::setNeedleLeftAngle(qreal angle) {
    if (angle == m_needleLeft) return;
    requestPaint(needleRect(kVoltageZero, m_needleLeft) | needleRect(kVoltageZero, angle));
    m_needleLeft = angle;
}

void GaugeWidget::setNeedleRightAngle(qreal angle) {
    if (angle == m_needleRight) return;
    requestPaint(needleRect(kCurrentZero, m_needleRight) | needleRect(kCurrentZero, angle));
    m_needleRight = angle;
}

void GaugeWidget::setArcSweep(qreal sweep) {
    if (sweep == m_arcSweep) return;
    m_arcSweep = sweep;
    requestPaint(arcRect());
}

void GaugeWidget::setArcColor(const QColor& color) {
    if (color == m_arcColor) return;  // the colour animation runs on a settled colour most ticks
    m_arcColor = color;
    if (m_arcSweep > 0) requestPaint(arcRect());
}

void GaugeWidget::setWaveFrontX(qreal x) {
    m_waveFront.setX(x);
    requestPaint(crestBand(fillingRect(), m_waveFront.y()));
}

void GaugeWidget::setWaveFrontY(qreal y) {
    if (y == m_waveFront.y()) return;
    m_waveFront.setY(y);
    requestPaint(fillingRect());
}

void GaugeWidget::setWaveBehindX(qreal x) {
    m_waveBehind.setX(x);
    requestPaint(crestBand(fillingRect(), m_waveBehind.y()));
}

void GaugeWidget::setWaveBehindY(qreal y) {
    if (y == m_waveBehind.y()) return;
    m_waveBehind.setY(y);
    requestPaint(fillingRect());
}

void GaugeWidget::paintArc(QPainter& painter, qreal sweep, const QColor& color, qreal opacity) {
    if (sweep <= 0) return;
    const qreal inset = (kSize - kArcSize) / 2 + kArcStroke / 2;
    const QRectF bounds(inset, inset, kSize - 2 * inset, kSize - 2 * inset);
    painter.save();
    painter.setOpacity(opacity);
    painter.setPen(QPen(color, kArcStroke, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    // Qt counts angles anticlockwise in sixteenths of a degree.
    painter.drawArc(bounds, qRound(-kArcStart * 16), qRound(-sweep * 16));
    painter.restore();
}

void GaugeWidget::paintFilling(QPainter& painter) {
    const QRect clip = fillingRect();
    painter.save();
    // A square clip is enough: the ring drawn over the filling hides the corners, and a
    // round clip costs far more on every wave frame.
    painter.setClipRect(clip, Qt::IntersectClip);
    painter.translate(clip.topLeft());
    // Waves land on whole device pixels: a plain blit instead of a filtered one per frame.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const qreal scale = std::sqrt(std::abs(painter.worldTransform().determinant()));
    auto snapped = [scale](QPointF p) {
        return QPointF(std::round(p.x() * scale) / scale, std::round(p.y() * scale) / scale);
    };
    ui::drawCachedSvg(painter, kWaveBehind, QRectF(snapped(m_waveBehind), kWaveSize));
    ui::drawCachedSvg(painter, kWaveFront, QRectF(snapped(m_waveFront), kWaveSize));
    painter.restore();
    ui::drawCachedSvg(painter, kFilling, QRectF(clip));
}

void GaugeWidget::paintDial(QPainter& painter) {
    // The dial and the background arc never change: one pixmap per scale.
    const QTransform& t = painter.worldTransform();
    const qreal scale = std::sqrt(std::abs(t.determinant()));
    const int pixels = qRound(kSize * scale);
    if (m_dial.width() != pixels) {
        m_dial = QPixmap(pixels, pixels);
        m_dial.fill(Qt::transparent);
        QPainter p(&m_dial);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        ui::drawCachedSvg(p, kGrid, QRectF(0, 0, kSize, kSize));
        paintArc(p, kBackgroundSweep, ui::kWhite, kBackgroundArcOpacity);
    }
    painter.drawPixmap(QRectF(0, 0, kSize, kSize), m_dial, QRectF(m_dial.rect()));
}

void GaugeWidget::requestPaint(const QRect& area) {
    emit paintRequested(area);
}

void GaugeWidget::paintGauge(QPainter& painter, const QRectF& exposed) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Wave frames only expose the filling square; the clip keeps the other layers cheap.
    painter.setClipRect(exposed, Qt::IntersectClip);
    const QRectF whole(0, 0, kSize, kSize);
    paintDial(painter);
    paintFilling(painter);
    ui::drawCachedSvg(painter, kRing, whole);
    const QPointF centre = whole.center();
    for (auto [path, angle] :
         {std::pair{kNeedleLeft, m_needleLeft}, std::pair{kNeedleRight, m_needleRight}}) {
        painter.save();
        painter.translate(centre);
        painter.rotate(angle);  // positive turns clockwise
        painter.translate(-centre);
        ui::drawCachedSvg(painter, path, whole);
        painter.restore();
    }
    // The arc lies outside the filling circle; wave frames need not stroke it.
    const qreal arcInner = kArcSize / 2 - kArcStroke - 1;
    if (!withinRadius(exposed, arcInner)) paintArc(painter, m_arcSweep, m_arcColor, kArcOpacity);
    painter.restore();
}

}  // namespace velmora
