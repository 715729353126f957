#pragma once

#include <QGraphicsProxyWidget>
#include <QGraphicsView>
#include <QPointer>
#include <functional>

namespace velmora {

// Shows the content widget, designed at 960 x 540, scaled as a whole to the window.
// Text and pictures are drawn at the final scale, so they stay crisp. The controls are
// cached as drawn; beneath them the view draws an underlay (background and gauge), so a
// gauge animation frame costs a blit of the cache instead of re-rendering the controls.
// Keys go to the content's focused control only while that control is shown.
class ScaledView : public QGraphicsView {
    Q_OBJECT
public:
    using Underlay = std::function<void(QPainter&, const QRectF&)>;

    ScaledView(QWidget* parent, QWidget* content, double scale);
    // Painter in content coordinates, and the exposed part of the content, which the
    // underlay fills completely.
    void setUnderlay(Underlay underlay) { m_underlay = std::move(underlay); }
    // Draws this part of the underlay (content coordinates) again.
    void refreshUnderlay(const QRectF& area);
    void refreshUnderlay();

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    bool event(QEvent* event) override;

private:
    QPointer<QGraphicsProxyWidget> m_proxy;  // goes with the content
    Underlay m_underlay;
};

}  // namespace velmora
