// The one-second refresh: status words, measurements, stage, time and gauge; the reset
// for the next battery.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <tuple>
#include <utility>

#include "catalogue/DiagnosticScreen.h"
#include "logger/DataLogger.h"
#include "monitor/ChartScreen.h"
#include "monitor/DashboardScreen.h"
#include "monitor/StageTable.h"
#include "shell/TVLForm.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
constexpr int kTextSize = 26, kPercentSize = 36;

void setProgress(QLabel* label, const QString& text, int size) {
    if (label->font().pixelSize() != size) label->setFont(ui::display(size));
    label->setText(text);
}

void zeroMeasurement(ChargerState& s) {
    s.chargeVoltage = 0.0;
    s.chargeCurrent = 0.0;
    s.stageNumber = 0;
    s.elapsedSeconds = 0;
    s.chargeProgress = 0;
}
}  // namespace

void TVLForm::TimerloopTimer() {
    detect();
    display();
    accudiagnostic();
    datareference();
    timercharger();
    effect();
    chart();
    updateLinkStatus();
    journalTick();
}

void TVLForm::detect() {
    enum class Word { None, Standby, Reverse, Unplug, ChargeMode, TestMode };
    // Tested, cleared and acted on in the state under one hold, so a word stored by the
    // receive thread right after is not wiped unseen.
    const auto [word, taken, detected] = m_state.modify([](ChargerState& s) {
        static const std::pair<const char*, Word> kWords[] = {{"STANDBY", Word::Standby},
                                                              {"Reverse_Polarity", Word::Reverse},
                                                              {"Baterai_Unplug", Word::Unplug},
                                                              {"Charge Mode", Word::ChargeMode},
                                                              {"Test Mode", Word::TestMode}};
        Word found = Word::None;
        for (const auto& [text, w] : kWords)
            if (s.chargerStatus == text) {
                found = w;
                break;
            }
        std::string text;
        if (found != Word::None) text = std::exchange(s.chargerStatus, {});
        if (found == Word::Standby || found == Word::Unplug) zeroMeasurement(s);
        const bool battery = s.batteryStatus == "Baterai_Detected";
        if (battery) s.batteryStatus.clear();
        return std::tuple{found, text, battery};
    });
    if (!taken.empty()) m_tickSeen.statusWord = taken;  // for the charge journal
    QLabel* progress = m_dashboard->LProgress;
    switch (word) {
        case Word::Standby:
            setProgress(progress, QStringLiteral("STANDBY"), kTextSize);
            break;
        case Word::Reverse:
            setProgress(progress, QStringLiteral("REVERSE POLARITY"), kTextSize);
            break;
        case Word::Unplug:
            setProgress(progress, QStringLiteral("BATTERY UNPLUG"), kTextSize);
            break;
        case Word::ChargeMode:
            selectScreen(Screen::Dashboard);
            break;
        case Word::TestMode:
            selectScreen(Screen::Diagnostic);
            break;
        case Word::None:
            break;
    }
    if (detected) {
        setProgress(progress, QStringLiteral("BATTERY DETECTED"), kTextSize);
        m_diagnostic->RBefore->hide();
        m_diagnostic->RAfter->hide();
        m_diagnostic->RTest->hide();
    }
}

void TVLForm::display() {
    const Measurement s = m_state.measurement();
    ui::setFittedText(
        m_dashboard->LVoltage,
        QString::fromStdString(formatFixed2(s.chargeVoltage, m_format)) + QStringLiteral(" V"));
    ui::setFittedText(
        m_dashboard->LCurrent,
        QString::fromStdString(formatFixed2(s.chargeCurrent, m_format)) + QStringLiteral(" A"));
    const StageView view = stageView(s.stageNumber);
    if (!view.known) return;
    m_dashboard->LChargingProgress->setText(view.name);
    for (int i = 0; i < 6; ++i)
        ui::setTextColor(m_dashboard->LbStage[i],
                         i + 1 == view.highlighted ? ui::kWhite : ui::kGrey);
    QLabel* progress = m_dashboard->LProgress;
    switch (view.progress) {
        case StageView::Progress::Analyze:
            setProgress(progress, QStringLiteral("ANALYZE"), kTextSize);
            break;
        case StageView::Progress::Percentage:
            setProgress(progress, percentageText(s.chargeProgress), kPercentSize);
            break;
        case StageView::Progress::AfterStatus:
            setProgress(progress, QString::fromStdString(s.afterStatus), kTextSize);
            break;
        case StageView::Progress::Unchanged:
            break;
    }
    m_chart->setStageTitle(QStringLiteral("Stage %1").arg(view.chartStage));
    if (view.clearCharts) m_chart->clearSeries();
}

void TVLForm::timercharger() {
    const int elapsed = std::max(0, m_state.measurement().elapsedSeconds);
    ui::setFittedText(m_dashboard->LHour, twoDigits(elapsed / 3600));
    m_dashboard->LMinute->setText(twoDigits(elapsed / 60 % 60));
    m_dashboard->LSecond->setText(twoDigits(elapsed % 60));
}

void TVLForm::effect() {
    const Measurement s = m_state.measurement();
    GaugeWidget* gauge = m_dashboard->RCircle;
    // Past 100 % the arc stays and the waves rise on until they are well out of sight;
    // below 0 the gauge is empty.
    const int p = std::clamp(s.chargeProgress, 0, 1000);
    GaugeWidget::glide(gauge->FloatNeedleLeft, voltageNeedleAngle(s.chargeVoltage));
    GaugeWidget::glide(gauge->FloatNeedleRight, currentNeedleAngle(s.chargeCurrent));
    if (s.chargeProgress <= 100) GaugeWidget::glide(gauge->FloatArc, p * 2.4);
    GaugeWidget::glide(gauge->FloatYFront, GaugeWidget::kEmptyLevelFront - p * 1.8);
    GaugeWidget::glide(gauge->FloatYBehind, GaugeWidget::kEmptyLevelBehind - p * 1.72);
    bool known = false;
    const unsigned colour = arcColourFor(s.chargeProgress, &known);
    const QVariant target =
        known ? QVariant(QColor::fromRgba(colour))
              : (gauge->Color->endValue().isValid() ? gauge->Color->endValue()
                                                    : QVariant(gauge->arcColor()));
    GaugeWidget::glide(gauge->Color, target);
}

void TVLForm::chart() {
    if (const auto error = m_chart->chartStep(m_state, m_format)) reportError(*error);
}

void TVLForm::rest() {
    m_link->readerStop() = false;
    m_state.modify([](ChargerState& s) {
        s.elapsedSeconds = 0;
        s.chargeVoltage = s.chargeCurrent = 0.0;
        s.beforeVoltage = s.afterVoltage = s.beforeDiagVoltage = s.afterDiagVoltage = 0.0;
        s.testVoltage = s.testDiagVoltage = 0.0;
        s.beforeResistance = s.afterResistance = s.testResistance = 0.0;
        s.beforeCca = s.afterCca = s.testCca = 0;
        s.chargeProgress = s.stageNumber = 0;
        s.batteryStatus.clear();
        s.beforeResultTag.clear();
        s.afterResultTag.clear();
        s.testResultTag.clear();
        s.afterStatus.clear();
        s.testStatus.clear();
        s.profileMode.clear();
        s.auxTexts = {};
        s.profileReceived = false;
        s.profileBrandIndex = s.profileVarietyIndex = s.profileTypeIndex = 0;
    });
    m_guideInitDone = false;
    m_logger->forgetSaved();

    m_dashboard->LCCA->setText(QStringLiteral("0"));
    m_dashboard->LiR->setText(QString::fromStdString(formatFixed2(0.0, m_format)));
    for (QWidget* panel :
         {m_diagnostic->RCAccu, m_diagnostic->RBefore, m_diagnostic->RAfter, m_diagnostic->RTest})
        panel->hide();
    m_chart->clearSeries();
    m_timerloop->start();

    DiagnosticScreen* d = m_diagnostic;
    d->Edit1->clear();
    d->ComboMerk->setCurrentIndex(-1);
    d->showOptionView(false);  // the next battery starts from the catalogue rows
    {
        // Emptying the boxes runs no change handler.
        const QSignalBlocker blockJenis(d->ComboJenis), blockTipe(d->ComboTipe);
        d->ComboJenis->clear();
        d->ComboTipe->clear();
    }
    d->LCap->clear();
    d->RadioNormal->setChecked(true);

    for (QLabel* label : {m_dashboard->LProgress, m_dashboard->LBatterySeries,
                          m_dashboard->LBatteryBrand, m_dashboard->LBatteryType})
        label->setText(QStringLiteral("-"));
}

}  // namespace velmora
