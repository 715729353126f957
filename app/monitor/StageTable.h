#pragma once

#include <QString>

namespace velmora {

// What the dashboard shows for one charging stage.
struct StageView {
    bool known = false;   // stages outside 0..6 leave the display as it was
    QString name;         // LChargingProgress
    int highlighted = 0;  // 1..6, 0 for none
    enum class Progress {
        Unchanged,
        Analyze,
        Percentage,
        AfterStatus
    } progress = Progress::Unchanged;
    int chartStage = 1;  // "Stage N" in the chart titles
    bool clearCharts = false;
};

StageView stageView(int stageNumber);
// "57%", and "100%" for anything above 100.
QString percentageText(int progress);
// Two digits at least: 7 -> "07", 100 -> "100".
QString twoDigits(int value);

// Gauge targets for a measurement.
double voltageNeedleAngle(double volts);
double currentNeedleAngle(double amps);
// The arc colour for a progress; invalid (no change) outside 0..100.
unsigned arcColourFor(int progress, bool* known);

}  // namespace velmora
