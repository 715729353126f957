#pragma once

#include <QWidget>
#include <optional>

#include "link/LinkController.h"
#include "link/LinkStatus.h"
#include "link/NumberText.h"
#include "link/TickEvents.h"
#include "monitor/GaugeWidget.h"
#include "monitor/LostLinkPanel.h"
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

    // What a refresh tick took from the charger, in the refresh's order: status word,
    // measurement, results, time, gauge.
    void showTick(const TickEvents& tick);
    void showStatus(const StatusEvents& status);
    void showMeasurement(const Measurement& m);
    void showResults(const TestResults& results);
    void showTime(const Measurement& m);
    void showGauge(const Measurement& m);
    // The battery box: "-" where nothing is chosen.
    void showBattery(const QString& series, const QString& brand, const QString& type);
    // Back to the start for the next battery.
    void resetForNextBattery();
    // The line about the link under the battery box.
    void showLinkStatus(const LinkStatus& status);
    // A lost charger link: the panel with the charger's name and the figures dimmed as
    // old; nullopt takes both away.
    void showLinkLost(const std::optional<LostLinkView>& lost);
    // Both from the controller: the link's line and the lost charger's panel.
    void showLink(const LinkController& control, bool printing);
    // What the lost-link notice shows; none while the charger link is not lost.
    static std::optional<LostLinkView> lostLinkOf(const LinkController& control);
    bool showsStale() const { return m_stale; }

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
    LostLinkPanel* PanelLinkLost;

private:
    NumberFormat m_format;
    bool m_stale = false;
    bool m_testShown = false;    // a test result's figures are on show
    Measurement m_atTestResult;  // the reading the result came with
    void buildLeftColumn();
    void buildMiddle();
    void buildRightColumn();
};

}  // namespace velmora
