#include "logger/SaveDialog.h"

#include <QLabel>
#include <QLineEdit>

#include "catalogue/InputStyle.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
constexpr int kWidth = 350, kHeight = 150, kRestingY = 195;
constexpr int kButtonWidth = 100, kButtonHeight = 40, kMargin = 30;
const QColor kCancelFill = QColor::fromRgb(0x4A, 0x4A, 0x4A);
const QColor kSaveFill = QColor::fromRgb(0x00, 0xA7, 0x7F);
}  // namespace

SaveDialog::SaveDialog(QWidget* window)
    : ui::SlideInDialog(window, QStringLiteral("LayoutSave"), QStringLiteral("FloatSave"),
                        QSize(kWidth, kHeight), kRestingY) {
    ui::Panel* box = panel();
    LNamaFile = ui::makeLabel(box, QStringLiteral("LNamaFile"), tr("Nama File :"), 17, ui::kWhite,
                              Qt::AlignLeft | Qt::AlignVCenter);
    LNamaFile->setGeometry(kMargin, 12, kWidth - 2 * kMargin, 26);

    Edit2 = new QLineEdit(box);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->setPlaceholderText(tr("Ketik di sini"));
    Edit2->setFont(ui::roboto(18));
    Edit2->setStyleSheet(ui::lineEditStyle());
    Edit2->setGeometry(kMargin, 42, 290, 32);

    const int buttonY = kHeight - 16 - kButtonHeight;
    RCancelSave = new ui::TextButton(box, QStringLiteral("RCancelSave"), tr("Batalkan"), 16);
    RCancelSave->setFill(kCancelFill);
    RCancelSave->setGeometry(kMargin + 25, buttonY, kButtonWidth, kButtonHeight);
    ROKSave = new ui::TextButton(box, QStringLiteral("ROKSave"), tr("Simpan"), 16);
    ROKSave->setFill(kSaveFill);
    ROKSave->setGeometry(kWidth - kMargin - 25 - kButtonWidth, buttonY, kButtonWidth,
                         kButtonHeight);
    setAnswerButtons(ROKSave, RCancelSave);  // Enter in the name box saves
}

}  // namespace velmora
