#pragma once

#include "widgets/SlideInDialog.h"

class QLabel;

namespace velmora {

// A slide-in question with two text lines and a left and a right answer button; Enter
// answers with the right one, Escape with the left one.
class QuestionDialog : public ui::SlideInDialog {
    Q_OBJECT
public:
    QuestionDialog(QWidget* window, const QString& name, const QString& animationName,
                   const QString& line1, const QString& line2, const QString& leftName,
                   const QString& leftText, const QString& rightName, const QString& rightText);

    QLabel* line1;
    QLabel* line2;
    ui::TextButton* left;
    ui::TextButton* right;
};

}  // namespace velmora
