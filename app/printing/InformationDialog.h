#pragma once

#include <QString>
#include <optional>

#include "widgets/SlideInDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace velmora {

class ChargerLink;

// The dealer information dialog (LayoutInformation): store, address, city, telephone
// and a printer name, sent to the connected device. The texts stay until changed.
class InformationDialog : public ui::SlideInDialog {
    Q_OBJECT
public:
    explicit InformationDialog(QWidget* window);
    // Where the dealer key's row goes (its label, fingerprint and buttons, 66 high).
    static constexpr int kKeyRowY = 330;

    // Sends the dealer's details with the printer chosen over a connected link. Returns the
    // message for the user when nothing can be sent; a failing send throws.
    std::optional<QString> sendDetails(ChargerLink& link);

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
