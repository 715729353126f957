#pragma once

#include <QWidget>

#include "widgets/Picture.h"

class QLabel;

namespace velmora {

// The top bar: the screen title on the left, the four navigation buttons with their
// highlight pictures on the right.
class TopBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 62;
    explicit TopBar(QWidget* content);

    QLabel* LTittle;
    ui::TextButton* BT1Dashboard;
    ui::TextButton* BT2Diagnostic;
    ui::TextButton* BT3Chart;
    ui::PictureButton* BT4Option;
    ui::Picture* IBT1;
    ui::Picture* IBT2;
    ui::Picture* IBT3;
    ui::Picture* IBT4;
    // Beside the title on every screen while the charger link is lost (hidden otherwise).
    QLabel* LLinkAlert;

    // Applies one row of the screens table: title, text colour, icon, highlight.
    void apply(const QString& title, bool darkText, int activeButton);
    // An empty text hides the alert.
    void showLinkAlert(const QString& text);
};

}  // namespace velmora
