#include "monitor/GaugeWidget.h"

#include <QLabel>
#include <QPainter>
#include <QtMath>
#include <cmath>
#include <utility>

#include "widgets/FittedLabel.h"
#include "widgets/FramePacer.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
constexpr qreal kArcOpacity = 0.4;

// Direction of each needle's zero mark, in degrees clockwise from twelve o'clock, and
// the radii its drawing spans; a needle repaints only the box it sweeps through.
constexpr qreal kVoltageZero = 268, kCurrentZero = 92;
constexpr qreal kNeedleInner = 96, kNeedleOuter = 216, kNeedleMargin = 10;

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
    constexpr int kMargin = 2;
    const int top = filling.top() + static_cast<int>(std::floor(waveY)) - kMargin;
    return QRect(filling.left(), top, filling.width(), GaugeLayers::kCrestDepth + 2 * kMargin) &
           filling;
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

    // "BATTERY DETECTED" is wider than the filling at its size: it is drawn smaller instead
    // of losing its ends.
    LProgress = new ui::FittedLabel(QStringLiteral("-"), this);
    LProgress->setObjectName(QStringLiteral("LProgress"));
    LProgress->setAlignment(Qt::AlignCenter);
    ui::setTextColor(LProgress, ui::kWhite);
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
    connect(&ui::FramePacer::instance(), &ui::FramePacer::ticked, this,
            &GaugeWidget::requestPending);
}

void GaugeWidget::glide(QPropertyAnimation* animation, const QVariant& target) {
    animation->stop();
    animation->setStartValue(animation->targetObject()->property(animation->propertyName()));
    animation->setEndValue(target);
    animation->start();
    ui::FramePacer::instance().setResting(false);  // from this frame on, not the next
}

QRect GaugeWidget::fillingRect() const {
    const int offset = (kSize - kFillingSize) / 2;
    return QRect(offset, offset, kFillingSize, kFillingSize);
}

void GaugeWidget::setNeedleLeftAngle(qreal angle) {
    m_needleLeft = angle;
    turnDrawnNeedle(m_drawnNeedleLeft, angle, kVoltageZero);
}

void GaugeWidget::setNeedleRightAngle(qreal angle) {
    m_needleRight = angle;
    turnDrawnNeedle(m_drawnNeedleRight, angle, kCurrentZero);
}

bool GaugeWidget::samePixel(qreal a, qreal b) const {
    // Waves are copied on whole device pixels: a rise within one draws the same frame.
    const qreal scale = m_layers.scale();
    return a == b || (scale > 0 && qRound(a * scale) == qRound(b * scale));
}

void GaugeWidget::turnDrawnNeedle(qreal& drawn, qreal angle, qreal zeroDirection) {
    // A steady reading glides the needle by thousandths of a degree a frame: its tip would
    // move by hundredths of a pixel, and each such frame repaints the needle's whole box.
    // The needle is drawn anew once its tip has moved a tenth of a pixel.
    if (std::abs(angle - drawn) < kNeedleStep) return;
    requestPaint(needleRect(zeroDirection, drawn) | needleRect(zeroDirection, angle));
    drawn = angle;
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
    const bool sameRow = samePixel(y, m_waveFront.y());
    m_waveFront.setY(y);
    if (!sameRow) requestPaint(fillingRect());
}

void GaugeWidget::setWaveBehindX(qreal x) {
    m_waveBehind.setX(x);
    requestPaint(crestBand(fillingRect(), m_waveBehind.y()));
}

void GaugeWidget::setWaveBehindY(qreal y) {
    const bool sameRow = samePixel(y, m_waveBehind.y());
    m_waveBehind.setY(y);
    if (!sameRow) requestPaint(fillingRect());
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

void GaugeWidget::paintFilling(QPainter& painter, const QRect& square) {
    // Waves land on whole device pixels: plain copies instead of filtered draws per frame.
    const qreal scale = m_layers.scale();
    auto at = [&](QPointF wave) {
        return square.topLeft() + QPoint(qRound(wave.x() * scale), qRound(wave.y() * scale));
    };
    painter.save();
    // A square clip is enough: the ring drawn over the filling hides the corners.
    painter.setClipRect(square, Qt::IntersectClip);
    m_layers.waveBehind().draw(painter, at(m_waveBehind));
    m_layers.waveFront().draw(painter, at(m_waveFront));
    painter.drawPixmap(square.topLeft(), m_layers.cover());
    painter.restore();
}

void GaugeWidget::paintNeedle(QPainter& painter, const GaugeLayers::Trimmed& needle, qreal angle) {
    if (needle.pixmap.isNull()) return;
    const QPointF centre(kSize / 2.0, kSize / 2.0);
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);  // positive turns clockwise
    painter.translate(-centre);
    painter.drawPixmap(QRectF(needle.offset, QSizeF(needle.pixmap.size()) / m_layers.scale()),
                       needle.pixmap, QRectF(needle.pixmap.rect()));
    painter.restore();
}

void GaugeWidget::requestPaint(const QRect& area) {
    // Within a tick the animations' areas are gathered into one request for the frame.
    if (ui::FramePacer::instance().isAdvancing())
        m_pending |= area;
    else
        emit paintRequested(area);
}

bool GaugeWidget::atRest() const {
    if (!isVisible()) return true;
    for (const QPropertyAnimation* glide :
         {FloatNeedleLeft, FloatNeedleRight, FloatArc, Color, FloatYFront, FloatYBehind})
        if (glide->state() == QAbstractAnimation::Running) return false;
    // At the level of an empty battery or below, only a sliver of the crests shows.
    return m_waveFront.y() >= kEmptyLevelFront && m_waveBehind.y() >= kEmptyLevelBehind;
}

void GaugeWidget::requestPending() {
    ui::FramePacer::instance().setResting(atRest());
    if (m_pending.isEmpty()) return;
    const QRegion pending = std::exchange(m_pending, QRegion());
    for (const QRect& area : pending) emit paintRequested(area);
}

void GaugeWidget::paintGauge(QPainter& painter, const QRectF& exposed) {
    const QTransform units = painter.worldTransform();
    m_layers.ensure(std::sqrt(std::abs(units.determinant())));
    // The gauge's pictures are copied to whole device pixels; the vector parts follow them.
    const QPointF origin = units.map(QPointF(0, 0));
    const QPoint dialAt(qRound(origin.x()), qRound(origin.y()));
    const QTransform snapped =
        units * QTransform::fromTranslate(dialAt.x() - origin.x(), dialAt.y() - origin.y());
    const QRect exposedPixels = snapped.mapRect(exposed).toAlignedRect();

    painter.save();
    painter.resetTransform();
    // Wave frames only expose the filling square; the clip keeps the other layers cheap.
    painter.setClipRect(exposedPixels, Qt::IntersectClip);
    painter.drawPixmap(dialAt, m_layers.dial());
    const QRect square(dialAt + m_layers.coverOffset(), m_layers.cover().size());
    if (square.intersects(exposedPixels)) paintFilling(painter, square);

    painter.setWorldTransform(snapped);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (needleRect(kVoltageZero, m_drawnNeedleLeft).intersects(exposed.toAlignedRect()))
        paintNeedle(painter, m_layers.needleLeft(), m_drawnNeedleLeft);
    if (needleRect(kCurrentZero, m_drawnNeedleRight).intersects(exposed.toAlignedRect()))
        paintNeedle(painter, m_layers.needleRight(), m_drawnNeedleRight);
    // The arc lies outside the filling circle; wave frames need not stroke it.
    const qreal arcInner = kArcSize / 2 - kArcStroke - 1;
    if (!withinRadius(exposed, arcInner)) paintArc(painter, m_arcSweep, m_arcColor, kArcOpacity);
    if (m_stale) {
        // Without a live link the gauge shows an old reading: dimmed, so nobody takes it
        // for a charge going on.
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 150));
        painter.drawEllipse(QPointF(kSize / 2.0, kSize / 2.0), kOpaqueRadius, kOpaqueRadius);
    }
    painter.restore();
}

void GaugeWidget::setStale(bool stale) {
    if (m_stale == stale) return;
    m_stale = stale;
    emit paintRequested(rect());
}

bool GaugeWidget::coversOpaquely(const QRectF& area) {
    return withinRadius(area, kOpaqueRadius);
}

}  // namespace velmora
