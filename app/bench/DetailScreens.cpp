#include "bench/DetailScreens.h"

#include "bench/ChargerBay.h"
#include "catalogue/DiagnosticScreen.h"
#include "catalogue/ProfileSelector.h"
#include "monitor/ChartScreen.h"
#include "monitor/DashboardScreen.h"
#include "monitor/StageTable.h"

namespace velmora {

void showBayInDetail(ChargerBay& from, ChargerBay& to, const DetailScreens& screens) {
    from.setProfile(screens.profile->chargeProfile());
    // The screen holds the shown bay's points: they go back to it, the new bay's come in.
    screens.chart->swapData(from.chart());
    screens.chart->swapData(to.chart());
    const Measurement m = to.state().measurement();
    if (const StageView stage = stageView(m.stageNumber); stage.known)
        screens.chart->setStageTitle(stage.chartStage);

    screens.dashboard->resetForNextBattery();
    screens.diagnostic->hideResults();
    screens.profile->reset();
    // The battery this bay's charger reports or was sent; else the one chosen for it here.
    ChargerState live = to.state().snapshot();
    const journal::Profile& chosen = to.profile();
    if (live.profileBrandIndex == -1 && chosen.brandIndex != -1) {
        live.profileBrandIndex = chosen.brandIndex;
        live.profileVarietyIndex = chosen.varietyIndex;
        live.profileTypeIndex = chosen.typeIndex;
        live.profileMode = chosen.mode;
    }
    if (screens.profile->applyLive(live)) screens.profile->reset();
    screens.profile->showTitle();
    screens.dashboard->showMeasurement(m);
    screens.dashboard->showTime(m);
    screens.dashboard->showGauge(m);
}

}  // namespace velmora
