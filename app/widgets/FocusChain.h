#pragma once

class QWidget;

namespace velmora::ui {

// Whether Tab stops at this control inside `scope`: shown, enabled, open to Tab focus, and
// a control rather than a picture (charts are looked at, not operated).
bool takesTab(const QWidget* widget, const QWidget* scope);

// The control Tab (forward) or Shift+Tab reaches after `from` inside `scope`, in the
// window's focus chain (the controls' reading order), wrapping at the end; `from` null
// starts at the first or the last one. Null when the scope has none.
QWidget* nextFocusIn(const QWidget* scope, QWidget* from, bool forward);

}  // namespace velmora::ui
