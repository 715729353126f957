#include "monitor/LostLinkPanel.h"

#include <QLabel>

#include "widgets/Theme.h"

namespace velmora {

namespace {
const QColor kFill = QColor::fromRgba(0xF0201C1D);
const QColor kBorder = QColor::fromRgb(0xFF, 0xB0, 0x40);
const QColor kButtonFill = QColor::fromRgb(0x00, 0xA7, 0x7F);
const QColor kStopFill = QColor::fromRgb(0x4A, 0x4A, 0x4A);
constexpr int kWidth = 260, kHeight = 150, kButtonY = 98, kButtonHeight = 38;

QString reasonText(const LostLinkView& view, const QString& name) {
    // What stands in the way, while attempts go on and after they stopped.
    if (view.adapterOff && !view.connecting)
        return view.reconnecting
                   ? LostLinkPanel::tr(
                         "Bluetooth mati. Nyalakan lagi; %1 dicoba terus (percobaan %2).")
                         .arg(name)
                         .arg(view.attempt)
                   : LostLinkPanel::tr("Bluetooth mati. Nyalakan, lalu tekan Sambungkan ulang.");
    if (view.notPaired && !view.connecting)
        return view.reconnecting ? LostLinkPanel::tr(
                                       "%1 tidak lagi dipasangkan. Pasangkan lagi; dicoba terus "
                                       "(percobaan %2).")
                                       .arg(name)
                                       .arg(view.attempt)
                                 : LostLinkPanel::tr(
                                       "%1 tidak lagi dipasangkan. Pasangkan lagi, lalu tekan "
                                       "Sambungkan ulang.")
                                       .arg(name);
    if (view.reconnecting || (view.connecting && view.attempt > 0))
        return view.attempt > 0 ? LostLinkPanel::tr("Menyambung ulang ke %1... (percobaan %2)")
                                      .arg(name)
                                      .arg(view.attempt)
                                : LostLinkPanel::tr("Menyambung ulang ke %1...").arg(name);
    if (view.connecting) return LostLinkPanel::tr("Menyambungkan ulang ke %1...").arg(name);
    if (view.gaveUp)
        return LostLinkPanel::tr(
                   "%1 tidak dapat disambungkan lagi. Periksa charger, lalu coba "
                   "lagi.")
            .arg(name);
    return LostLinkPanel::tr("%1 tidak lagi mengirim data. Angka di layar adalah bacaan terakhir.")
        .arg(name);
}
}  // namespace

QString lostLinkHeadline(const LostLinkView& view) {
    if (view.reconnecting && view.attempt > 0)
        return LostLinkPanel::tr("Charger terputus, menyambung ulang (percobaan %1)")
            .arg(view.attempt);
    if (view.reconnecting || view.connecting)
        return LostLinkPanel::tr("Charger terputus, menyambung ulang...");
    return LostLinkPanel::tr("Charger terputus");
}

LostLinkPanel::LostLinkPanel(QWidget* parent)
    : ui::Panel(parent, QStringLiteral("PanelLinkLost"), kFill, kBorder, 8) {
    resize(kWidth, kHeight);
    LLinkLostTitle =
        ui::makeLabel(this, QStringLiteral("LLinkLostTitle"), tr("Koneksi terputus"), 17, kBorder);
    LLinkLostTitle->setFont(ui::roboto(17, QFont::Medium));
    LLinkLostTitle->setGeometry(10, 10, kWidth - 20, 24);
    LLinkLostReason = ui::makeLabel(this, QStringLiteral("LLinkLostReason"), QString(), 12);
    LLinkLostReason->setWordWrap(true);
    LLinkLostReason->setGeometry(14, 38, kWidth - 28, 52);
    BTSambungUlang =
        new ui::TextButton(this, QStringLiteral("BTSambungUlang"), tr("Sambungkan ulang"), 14);
    BTSambungUlang->setFill(kButtonFill);
    BTBerhenti = new ui::TextButton(this, QStringLiteral("BTBerhenti"), tr("Berhenti"), 14);
    BTBerhenti->setFill(kStopFill);
    BTBerhenti->setGeometry(kWidth - 14 - 90, kButtonY, 90, kButtonHeight);
    hide();
}

void LostLinkPanel::showLost(const LostLinkView& view) {
    // The name on one line, whole or shortened in its middle: the wrap goes round it, never
    // through an address.
    const QFontMetrics metrics = LLinkLostReason->fontMetrics();
    QString name = metrics.elidedText(  // room left for the "..." that follows it
        view.device, Qt::ElideMiddle,
        LLinkLostReason->width() - metrics.horizontalAdvance(QStringLiteral("... ")));
    name.replace(QLatin1Char(' '), QChar::Nbsp);
    name.replace(QLatin1Char('-'), QChar(0x2011));  // a hyphen that holds its neighbours
    const QString reason = reasonText(view, name);
    if (LLinkLostReason->text() != reason) LLinkLostReason->setText(reason);
    // While it goes on by itself, "Berhenti" stands beside the button that tries now.
    BTBerhenti->setVisible(view.reconnecting);
    if (view.reconnecting)
        BTSambungUlang->setGeometry(14, kButtonY, kWidth - 14 - 90 - 10 - 14, kButtonHeight);
    else
        BTSambungUlang->setGeometry((kWidth - 180) / 2, kButtonY, 180, kButtonHeight);
    BTSambungUlang->setEnabled(!view.connecting);
    if (isHidden()) {
        show();
        raise();
    }
}

}  // namespace velmora
