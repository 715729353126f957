#pragma once

#include "widgets/SlideInDialog.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace velmora {

// The add dialog (LayoutTambah): defines a free custom option slot on the charger.
// The spin boxes keep their values from one opening to the next.
class TambahDialog : public ui::SlideInDialog {
    Q_OBJECT
public:
    explicit TambahDialog(QWidget* window);

    QComboBox* ComboIndeksT;
    QComboBox* ComboJenisT;
    QDoubleSpinBox* SpinKapasitasT;
    QSpinBox* SpinArusCCT;
    QDoubleSpinBox* SpinCCAT;
    ui::TextButton* RTambahYes;
    ui::TextButton* RTambahNo;
};

}  // namespace velmora
