#pragma once

#include <QLineEdit>

#include "link/DeviceComboBox.h"
#include "widgets/SlideInDialog.h"

class QLabel;

namespace velmora {

// The field a network printer's address is typed into: Enter adds it and Escape gives up
// typing, without reaching the dialog's own answers.
class AddressEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void entered();
    void cancelled();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The connection dialog (LayoutConnection) in its charger and printer modes.
class ConnectionDialog : public ui::SlideInDialog {
    Q_OBJECT
public:
    explicit ConnectionDialog(QWidget* window);

    // Charger mode: one centred "Sambungkan" button; printer mode: "Print Charge" on the
    // left and "Print Test" on the right.
    void setPrinterMode(bool printer);
    // Printer mode for a kept session's receipt: one centred "Cetak Riwayat" button.
    void setKeptReceiptMode();
    // Shows or hides the busy line ("Menyambungkan...", "Mencetak...") and locks the
    // buttons while the link is busy.
    void setBusy(bool busy, const QString& line = QString());
    // Printer mode: the address field takes the device box's place (or gives it back).
    void showAddressField(bool shown);
    bool addressFieldShown() const;

    ui::Picture* IMCharger;
    ui::Picture* IMPrinter;
    QLabel* LPair;
    DeviceComboBox* ComboDevice;
    // "+": a network printer by its address; a second press (or Enter) adds what was typed.
    ui::TextButton* BTAddPrinter;
    AddressEdit* EditPrinterAddress;
    QWidget* LBTConnect;
    ui::TextButton* BTConnect;
    QWidget* LBTPrint;
    ui::TextButton* BTReport;
    QLabel* LBusy;

signals:
    // The user asked for the network printer typed in EditPrinterAddress.
    void printerAddressEntered(const QString& typed);

private:
    void addPrinterPressed();
};

}  // namespace velmora
