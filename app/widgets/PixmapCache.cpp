#include "widgets/PixmapCache.h"

#include <QHash>
#include <QSvgRenderer>
#include <cmath>

#include "widgets/Picture.h"

namespace velmora::ui {

void drawCachedSvg(QPainter& painter, const QString& path, const QRectF& target) {
    static QHash<QString, QPixmap> cache;
    const QTransform& t = painter.worldTransform();
    const qreal scale = std::sqrt(std::abs(t.determinant()));
    const QSize pixels(qMax(1, qRound(target.width() * scale)),
                       qMax(1, qRound(target.height() * scale)));
    const QString key = path + QLatin1Char('@') + QString::number(pixels.width()) +
                        QLatin1Char('x') + QString::number(pixels.height());
    auto it = cache.find(key);
    if (it == cache.end()) {
        QPixmap pixmap(pixels);
        pixmap.fill(Qt::transparent);
        if (QSvgRenderer* renderer = svg(path)) {
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            renderer->render(&p);
        }
        it = cache.insert(key, pixmap);
    }
    painter.drawPixmap(target, it.value(), QRectF(it.value().rect()));
}

}  // namespace velmora::ui
