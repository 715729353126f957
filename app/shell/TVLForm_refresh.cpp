// The one-second refresh: one take of the tick's events from the live state, shown by the
// screens and handed to the charge journal; the reset for the next battery. The steps keep
// their own hand-overs, each taking its part.
#include "bench/Bench.h"
#include "catalogue/DiagnosticScreen.h"
#include "catalogue/ProfileSelector.h"
#include "logger/DataLogger.h"
#include "monitor/BenchScreen.h"
#include "monitor/ChartScreen.h"
#include "monitor/DashboardScreen.h"
#include "shell/TVLForm.h"
#include "shell/WindowContent.h"

namespace velmora {

void TVLForm::TimerloopTimer() {
    bench().tick([this](ChargerBay& bay, const TickEvents& tick) { showTick(bay, tick); });
    m_ctrl->afterTick();
}

void TVLForm::showTick(ChargerBay& bay, const TickEvents& tick) {
    // A mode word brings its screen up, unless the user is looking at the whole bench.
    if (!m_ui->bench->isVisible()) m_ui->followStatusWord(tick.status.word);
    m_ui->diagnostic->showTick(tick, m_format);
    if (tick.profile) profile().apply(*tick.profile);
    // Last of the screens: the gauge's glides start after the slower work of the tick.
    m_ui->dashboard->showTick(tick);
    m_ui->chart->showStage(tick.measurement.stageNumber);
    updateLinkStatus();  // before the chart: a lost link adds no point
    chart();
    bay.setProfile(profile().chargeProfile());  // recorded with the bay's charge
}

void TVLForm::detect() {
    const StatusEvents status = shownState().modify(takeStatusEvents);
    m_ui->followStatusWord(status.word);
    m_ui->dashboard->showStatus(status);
    if (status.batteryDetected) m_ui->diagnostic->showBatteryDetected();
}

void TVLForm::display() {
    const Measurement m = shownState().measurement();
    m_ui->dashboard->showMeasurement(m);
    m_ui->chart->showStage(m.stageNumber);
}

void TVLForm::accudiagnostic() {
    const TestResults results = shownState().modify(takeTestResults);
    m_ui->dashboard->showResults(results);
    m_ui->diagnostic->showResults(results, m_format);
}

void TVLForm::datareference() {
    if (const auto reported = shownState().modify(takeReportedProfile)) profile().apply(*reported);
}

void TVLForm::timercharger() {
    m_ui->dashboard->showTime(shownState().measurement());
}

void TVLForm::effect() {
    m_ui->dashboard->showGauge(shownState().measurement());
}

void TVLForm::chart() {
    const bool live = !shownBay().control().lostCharger();
    if (const auto error = m_ui->chart->chartStep(shownState(), m_format, live))
        reportError(*error);
}

void TVLForm::rest() {
    shownBay().link().readerStop() = false;
    shownState().modify(resetForNextBattery);
    m_guideInitDone = false;
    logger().forgetSaved();
    m_ui->dashboard->resetForNextBattery();
    m_ui->diagnostic->hideResults();
    m_ui->chart->clearSeries();
    m_timerloop->start();
    profile().reset();
}

}  // namespace velmora
