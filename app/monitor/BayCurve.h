#pragma once

#include <QColor>
#include <QPointF>
#include <QVector>
#include <QWidget>

namespace velmora {

// A card's small voltage curve, drawn straight with a painter: a bench of cards must cost
// little memory and time, and a chart per card would cost both.
class BayCurve : public QWidget {
    Q_OBJECT
public:
    explicit BayCurve(QWidget* parent);

    // (seconds, volts); redrawn only when the points or the colour change.
    void setCurve(const QVector<QPointF>& points, const QColor& line);
    const QVector<QPointF>& points() const { return m_points; }

    // The points as drawn inside `area`: time across, volts up, the volts spread over at
    // least half a volt so a steady charge draws a calm line rather than noise.
    static QPolygonF scaled(const QVector<QPointF>& points, const QRectF& area);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QVector<QPointF> m_points;
    QColor m_line;
};

}  // namespace velmora
