// The result panels of the diagnostic screen: before and after the charge, or the test.
#include <QLabel>

#include "catalogue/DiagnosticScreen.h"
#include "catalogue/ResultLines.h"

namespace velmora {

namespace {
void showLines(const TestResult& r, const NumberFormat& format, QLabel* cca, QLabel* ir,
               QLabel* diag, QLabel* voltage) {
    const QStringList lines = resultLines(r, false, format);
    cca->setText(lines[0]);
    ir->setText(lines[1]);
    diag->setText(lines[2]);
    voltage->setText(lines[3]);
}

QString statusLine(const TestResult& r, const NumberFormat& format) {
    return resultLines(r, true, format).back();
}
}  // namespace

void DiagnosticScreen::showTick(const TickEvents& tick, const NumberFormat& format) {
    // A new battery, or a new charge or test, leaves nothing of the last one's results.
    const StatusWord word = tick.status.word;
    if (tick.status.batteryDetected || word == StatusWord::ChargeMode ||
        word == StatusWord::TestMode)
        showBatteryDetected();
    showResults(tick.results, format);
}

void DiagnosticScreen::showBatteryDetected() {
    RBefore->hide();
    RAfter->hide();
    RTest->hide();
}

void DiagnosticScreen::showResults(const TestResults& results, const NumberFormat& format) {
    if (const auto& before = results.before) {
        RTest->hide();
        RCAccu->show();
        RBefore->show();
        showLines(*before, format, BCCA, BiR, Bvd, BVo);
    }
    if (const auto& after = results.after) {
        RTest->hide();
        RCAccu->show();
        RAfter->show();
        showLines(*after, format, ACCA, AiR, Avd, AVo);
        ARes1->setText(statusLine(*after, format));
    }
    if (const auto& test = results.test) {
        RCAccu->hide();
        RTest->show();
        showLines(*test, format, TCCA, TiR, TVd, TVo);
        TStatus->setText(statusLine(*test, format));
    }
}

void DiagnosticScreen::hideResults() {
    for (QWidget* panel : {RCAccu, RBefore, RAfter, RTest}) panel->hide();
}

}  // namespace velmora
