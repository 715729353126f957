#include "monitor/GaugeWidget.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

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
    m_needleLeft = angle;
    update();
}

void GaugeWidget::setNeedleRightAngle(qreal angle) {
    m_needleRight = angle;
    update();
}

void GaugeWidget::setArcSweep(qreal sweep) {
    m_arcSweep = sweep;
    update();
}

void GaugeWidget::setArcColor(const QColor& color) {
    if (color == m_arcColor) return;  // the colour animation runs on a settled colour most ticks
    m_arcColor = color;
    update();
}

void GaugeWidget::setWaveFrontX(qreal x) {
    m_waveFront.setX(x);
    update(fillingRect());
}

void GaugeWidget::setWaveFrontY(qreal y) {
    m_waveFront.setY(y);
    update(fillingRect());
}

void GaugeWidget::setWaveBehindX(qreal x) {
    m_waveBehind.setX(x);
    update(fillingRect());
}

void GaugeWidget::setWaveBehindY(qreal y) {
    m_waveBehind.setY(y);
    update(fillingRect());
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
    QPainterPath circle;
    circle.addEllipse(QRectF(clip));
    painter.setClipPath(circle, Qt::IntersectClip);
    painter.translate(clip.topLeft());
    ui::drawCachedSvg(painter, kWaveBehind, QRectF(m_waveBehind, kWaveSize));
    ui::drawCachedSvg(painter, kWaveFront, QRectF(m_waveFront, kWaveSize));
    painter.restore();
    ui::drawCachedSvg(painter, kFilling, QRectF(clip));
}

void GaugeWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Wave frames only expose the filling square; the clip keeps the other layers cheap.
    painter.setClipRect(event->rect());
    const QRectF whole(0, 0, kSize, kSize);
    ui::drawCachedSvg(painter, kGrid, whole);
    paintArc(painter, kBackgroundSweep, ui::kWhite, kBackgroundArcOpacity);
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
    paintArc(painter, m_arcSweep, m_arcColor, kArcOpacity);
}

}  // namespace velmora
