#pragma once

#include <QWidget>

#include "widgets/Picture.h"

class QLabel;

namespace velmora {

// The top bar: the screen title on the left, the five navigation buttons with their
// highlight pictures on the right, the bench first.
class TopBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 62;
    explicit TopBar(QWidget* content);

    QLabel* LTittle;
    ui::TextButton* BT5Bench;
    ui::TextButton* BT1Dashboard;
    ui::TextButton* BT2Diagnostic;
    ui::TextButton* BT3Chart;
    ui::PictureButton* BT4Option;
    ui::Picture* IBT1;
    ui::Picture* IBT2;
    ui::Picture* IBT3;
    ui::Picture* IBT4;
    ui::Picture* IBT5;
    QLabel* LBayName;
    // Beside the title on every screen while the charger link is lost (hidden otherwise).
    QLabel* LLinkAlert;

    // Applies one row of the screens table: title, text colour, icon, highlight (0..3 the
    // dashboard to the options, 4 the bench).
    void apply(const QString& title, bool darkText, int activeButton);
    // An empty text hides the alert.
    void showLinkAlert(const QString& text);
    // The bay the detail screens show, beneath the title; an empty name hides it and the
    // title stands as before.
    void showBayName(const QString& name);
};

}  // namespace velmora
