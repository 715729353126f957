#include "monitor/BayCurve.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace velmora {

namespace {
constexpr double kLeastVoltSpan = 0.5;
constexpr qreal kInset = 4;
}  // namespace

BayCurve::BayCurve(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("BayCurve"));
    setAttribute(Qt::WA_TransparentForMouseEvents);  // a click here chooses the card
}

void BayCurve::setCurve(const QVector<QPointF>& points, const QColor& line) {
    if (points == m_points && line == m_line) return;
    m_points = points;
    m_line = line;
    update();
}

QPolygonF BayCurve::scaled(const QVector<QPointF>& points, const QRectF& area) {
    QVector<QPointF> usable;
    usable.reserve(points.size());
    for (const QPointF& p : points)
        if (std::isfinite(p.x()) && std::isfinite(p.y())) usable.append(p);
    if (usable.size() < 2) return {};
    double t0 = usable.front().x(), t1 = t0, v0 = usable.front().y(), v1 = v0;
    for (const QPointF& p : usable) {
        t0 = std::min(t0, p.x());
        t1 = std::max(t1, p.x());
        v0 = std::min(v0, p.y());
        v1 = std::max(v1, p.y());
    }
    if (v1 - v0 < kLeastVoltSpan) {
        const double middle = (v0 + v1) / 2;
        v0 = middle - kLeastVoltSpan / 2;
        v1 = middle + kLeastVoltSpan / 2;
    }
    const double timeSpan = t1 > t0 ? t1 - t0 : 1;
    QPolygonF drawn;
    drawn.reserve(usable.size());
    for (const QPointF& p : usable)
        drawn.append({area.left() + (p.x() - t0) / timeSpan * area.width(),
                      area.bottom() - (p.y() - v0) / (v1 - v0) * area.height()});
    return drawn;
}

void BayCurve::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawRoundedRect(QRectF(rect()), 4, 4);
    const QRectF area = QRectF(rect()).adjusted(kInset, kInset, -kInset, -kInset);
    const QPolygonF line = scaled(m_points, area);
    if (line.isEmpty()) return;
    QPainterPath under;
    under.moveTo(line.front().x(), area.bottom());
    for (const QPointF& p : line) under.lineTo(p);
    under.lineTo(line.back().x(), area.bottom());
    QColor shade = m_line;
    shade.setAlpha(45);
    painter.fillPath(under, shade);
    painter.setPen(QPen(m_line, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line);
}

}  // namespace velmora
