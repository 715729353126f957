#include "printing/InformationDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "catalogue/InputStyle.h"
#include "link/ChargerLink.h"
#include "link/Commands.h"
#include "link/DeviceComboBox.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
// Room below the rows for the dealer key (kKeyRowY).
constexpr int kWidth = 400, kHeight = 480, kRestingY = 30;
constexpr int kFirstRowY = 62, kRowHeight = 54, kLabelX = 30, kLabelWidth = 120;
constexpr int kControlX = 150, kControlWidth = kWidth - 30 - kControlX, kControlHeight = 32;
const QColor kCancelFill = QColor::fromRgb(0x4A, 0x4A, 0x4A);
const QColor kSendFill = QColor::fromRgb(0x00, 0xA7, 0x7F);

QLabel* rowLabel(QWidget* panel, int row, const char* name, const QString& text) {
    QLabel* label = ui::makeLabel(panel, QString::fromLatin1(name), text, 16, ui::kWhite,
                                  Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(kLabelX, kFirstRowY + row * kRowHeight, kLabelWidth, kControlHeight);
    return label;
}

QRect controlRect(int row) {
    return {kControlX, kFirstRowY + row * kRowHeight, kControlWidth, kControlHeight};
}

// One edit row with its limit; the prompt shows while it is empty.
QLineEdit* editRow(QWidget* panel, int row, const char* name, const char* labelName,
                   const QString& caption, int maxLength) {
    rowLabel(panel, row, labelName, caption);
    auto* edit = new QLineEdit(panel);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setPlaceholderText(InformationDialog::tr("Ketik di sini"));
    edit->setMaxLength(maxLength);
    edit->setFont(ui::roboto(15));
    edit->setStyleSheet(ui::lineEditStyle());
    edit->setGeometry(controlRect(row));
    return edit;
}
}  // namespace

InformationDialog::InformationDialog(QWidget* window)
    : ui::SlideInDialog(window, QStringLiteral("LayoutInformation"),
                        QStringLiteral("FloatInformation"), QSize(kWidth, kHeight), kRestingY) {
    ui::Panel* box = panel();
    LInformationTitle =
        ui::makeLabel(box, QStringLiteral("LInformationTitle"), tr("DATA INFORMASI"), 20);
    LInformationTitle->setFont(ui::roboto(20, QFont::Medium));
    LInformationTitle->setGeometry(0, 16, kWidth, 30);

    EditStore = editRow(box, 0, "EditStore", "LStore", tr("Nama Dealer"), 30);
    EditAddress = editRow(box, 1, "EditAddress", "LAddress", tr("Alamat"), 40);
    EditCity = editRow(box, 2, "EditCity", "LCity", tr("Kota"), 20);
    EditPhone = editRow(box, 3, "EditPhone", "LPhone", tr("Telepon"), 14);
    rowLabel(box, 4, "LShowPrinter", tr("Nama Printer"));
    ComboShowPrinter = new DeviceComboBox(box);  // long names shortened in the middle
    ComboShowPrinter->setObjectName(QStringLiteral("ComboShowPrinter"));
    ComboShowPrinter->setFont(ui::roboto(15));
    ComboShowPrinter->setStyleSheet(ui::comboStyle());
    ComboShowPrinter->setGeometry(controlRect(4));

    RCancelInformation =
        new ui::TextButton(box, QStringLiteral("RCancelInformation"), tr("Batalkan"), 16);
    RCancelInformation->setFill(kCancelFill);
    RCancelInformation->setGeometry(60, kHeight - 62, 130, 42);
    RSendInformation = new ui::TextButton(box, QStringLiteral("RSendInformation"), tr("Kirim"), 16);
    RSendInformation->setFill(kSendFill);
    RSendInformation->setGeometry(kWidth - 60 - 130, kHeight - 62, 130, 42);
    setAnswerButtons(RSendInformation, RCancelInformation);
}

std::optional<QString> InformationDialog::sendDetails(ChargerLink& link) {
    if (ComboShowPrinter->currentIndex() == -1) return tr("Sambungkan ke bluetooth printer");
    if (!link.connected())  // the command would be lost without a word
        return tr("Tidak ada perangkat tersambung, data informasi tidak terkirim");
    link.Kirimstringdata(commands::dealerInformation(
        ComboShowPrinter->currentText().toStdString(), EditStore->text().toStdString(),
        EditAddress->text().toStdString(), EditCity->text().toStdString(),
        EditPhone->text().toStdString()));
    return std::nullopt;
}

}  // namespace velmora
