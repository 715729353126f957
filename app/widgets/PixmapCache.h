#pragma once

#include <QPainter>
#include <QPixmap>
#include <QString>

namespace velmora::ui {

// Draws an embedded SVG through a pixmap rendered once at the painter's current scale,
// so pictures redrawn by animations stay cheap and still crisp.
void drawCachedSvg(QPainter& painter, const QString& path, const QRectF& target);

}  // namespace velmora::ui
