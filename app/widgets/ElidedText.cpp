#include "widgets/ElidedText.h"

#include <QFontMetrics>
#include <QLabel>

namespace velmora::ui {

namespace {

// The text without `dropped` characters from its middle, "…" in their place.
QString withoutMiddle(const QString& text, int dropped) {
    const int kept = text.size() - dropped;
    const int head = (kept + 1) / 2;
    return text.left(head) + QChar(0x2026) + text.right(kept - head);
}

}  // namespace

void setElidedText(QLabel* label, const QString& text, Qt::TextElideMode mode) {
    const QRect box = label->contentsRect();
    const QFontMetrics metrics(label->font());
    const int flags = (label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine) |
                      static_cast<int>(label->alignment());
    const auto fitsBox = [&](const QString& candidate) {
        const QRect needed = metrics.boundingRect(box, flags, candidate);
        return needed.width() <= box.width() && needed.height() <= box.height();
    };
    const bool fits = fitsBox(text);
    QString shown = text;
    if (!fits && mode == Qt::ElideMiddle && label->wordWrap()) {
        // The fewest characters dropped from the middle that let it fit.
        int low = 1, high = text.size();
        while (low < high) {
            const int mid = (low + high) / 2;
            if (fitsBox(withoutMiddle(text, mid)))
                high = mid;
            else
                low = mid + 1;
        }
        shown = withoutMiddle(text, low);
    } else if (!fits) {
        shown = metrics.elidedText(text, mode, box.width());
    }
    if (label->text() != shown) label->setText(shown);
    const QString tip = fits ? QString() : text;
    if (label->toolTip() != tip) label->setToolTip(tip);
}

}  // namespace velmora::ui
