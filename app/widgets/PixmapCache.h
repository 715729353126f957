#pragma once

#include <QPainter>
#include <QPixmap>
#include <QString>

namespace velmora::ui {

// Draws an embedded SVG through a pixmap rendered once at the painter's current scale,
// so pictures redrawn by animations stay cheap and still crisp.
void drawCachedSvg(QPainter& painter, const QString& path, const QRectF& target);
// Lets go of the pixmaps rendered for this picture, at every size, and of its renderer.
void forgetCachedSvg(const QString& path);
// Bytes held by the pixmaps of all pictures.
qint64 cachedSvgBytes();

}  // namespace velmora::ui
