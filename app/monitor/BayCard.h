#pragma once

#include <QWidget>

#include "link/NumberText.h"
#include "monitor/BayTexts.h"
#include "monitor/BayView.h"

class QLabel;
class QLineEdit;

namespace velmora {

class BayCurve;
namespace ui {
class FittedLabel;
class PictureButton;
}  // namespace ui

// One bay on the bench screen (BayCard<n>): its name, charger, link, readings, stage,
// progress, time and curve, filled with a strong colour and a large word when the charge
// is done, the battery is bad or the link is lost. A click, Enter or Space chooses it; the
// name is renamed in place (double-click, the pencil or F2: Enter keeps, Escape cancels).
class BayCard : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLabelMaxLength = 24;

    BayCard(QWidget* parent, int index, const NumberFormat& format);

    int index() const { return m_index; }
    const BayView& view() const { return m_view; }
    // Shows `view`; nothing is redrawn when it equals the view shown.
    void setView(const BayView& view);
    BayLook look() const { return m_look; }
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

    void startRename();
    bool isRenaming() const { return m_renaming; }

    QLabel* LBayLabel;
    QLabel* LBayDevice;
    ui::FittedLabel* LBayLink;
    QLabel* LBayElapsed;
    ui::FittedLabel* LBayVoltage;
    ui::FittedLabel* LBayCurrent;
    ui::FittedLabel* LBayWord;  // "SELESAI", "AKI RUSAK", "TERPUTUS"
    QLabel* LBayBattery;
    QLabel* LBayStage;
    ui::FittedLabel* LBayResult;  // the charger's words, shrunk rather than cut
    QLabel* LBayProgress;
    BayCurve* Curve;
    ui::PictureButton* BTUbahNama;
    ui::PictureButton* BTHapusBay;
    QLineEdit* EBayLabel;
    QLabel* LBayLabelRefused;

signals:
    void chosen(int index);
    void removeAsked(int index);
    void renamed(int index, const QString& label);
    // An arrow key: the neighbour across (dx) or down (dy) should take the keyboard.
    void stepAsked(int index, int dx, int dy);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void placeControls();
    void showTexts();
    // Ends renaming; false (still renaming) when keeping an empty name.
    bool finishRename(bool keep);

    int m_index;
    NumberFormat m_format;
    BayView m_view;
    BayLook m_look = BayLook::Waiting;
    bool m_selected = false;
    bool m_renaming = false;
    QRectF m_progressBar;  // drawn by the card under the stage line
};

}  // namespace velmora
