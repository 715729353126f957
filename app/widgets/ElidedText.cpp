#include "widgets/ElidedText.h"

#include <QFontMetrics>
#include <QLabel>

namespace velmora::ui {

void setElidedText(QLabel* label, const QString& text) {
    const QRect box = label->contentsRect();
    const QFontMetrics metrics(label->font());
    const int flags = label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
    const QRect needed =
        metrics.boundingRect(box, flags | static_cast<int>(label->alignment()), text);
    const bool fits = needed.width() <= box.width() && needed.height() <= box.height();
    const QString shown = fits ? text : metrics.elidedText(text, Qt::ElideRight, box.width());
    if (label->text() != shown) label->setText(shown);
    const QString tip = fits ? QString() : text;
    if (label->toolTip() != tip) label->setToolTip(tip);
}

}  // namespace velmora::ui
