#include "shell/ScaledView.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>

namespace velmora {

ScaledView::ScaledView(QWidget* parent, QWidget* content, double scale)
    : QGraphicsView(parent), m_scale(scale) {
    setObjectName(QStringLiteral("ContentView"));
    auto* scene = new QGraphicsScene(this);
    scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    m_proxy = scene->addWidget(content);
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
    setBackgroundBrush(Qt::black);
    setTransform(QTransform::fromScale(scale, scale));
}

}  // namespace velmora
