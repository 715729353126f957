#pragma once

#include <QString>

namespace velmora::ui {

// White input boxes on the dark panels: selection boxes, edit boxes and spin boxes look
// the same on the diagnostic screen and in its add dialog. The arrow pictures they use
// are registered on first use.
QString comboStyle();
QString lineEditStyle();
QString spinStyle();
// Round mode indicators in the accent colour, readable on the dark column.
QString radioStyle();

}  // namespace velmora::ui
