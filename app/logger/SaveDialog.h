#pragma once

#include "widgets/SlideInDialog.h"

class QLabel;
class QLineEdit;

namespace velmora {

// The save dialog (LayoutSave): "Nama File :" above the name box Edit2, "Batalkan" on the
// left and "Simpan" on the right. Enter presses "Simpan", Escape "Batalkan".
class SaveDialog : public ui::SlideInDialog {
    Q_OBJECT
public:
    explicit SaveDialog(QWidget* window);

    QLabel* LNamaFile;
    QLineEdit* Edit2;
    ui::TextButton* RCancelSave;
    ui::TextButton* ROKSave;
};

}  // namespace velmora
