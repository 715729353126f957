#include "link/ConnectionDialog.h"

#include <QKeyEvent>
#include <QLabel>

#include "widgets/Theme.h"

namespace velmora {

namespace {
const QColor kButtonFill = QColor::fromRgb(0x00, 0xA7, 0x7F);
const QColor kSecondFill = QColor::fromRgb(0x3D, 0x6F, 0xD1);
constexpr int kRowY = 232, kButtonWidth = 150, kButtonHeight = 44;
}  // namespace

void AddressEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit entered();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        emit cancelled();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

ConnectionDialog::ConnectionDialog(QWidget* window)
    : ui::SlideInDialog(window, QStringLiteral("LayoutConnection"),
                        QStringLiteral("FloatConnection"), QSize(400, 300), 120) {
    ui::Panel* box = panel();
    IMCharger =
        new ui::Picture(box, QStringLiteral("IMCharger"), QStringLiteral(":/img/im_charger.svg"));
    IMCharger->setGeometry(120, 14, 160, 110);
    IMPrinter =
        new ui::Picture(box, QStringLiteral("IMPrinter"), QStringLiteral(":/img/im_printer.svg"));
    IMPrinter->setGeometry(120, 14, 160, 110);
    LPair = ui::makeLabel(box, QStringLiteral("LPair"), tr("Pilih Perangkat Charger"), 16);
    LPair->setGeometry(0, 130, 400, 24);
    ComboDevice = new DeviceComboBox(box);
    ComboDevice->setObjectName(QStringLiteral("ComboDevice"));
    ComboDevice->setGeometry(60, 162, 280, 34);
    ComboDevice->setFont(ui::roboto(15));
    BTAddPrinter = new ui::TextButton(box, QStringLiteral("BTAddPrinter"), QStringLiteral("+"), 20);
    BTAddPrinter->setFill(kSecondFill);
    BTAddPrinter->setGeometry(346, 162, 34, 34);
    BTAddPrinter->setToolTip(tr("Tambah printer jaringan"));
    EditPrinterAddress = new AddressEdit(box);
    EditPrinterAddress->setObjectName(QStringLiteral("EditPrinterAddress"));
    EditPrinterAddress->setGeometry(ComboDevice->geometry());
    EditPrinterAddress->setFont(ui::roboto(15));
    EditPrinterAddress->setPlaceholderText(tr("Alamat IP, mis. 192.168.1.20:9100"));
    EditPrinterAddress->hide();
    connect(BTAddPrinter, &QAbstractButton::clicked, this, &ConnectionDialog::addPrinterPressed);
    connect(EditPrinterAddress, &AddressEdit::entered, this, &ConnectionDialog::addPrinterPressed);
    connect(EditPrinterAddress, &AddressEdit::cancelled, this, [this] { showAddressField(false); });
    LBusy = ui::makeLabel(box, QStringLiteral("LBusy"), tr("Menyambungkan..."), 13,
                          QColor::fromRgb(0xB0, 0xE0, 0xD0));
    LBusy->setGeometry(0, 202, 400, 22);
    LBusy->hide();

    LBTConnect = new QWidget(box);
    LBTConnect->setObjectName(QStringLiteral("LBTConnect"));
    LBTConnect->resize(kButtonWidth, kButtonHeight);
    BTConnect = new ui::TextButton(LBTConnect, QStringLiteral("BTConnect"), tr("Sambungkan"), 16);
    BTConnect->setFill(kButtonFill);
    BTConnect->setGeometry(0, 0, kButtonWidth, kButtonHeight);
    LBTPrint = new QWidget(box);
    LBTPrint->setObjectName(QStringLiteral("LBTPrint"));
    LBTPrint->resize(kButtonWidth, kButtonHeight);
    BTReport = new ui::TextButton(LBTPrint, QStringLiteral("BTReport"), tr("Print Test"), 16);
    BTReport->setFill(kSecondFill);
    BTReport->setGeometry(0, 0, kButtonWidth, kButtonHeight);
    setPrinterMode(false);
    setAnswerButtons(BTConnect, nullptr);  // Escape: as a click beside the panel
}

void ConnectionDialog::setPrinterMode(bool printer) {
    const int width = panel()->width();
    LBTPrint->setVisible(printer);
    BTAddPrinter->setVisible(printer);
    showAddressField(false);
    if (printer) {
        LBTConnect->move(width / 2 - kButtonWidth - 10, kRowY);
        LBTPrint->move(width / 2 + 10, kRowY);
    } else {
        LBTConnect->move((width - kButtonWidth) / 2, kRowY);
    }
    LPair->setText(printer ? tr("Pilih Printer") : tr("Pilih Perangkat Charger"));
    IMPrinter->setVisible(printer);
    IMCharger->setVisible(!printer);
    BTConnect->setText(printer ? tr("Print Charge") : tr("Sambungkan"));
}

void ConnectionDialog::setKeptReceiptMode() {
    setPrinterMode(true);
    LBTPrint->hide();
    LBTConnect->move((panel()->width() - kButtonWidth) / 2, kRowY);
    BTConnect->setText(tr("Cetak Riwayat"));
}

void ConnectionDialog::setBusy(bool busy, const QString& line) {
    LBusy->setText(line.isEmpty() ? tr("Menyambungkan...") : line);

    LBusy->setVisible(busy);
    BTConnect->setEnabled(!busy);
    BTReport->setEnabled(!busy);
    ComboDevice->setEnabled(!busy);
    BTAddPrinter->setEnabled(!busy);
}

void ConnectionDialog::showAddressField(bool shown) {
    EditPrinterAddress->setVisible(shown);
    ComboDevice->setVisible(!shown);
    BTAddPrinter->setText(shown ? QStringLiteral("OK") : QStringLiteral("+"));
    if (shown) {
        EditPrinterAddress->clear();
        EditPrinterAddress->setFocus();
    } else if (EditPrinterAddress->hasFocus()) {
        ComboDevice->setFocus();
    }
}

bool ConnectionDialog::addressFieldShown() const {
    return !EditPrinterAddress->isHidden();
}

void ConnectionDialog::addPrinterPressed() {
    if (!addressFieldShown())
        showAddressField(true);
    else
        emit printerAddressEntered(EditPrinterAddress->text());
}

}  // namespace velmora
