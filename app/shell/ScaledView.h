#pragma once

#include <QGraphicsView>

class QGraphicsProxyWidget;

namespace velmora {

// Shows the content widget, designed at 960 x 540, scaled as a whole to the window.
// Text and pictures are drawn at the final scale, so they stay crisp.
class ScaledView : public QGraphicsView {
    Q_OBJECT
public:
    ScaledView(QWidget* parent, QWidget* content, double scale);
    double scale() const { return m_scale; }

private:
    QGraphicsProxyWidget* m_proxy;
    double m_scale;
};

}  // namespace velmora
