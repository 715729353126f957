#pragma once

#include "link/NumberText.h"

namespace velmora {

class ChargerBay;
class ChartScreen;
class DashboardScreen;
class DiagnosticScreen;
class ProfileSelector;

// The screens that show one bay in detail: the dashboard, the diagnostic screen with the
// battery choice, and the charts.
struct DetailScreens {
    DashboardScreen* dashboard;
    DiagnosticScreen* diagnostic;
    ChartScreen* chart;
    ProfileSelector* profile;
    const NumberFormat* format;
};

// Moves the detail screens from bay `from` to bay `to`: the charts take `to`'s points and
// give `from` its own back, the battery choice and the figures become `to`'s. Nothing is
// sent to either charger.
void showBayInDetail(ChargerBay& from, ChargerBay& to, const DetailScreens& screens);

}  // namespace velmora
