#pragma once

#include <QWidget>

#include "link/NumberText.h"
#include "monitor/GaugeWidget.h"
#include "widgets/Picture.h"

class QLabel;

namespace velmora {

// The dashboard screen (M1Dashboard): CCA, voltage, battery box, time, stages, current,
// iR, the gauge, and the print, save, connection and stop buttons.
class DashboardScreen : public QWidget {
    Q_OBJECT
public:
    // format: the user's decimal separator, for the starting texts.
    DashboardScreen(QWidget* main, const NumberFormat& format);

    QLabel* LCCA;
    QLabel* LiR;
    QLabel* LVoltage;
    QLabel* LCurrent;
    QLabel* LBatterySeries;
    QLabel* LBatteryBrand;
    QLabel* LBatteryType;
    QLabel* LHour;
    QLabel* LMinute;
    QLabel* LSecond;
    QLabel* LChargingProgress;
    QLabel* LbStage[6];
    // Link state shown under the battery box ("Koneksi terputus", ...).
    QLabel* LLinkStatus;
    QLabel* LProgress;
    GaugeWidget* RCircle;
    ui::PictureButton* BTPrint;
    ui::PictureButton* BTSave;
    ui::PictureButton* BTConnection;
    ui::PictureButton* BTForceStop;

private:
    void buildLeftColumn();
    void buildMiddle();
    void buildRightColumn();
};

}  // namespace velmora
