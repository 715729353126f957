#include "widgets/PixmapCache.h"

#include <QHash>
#include <QSvgRenderer>
#include <cmath>

#include "widgets/Picture.h"

namespace velmora::ui {

namespace {
// Rendered pictures by path, then by size in pixels.
QHash<QString, QHash<quint64, QPixmap>>& cache() {
    static QHash<QString, QHash<quint64, QPixmap>> pictures;
    return pictures;
}
}  // namespace

void forgetCachedSvg(const QString& path) {
    cache().remove(path);
    forgetSvg(path);
}

qint64 cachedSvgBytes() {
    qint64 bytes = 0;
    for (const auto& sizes : cache())
        for (const QPixmap& pixmap : sizes)
            bytes += qint64(pixmap.width()) * pixmap.height() * pixmap.depth() / 8;
    return bytes;
}

void drawCachedSvg(QPainter& painter, const QString& path, const QRectF& target) {
    const QTransform& t = painter.worldTransform();
    const qreal scale = std::sqrt(std::abs(t.determinant()));
    const QSize pixels(qMax(1, qRound(target.width() * scale)),
                       qMax(1, qRound(target.height() * scale)));
    const quint64 key = (quint64(quint32(pixels.width())) << 32) | quint32(pixels.height());
    QHash<quint64, QPixmap>& sizes = cache()[path];
    auto it = sizes.find(key);
    if (it == sizes.end()) {
        QPixmap pixmap(pixels);
        pixmap.fill(Qt::transparent);
        if (QSvgRenderer* renderer = svg(path)) {
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            renderer->render(&p);
        }
        it = sizes.insert(key, pixmap);
    }
    painter.drawPixmap(target, it.value(), QRectF(it.value().rect()));
}

}  // namespace velmora::ui
