#include "monitor/GaugeLayers.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

#include "monitor/GaugeWidget.h"
#include "widgets/Picture.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
const QString kGrid = QStringLiteral(":/img/grid.svg");
const QString kRing = QStringLiteral(":/img/ring.svg");
const QString kFilling = QStringLiteral(":/img/filling.svg");
const QString kWaveFront = QStringLiteral(":/img/wave_front.svg");
const QString kWaveBehind = QStringLiteral(":/img/wave_behind.svg");
const QString kNeedleLeft = QStringLiteral(":/img/needle_left.svg");
const QString kNeedleRight = QStringLiteral(":/img/needle_right.svg");
constexpr qreal kWaveWidth = 480, kWaveHeight = 200;
constexpr qreal kBackgroundSweep = 240, kBackgroundArcOpacity = 0.1;
constexpr int kTrimMargin = 2;  // keeps the antialiased edge when the needle turns
constexpr int kBodyStripWidth = 96;

QImage blank(QSize pixels) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QSize pixelsFor(qreal width, qreal height, qreal scale) {
    return QSize(qMax(1, qRound(width * scale)), qMax(1, qRound(height * scale)));
}

void render(QPainter& painter, const QString& path, const QRectF& target) {
    if (QSvgRenderer* renderer = ui::svg(path)) renderer->render(&painter, target);
}

QImage rendered(const QString& path, qreal width, qreal height, qreal scale) {
    QImage image = blank(pixelsFor(width, height, scale));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    render(painter, path, QRectF(0, 0, width, height));
    painter.end();
    return image;
}

// The whole-gauge picture cut down to the box of its visible pixels.
GaugeLayers::Trimmed trimmed(const QString& path, qreal scale) {
    const QImage whole = rendered(path, GaugeWidget::kSize, GaugeWidget::kSize, scale);
    int left = whole.width(), top = whole.height(), right = -1, bottom = -1;
    for (int y = 0; y < whole.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(whole.constScanLine(y));
        for (int x = 0; x < whole.width(); ++x) {
            if (qAlpha(row[x]) == 0) continue;
            left = qMin(left, x);
            right = qMax(right, x);
            top = qMin(top, y);
            bottom = qMax(bottom, y);
        }
    }
    if (right < 0) return {};
    const QRect box = QRect(QPoint(left, top), QPoint(right, bottom))
                          .adjusted(-kTrimMargin, -kTrimMargin, kTrimMargin, kTrimMargin)
                          .intersected(whole.rect());
    return {QPixmap::fromImage(whole.copy(box)), QPointF(box.topLeft()) / scale};
}
// The liquid beneath the crest is the same gradient in every column: a strip from the
// middle stands for all of it (the wave's far end may be a partly covered column).
GaugeLayers::Wave split(const QImage& whole, qreal scale) {
    const int crestRows =
        qMin(whole.height(), static_cast<int>(std::ceil(GaugeLayers::kCrestDepth * scale)) + 1);
    const int stripWidth = qMin(whole.width(), kBodyStripWidth);
    GaugeLayers::Wave wave;
    wave.width = whole.width();
    wave.crest = QPixmap::fromImage(whole.copy(0, 0, whole.width(), crestRows));
    if (crestRows < whole.height())
        wave.body = QPixmap::fromImage(whole.copy((whole.width() - stripWidth) / 2, crestRows,
                                                  stripWidth, whole.height() - crestRows));
    return wave;
}
}  // namespace

void GaugeLayers::Wave::draw(QPainter& painter, QPoint topLeft) const {
    painter.drawPixmap(topLeft, crest);
    if (body.isNull()) return;
    // Plain copies side by side: a tiled fill fetches every pixel through a modulo, a
    // frame's worth more work. Copies outside the frame's clip cost next to nothing.
    const int y = topLeft.y() + crest.height();
    for (int x = 0; x < width; x += body.width())
        painter.drawPixmap(QPoint(topLeft.x() + x, y), body,
                           QRect(0, 0, qMin(body.width(), width - x), body.height()));
}

void GaugeLayers::ensure(qreal scale) {
    if (scale == m_scale) return;
    m_scale = scale;
    const qreal size = GaugeWidget::kSize, filling = GaugeWidget::kFillingSize;
    const qreal fillingLeft = (size - filling) / 2;

    QImage dial = blank(pixelsFor(size, size, scale));
    {
        QPainter painter(&dial);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        render(painter, kGrid, QRectF(0, 0, size, size));
        GaugeWidget::paintArc(painter, kBackgroundSweep, ui::kWhite, kBackgroundArcOpacity);
        render(painter, kRing, QRectF(0, 0, size, size));
    }
    m_dial = QPixmap::fromImage(std::move(dial));

    // The ring crosses the filling square: its part there is drawn again over the waves,
    // at the same pixel phase as in the dial, so the two meet without a seam.
    const int offset = qRound(fillingLeft * scale);
    m_coverOffset = QPoint(offset, offset);
    QImage cover = blank(pixelsFor(filling, filling, scale));
    {
        QPainter painter(&cover);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(-offset, -offset);
        painter.scale(scale, scale);
        render(painter, kFilling, QRectF(fillingLeft, fillingLeft, filling, filling));
        render(painter, kRing, QRectF(0, 0, size, size));
    }
    m_cover = QPixmap::fromImage(std::move(cover));

    m_waveFront = split(rendered(kWaveFront, kWaveWidth, kWaveHeight, scale), scale);
    m_waveBehind = split(rendered(kWaveBehind, kWaveWidth, kWaveHeight, scale), scale);
    m_needleLeft = trimmed(kNeedleLeft, scale);
    m_needleRight = trimmed(kNeedleRight, scale);
}

}  // namespace velmora
