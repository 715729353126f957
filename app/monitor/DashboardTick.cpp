// The dashboard's part of the one-second refresh: status words, measurements, stage, results,
// time and gauge; the reset for the next battery.
#include <QLabel>
#include <algorithm>

#include "monitor/DashboardScreen.h"
#include "monitor/StageTable.h"
#include "widgets/ElidedText.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
constexpr int kTextSize = 26, kPercentSize = 36;
const QColor kLinkUp = QColor::fromRgb(0x5C, 0xE6, 0xA8);
const QColor kLinkDown = QColor::fromRgb(0xFF, 0x6B, 0x5B);

void setProgress(QLabel* label, const QString& text, int size) {
    if (label->font().pixelSize() != size) label->setFont(ui::display(size));
    label->setText(text);
}
}  // namespace

void DashboardScreen::showTick(const TickEvents& tick) {
    if (tick.results.test) m_atTestResult = tick.measurement;
    showStatus(tick.status);
    showMeasurement(tick.measurement);
    showResults(tick.results);
    showTime(tick.measurement);
    showGauge(tick.measurement);
}

void DashboardScreen::showStatus(const StatusEvents& status) {
    const bool newRun = status.batteryDetected || status.word == StatusWord::ChargeMode ||
                        status.word == StatusWord::TestMode;
    if (newRun) {
        // The figures of the battery before are not this one's.
        m_testShown = false;
        LCCA->setText(QStringLiteral("0"));
        LiR->setText(QString::fromStdString(formatFixed2(0.0, m_format)));
    }
    switch (status.word) {
        case StatusWord::Standby:
            // The standby that follows a test leaves its result in view.
            if (!m_testShown) setProgress(LProgress, tr("STANDBY"), kTextSize);
            break;
        case StatusWord::Reverse:
            setProgress(LProgress, tr("REVERSE POLARITY"), kTextSize);
            break;
        case StatusWord::Unplug:
            setProgress(LProgress, tr("BATTERY UNPLUG"), kTextSize);
            break;
        default:
            break;
    }
    if (status.batteryDetected) setProgress(LProgress, tr("BATTERY DETECTED"), kTextSize);
}

void DashboardScreen::showMeasurement(const Measurement& s) {
    // The test's figures stay until a reading after it comes.
    const bool sameAsAtTheResult = s.stageNumber == m_atTestResult.stageNumber &&
                                   s.chargeVoltage == m_atTestResult.chargeVoltage &&
                                   s.chargeCurrent == m_atTestResult.chargeCurrent &&
                                   s.elapsedSeconds == m_atTestResult.elapsedSeconds;
    const bool reading = s.stageNumber != 0 || s.chargeVoltage != 0.0 || s.chargeCurrent != 0.0;
    if (m_testShown && (!reading || sameAsAtTheResult)) return;
    m_testShown = false;
    ui::setFittedText(LVoltage, QString::fromStdString(formatFixed2(s.chargeVoltage, m_format)) +
                                    QStringLiteral(" V"));
    ui::setFittedText(LCurrent, QString::fromStdString(formatFixed2(s.chargeCurrent, m_format)) +
                                    QStringLiteral(" A"));
    const StageView view = stageView(s.stageNumber);
    if (!view.known) return;
    LChargingProgress->setText(view.name);
    for (int i = 0; i < 6; ++i)
        ui::setTextColor(LbStage[i], i + 1 == view.highlighted ? ui::kWhite : ui::kGrey);
    switch (view.progress) {
        case StageView::Progress::Analyze:
            setProgress(LProgress, tr("ANALYZE"), kTextSize);
            break;
        case StageView::Progress::Percentage:
            setProgress(LProgress, percentageText(s.chargeProgress), kPercentSize);
            break;
        case StageView::Progress::AfterStatus:
            setProgress(LProgress, QString::fromStdString(s.afterStatus), kTextSize);
            break;
        case StageView::Progress::Unchanged:
            break;
    }
}

void DashboardScreen::showResults(const TestResults& results) {
    // The latest group of the tick stays: a test result after the charge results.
    for (const auto& result : {results.before, results.after, results.test}) {
        if (!result) continue;
        LCCA->setText(QString::number(result->cca));
        LiR->setText(QString::fromStdString(formatFixed2(result->resistance, m_format)));
    }
    if (const auto& test = results.test) {
        // A test-only run ends with its result: the dashboard shows the battery it found.
        m_testShown = true;
        ui::setFittedText(LVoltage, QString::fromStdString(formatFixed2(test->voltage, m_format)) +
                                        QStringLiteral(" V"));
        ui::setFittedText(
            LCurrent, QString::fromStdString(formatFixed2(0.0, m_format)) + QStringLiteral(" A"));
        setProgress(LProgress, QString::fromStdString(test->status), kTextSize);
    }
}

void DashboardScreen::showTime(const Measurement& m) {
    const int elapsed = std::max(0, m.elapsedSeconds);
    ui::setFittedText(LHour, twoDigits(elapsed / 3600));
    LMinute->setText(twoDigits(elapsed / 60 % 60));
    LSecond->setText(twoDigits(elapsed % 60));
}

void DashboardScreen::showGauge(const Measurement& s) {
    GaugeWidget* gauge = RCircle;
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

void DashboardScreen::showBattery(const QString& series, const QString& brand,
                                  const QString& type) {
    LBatterySeries->setText(series);
    LBatteryBrand->setText(brand);
    LBatteryType->setText(type);
}

void DashboardScreen::resetForNextBattery() {
    m_testShown = false;
    LCCA->setText(QStringLiteral("0"));
    LiR->setText(QString::fromStdString(formatFixed2(0.0, m_format)));
    for (QLabel* label : {LProgress, LBatterySeries, LBatteryBrand, LBatteryType})
        label->setText(QStringLiteral("-"));
}

void DashboardScreen::showLinkStatus(const LinkStatus& status) {
    // Middle: the line still says which charger ("Terhubung: Charger Si…0.0.1:5556)").
    ui::setElidedText(LLinkStatus, status.text, Qt::ElideMiddle);
    ui::setTextColor(LLinkStatus, status.tone == LinkStatus::Tone::Busy ? ui::kWhite
                                  : status.tone == LinkStatus::Tone::Up ? kLinkUp
                                                                        : kLinkDown);
}

}  // namespace velmora
