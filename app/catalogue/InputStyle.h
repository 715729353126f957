#pragma once

#include <QString>

namespace velmora::ui {

// White input boxes on the dark panels: selection boxes, edit boxes and spin boxes look
// the same on the diagnostic screen and in its add dialog.
extern const QString kComboStyle;
extern const QString kLineEditStyle;
extern const QString kSpinStyle;

}  // namespace velmora::ui
