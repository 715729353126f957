#include "widgets/QuestionDialog.h"

#include <QLabel>

#include "widgets/Theme.h"

namespace velmora {

namespace {
const QColor kNoFill = QColor::fromRgb(0x4A, 0x4A, 0x4A);
const QColor kYesFill = QColor::fromRgb(0x00, 0xA7, 0x7F);
}  // namespace

QuestionDialog::QuestionDialog(QWidget* window, const QString& name, const QString& animationName,
                               const QString& text1, const QString& text2, const QString& leftName,
                               const QString& leftText, const QString& rightName,
                               const QString& rightText)
    : ui::SlideInDialog(window, name, animationName, QSize(350, 150), 195) {
    ui::Panel* box = panel();
    line1 = ui::makeLabel(box, name + QStringLiteral("Line1"), text1, 18);
    line1->setFont(ui::roboto(18, QFont::Medium));
    line1->setGeometry(10, 18, 330, 26);
    line2 = ui::makeLabel(box, name + QStringLiteral("Line2"), text2, 15);
    line2->setGeometry(10, 46, 330, 22);
    left = new ui::TextButton(box, leftName, leftText, 16);
    left->setFill(kNoFill);
    left->setGeometry(30, 92, 130, 40);
    right = new ui::TextButton(box, rightName, rightText, 16);
    right->setFill(kYesFill);
    right->setGeometry(190, 92, 130, 40);
    setAnswerButtons(right, left);
}

}  // namespace velmora
