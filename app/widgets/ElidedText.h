#pragma once

#include <QString>

class QLabel;

namespace velmora::ui {

// Shows text in the label whole when it fits the label's box (wrapped, if the label
// wraps); otherwise cut with "…" to one line that fits, the whole text in the tooltip.
void setElidedText(QLabel* label, const QString& text);

}  // namespace velmora::ui
