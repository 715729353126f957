#pragma once

#include "widgets/SlideInDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace velmora {

// The dealer information dialog (LayoutInformation): store, address, city, telephone
// and a printer name, sent to the connected device. The texts stay until changed.
class InformationDialog : public ui::SlideInDialog {
    Q_OBJECT
public:
    explicit InformationDialog(QWidget* window);

    QLabel* LInformationTitle;
    QLineEdit* EditStore;
    QLineEdit* EditAddress;
    QLineEdit* EditCity;
    QLineEdit* EditPhone;
    QComboBox* ComboShowPrinter;
    ui::TextButton* RCancelInformation;
    ui::TextButton* RSendInformation;
};

}  // namespace velmora
