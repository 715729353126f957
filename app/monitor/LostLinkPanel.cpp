#include "monitor/LostLinkPanel.h"

#include <QLabel>

#include "widgets/Theme.h"

namespace velmora {

namespace {
const QColor kFill = QColor::fromRgba(0xF0201C1D);
const QColor kBorder = QColor::fromRgb(0xFF, 0xB0, 0x40);
const QColor kButtonFill = QColor::fromRgb(0x00, 0xA7, 0x7F);
constexpr int kWidth = 260, kHeight = 150;
}  // namespace

LostLinkPanel::LostLinkPanel(QWidget* parent)
    : ui::Panel(parent, QStringLiteral("PanelLinkLost"), kFill, kBorder, 8) {
    resize(kWidth, kHeight);
    LLinkLostTitle = ui::makeLabel(this, QStringLiteral("LLinkLostTitle"),
                                   QStringLiteral("Koneksi terputus"), 17, kBorder);
    LLinkLostTitle->setFont(ui::roboto(17, QFont::Medium));
    LLinkLostTitle->setGeometry(10, 10, kWidth - 20, 24);
    LLinkLostReason = ui::makeLabel(this, QStringLiteral("LLinkLostReason"), QString(), 12);
    LLinkLostReason->setWordWrap(true);
    LLinkLostReason->setGeometry(14, 38, kWidth - 28, 52);
    BTSambungUlang = new ui::TextButton(this, QStringLiteral("BTSambungUlang"),
                                        QStringLiteral("Sambungkan ulang"), 15);
    BTSambungUlang->setFill(kButtonFill);
    BTSambungUlang->setGeometry((kWidth - 180) / 2, 98, 180, 38);
    hide();
}

void LostLinkPanel::showLost(const QString& device, bool busy) {
    const QString name =
        LLinkLostReason->fontMetrics().elidedText(device, Qt::ElideMiddle, width() - 40);
    const QString reason = busy ? QStringLiteral("Menyambungkan ulang ke %1...").arg(name)
                                : QStringLiteral(
                                      "%1 tidak lagi mengirim data. Angka di layar adalah bacaan "
                                      "terakhir.")
                                      .arg(name);
    if (LLinkLostReason->text() != reason) LLinkLostReason->setText(reason);
    BTSambungUlang->setEnabled(!busy);
    if (isHidden()) {
        show();
        raise();
    }
}

}  // namespace velmora
