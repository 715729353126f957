#pragma once

namespace velmora {

class InformationDialog;
class TambahDialog;
class TVLForm;
class WindowContent;

// Connects the controls of the window's content to the window's handlers, and the
// keyboard's screen shortcuts. The dialogs made at their first opening are wired then.
void wireHandlers(TVLForm& window, WindowContent& ui);
void wireInformationDialog(TVLForm& window, InformationDialog* dialog);
void wireTambahDialog(TVLForm& window, TambahDialog* dialog);

}  // namespace velmora
