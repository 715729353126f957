// The one-second refresh: one take of the tick's events from the live state, shown by the
// screens and handed to the charge journal; the reset for the next battery. The steps keep
// their own hand-overs, each taking its part.
#include "catalogue/DiagnosticScreen.h"
#include "catalogue/ProfileSelector.h"
#include "logger/DataLogger.h"
#include "monitor/ChartScreen.h"
#include "monitor/DashboardScreen.h"
#include "shell/TVLForm.h"

namespace velmora {

void TVLForm::TimerloopTimer() {
    showTick(takeTickEvents(m_state));
}

void TVLForm::showTick(const TickEvents& tick) {
    followStatusWord(tick.status.word);
    m_diagnostic->showTick(tick, m_format);
    if (tick.profile) m_profile->apply(*tick.profile);
    // Last of the screens: the gauge's glides start after the slower work of the tick.
    m_dashboard->showTick(tick);
    m_chart->showStage(tick.measurement.stageNumber);
    updateLinkStatus();  // before the chart: a lost link adds no point
    chart();
    journalTick(tick);
}

void TVLForm::followStatusWord(StatusWord word) {
    if (word == StatusWord::ChargeMode) selectScreen(Screen::Dashboard);
    if (word == StatusWord::TestMode) selectScreen(Screen::Diagnostic);
}

void TVLForm::detect() {
    const StatusEvents status = m_state.modify(takeStatusEvents);
    followStatusWord(status.word);
    m_dashboard->showStatus(status);
    if (status.batteryDetected) m_diagnostic->showBatteryDetected();
}

void TVLForm::display() {
    const Measurement m = m_state.measurement();
    m_dashboard->showMeasurement(m);
    m_chart->showStage(m.stageNumber);
}

void TVLForm::accudiagnostic() {
    const TestResults results = m_state.modify(takeTestResults);
    m_dashboard->showResults(results);
    m_diagnostic->showResults(results, m_format);
}

void TVLForm::datareference() {
    if (const auto profile = m_state.modify(takeReportedProfile)) m_profile->apply(*profile);
}

void TVLForm::timercharger() {
    m_dashboard->showTime(m_state.measurement());
}

void TVLForm::effect() {
    m_dashboard->showGauge(m_state.measurement());
}

void TVLForm::chart() {
    const bool live = !m_linkControl->lostCharger();
    if (const auto error = m_chart->chartStep(m_state, m_format, live)) reportError(*error);
}

void TVLForm::rest() {
    m_link->readerStop() = false;
    m_state.modify(resetForNextBattery);
    m_guideInitDone = false;
    m_logger->forgetSaved();
    m_dashboard->resetForNextBattery();
    m_diagnostic->hideResults();
    m_chart->clearSeries();
    m_timerloop->start();
    m_profile->reset();
}

}  // namespace velmora
