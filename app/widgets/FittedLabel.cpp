#include "widgets/FittedLabel.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace velmora::ui {

namespace {
// Share of the width the text may use: glyphs drawn at another scale round wider.
constexpr double kUsableShare = 0.92;
}  // namespace

QFont FittedLabel::fittedFont() const {
    QFont f = font();
    const double room = contentsRect().width() * kUsableShare;
    const double wide = QFontMetricsF(f).horizontalAdvance(text());
    if (wide <= room || wide <= 0 || f.pixelSize() <= 0) return f;
    f.setPixelSize(std::max(1, static_cast<int>(std::floor(f.pixelSize() * room / wide))));
    return f;
}

void FittedLabel::paintEvent(QPaintEvent* event) {
    const QFont fitted = fittedFont();
    if (fitted == font()) return QLabel::paintEvent(event);
    QPainter painter(this);
    painter.setFont(fitted);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), static_cast<int>(alignment()), text());
}

}  // namespace velmora::ui
