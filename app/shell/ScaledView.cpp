#include "shell/ScaledView.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>

namespace velmora {

ScaledView::ScaledView(QWidget* parent, QWidget* content, double scale) : QGraphicsView(parent) {
    setObjectName(QStringLiteral("ContentView"));
    auto* scene = new QGraphicsScene(this);
    scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    m_proxy = scene->addWidget(content);
    m_proxy->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
    scene->setSceneRect(QRectF(QPointF(0, 0), QSizeF(content->size())));
    setScene(scene);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setOptimizationFlags(QGraphicsView::DontSavePainterState);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setCacheMode(QGraphicsView::CacheNone);
    // The background drawing covers every exposed pixel: no fill before it.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setTransform(QTransform::fromScale(scale, scale));
}

void ScaledView::drawBackground(QPainter* painter, const QRectF& rect) {
    if (m_underlay)
        m_underlay(*painter, rect);
    else
        painter->fillRect(rect, Qt::black);
}

bool ScaledView::event(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease ||
        type == QEvent::ShortcutOverride || type == QEvent::InputMethod) {
        // Hiding a control inside the view leaves it the content's focus widget: a closed
        // dialog's name box would go on taking typing, and Enter would save.
        QWidget* content = m_proxy ? m_proxy->widget() : nullptr;
        if (QWidget* focused = content ? content->focusWidget() : nullptr;
            focused && !focused->isVisible())
            focused->clearFocus();
    }
    return QGraphicsView::event(event);
}

void ScaledView::refreshUnderlay(const QRectF& area) {
    viewport()->update(mapFromScene(area).boundingRect().adjusted(-2, -2, 2, 2));
}

void ScaledView::refreshUnderlay() {
    viewport()->update();
}

}  // namespace velmora
