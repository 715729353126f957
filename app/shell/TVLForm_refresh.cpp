// The one-second refresh: one take of the tick's events from the live state, shown by the
// screens and handed to the charge journal; the reset for the next battery. The steps keep
// their own hand-overs, each taking its part.
#include "catalogue/DiagnosticScreen.h"
#include "catalogue/ProfileSelector.h"
#include "logger/DataLogger.h"
#include "monitor/ChartScreen.h"
#include "monitor/DashboardScreen.h"
#include "shell/TVLForm.h"
#include "shell/WindowContent.h"

namespace velmora {

void TVLForm::TimerloopTimer() {
    showTick(takeTickEvents(m_state));
}

void TVLForm::showTick(const TickEvents& tick) {
    m_ui->followStatusWord(tick.status.word);
    m_ui->diagnostic->showTick(tick, m_format);
    if (tick.profile) profile().apply(*tick.profile);
    // Last of the screens: the gauge's glides start after the slower work of the tick.
    m_ui->dashboard->showTick(tick);
    m_ui->chart->showStage(tick.measurement.stageNumber);
    updateLinkStatus();  // before the chart: a lost link adds no point
    chart();
    m_ctrl->observeTick(tick);
}

void TVLForm::detect() {
    const StatusEvents status = m_state.modify(takeStatusEvents);
    m_ui->followStatusWord(status.word);
    m_ui->dashboard->showStatus(status);
    if (status.batteryDetected) m_ui->diagnostic->showBatteryDetected();
}

void TVLForm::display() {
    const Measurement m = m_state.measurement();
    m_ui->dashboard->showMeasurement(m);
    m_ui->chart->showStage(m.stageNumber);
}

void TVLForm::accudiagnostic() {
    const TestResults results = m_state.modify(takeTestResults);
    m_ui->dashboard->showResults(results);
    m_ui->diagnostic->showResults(results, m_format);
}

void TVLForm::datareference() {
    if (const auto reported = m_state.modify(takeReportedProfile)) profile().apply(*reported);
}

void TVLForm::timercharger() {
    m_ui->dashboard->showTime(m_state.measurement());
}

void TVLForm::effect() {
    m_ui->dashboard->showGauge(m_state.measurement());
}

void TVLForm::chart() {
    const bool live = !linkControl().lostCharger();
    if (const auto error = m_ui->chart->chartStep(m_state, m_format, live)) reportError(*error);
}

void TVLForm::rest() {
    m_link->readerStop() = false;
    m_state.modify(resetForNextBattery);
    m_guideInitDone = false;
    logger().forgetSaved();
    m_ui->dashboard->resetForNextBattery();
    m_ui->diagnostic->hideResults();
    m_ui->chart->clearSeries();
    m_timerloop->start();
    profile().reset();
}

}  // namespace velmora
