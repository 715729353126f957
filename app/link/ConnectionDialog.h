#pragma once

#include <QComboBox>

#include "widgets/SlideInDialog.h"

class QLabel;

namespace velmora {

// A combo box that announces when its list is about to open, so the list can be
// refreshed first.
class DeviceComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;

signals:
    void aboutToShowPopup();
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

    ui::Picture* IMCharger;
    ui::Picture* IMPrinter;
    QLabel* LPair;
    DeviceComboBox* ComboDevice;
    QWidget* LBTConnect;
    ui::TextButton* BTConnect;
    QWidget* LBTPrint;
    ui::TextButton* BTReport;
    QLabel* LBusy;
};

}  // namespace velmora
