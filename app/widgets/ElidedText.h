#pragma once

#include <QString>

class QLabel;

namespace velmora::ui {

// Shows text in the label whole when it fits the label's box (wrapped, if the label
// wraps); otherwise shortened with "…" so that it fits, the whole text in the tooltip.
// ElideRight cuts the end to one line; ElideMiddle keeps both ends, over as many lines as
// the label wraps to, so a long name still shows how it ends ("…0.0.1:5556)").
void setElidedText(QLabel* label, const QString& text, Qt::TextElideMode mode = Qt::ElideRight);

}  // namespace velmora::ui
