#include "monitor/StageTable.h"

#include <QCoreApplication>
#include <algorithm>

namespace velmora {

StageView stageView(int stage) {
    using P = StageView::Progress;
    switch (stage) {
        case 0:
            return {true, QString(), 0, P::Unchanged, 1, false};
        case 1:
            return {true, QCoreApplication::translate("StageTable", "DIAGNOSTIC"), 1, P::Analyze, 1,
                    true};
        case 2:
            return {true, QCoreApplication::translate("StageTable", "CONSTANT CURRENT"),
                    2,    P::Percentage,
                    2,    false};
        case 3:
            return {true, QCoreApplication::translate("StageTable", "CONSTANT VOLTAGE 1"),
                    3,    P::Percentage,
                    3,    false};
        case 4:
            return {true, QCoreApplication::translate("StageTable", "CONSTANT VOLTAGE 2"),
                    4,    P::Percentage,
                    4,    false};
        case 5:
            return {true, QCoreApplication::translate("StageTable", "DIAGNOSTIC"), 5, P::Analyze, 5,
                    false};
        case 6:
            return {true, QCoreApplication::translate("StageTable", "FLOATING"),
                    6,    P::AfterStatus,
                    6,    false};
        default:
            return {};
    }
}

QString percentageText(int progress) {
    return QString::number(std::clamp(progress, 0, 100)) + QLatin1Char('%');
}

QString twoDigits(int value) {
    return value <= 9 && value >= 0 ? QLatin1Char('0') + QString::number(value)
                                    : QString::number(value);
}

// The needles stop at the ends of their scales, below zero as well as at the top: a
// reversed clamp or a garbled reading must not spin them round the dial.
double voltageNeedleAngle(double volts) {
    return std::clamp(volts, -16.0, 16.0) / 16 * 70;
}

double currentNeedleAngle(double amps) {
    return -(std::clamp(amps, -20.0, 20.0) / 20 * 70);
}

unsigned arcColourFor(int progress, bool* known) {
    *known = true;
    if (progress >= 0 && progress <= 20) return 0xFFFF0000;   // red
    if (progress >= 21 && progress <= 50) return 0xFFFFFF00;  // yellow
    if (progress >= 51 && progress <= 99) return 0xFF00FF7F;  // spring green
    if (progress == 100) return 0xFF0000FF;                   // blue
    *known = false;
    return 0;
}

}  // namespace velmora
