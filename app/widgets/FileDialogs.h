#pragma once

#include <QString>

class QFileDialog;
class QWidget;

namespace velmora::ui {

// The real top-level window a control belongs to. Controls of the scaled content live in a
// graphics scene; a dialog parented to them would be drawn inside that scene (a black box
// that takes no input), so dialogs are parented to the window that shows the view instead.
QWidget* topLevelWindowOf(QWidget* control);

// A "Simpan sebagai" dialog for a new file, a window of its own over the application's
// window, not yet shown. The caller owns it.
QFileDialog* makeSaveFileDialog(QWidget* from, const QString& suggested, const QString& filter);

// Asks where to save; the chosen path, or an empty string when cancelled.
QString askSaveFileName(QWidget* from, const QString& suggested, const QString& filter);

}  // namespace velmora::ui
