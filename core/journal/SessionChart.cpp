#include "journal/SessionChart.h"

#include <algorithm>
#include <optional>

#include "journal/SessionGaps.h"

namespace velmora::journal {

void plotSession(const Session& session, ChartData& charts) {
    charts.clear();
    // As the live chart shows a charge: its charging stages, on its own time from 0:00.
    const bool charge = session.summary.start.kind == SessionKind::Charge;
    int64_t nextMs = 0;
    std::optional<int64_t> lastOffsetMs;
    for (const Point& p : session.points) {
        if (charge && (p.stage < 2 || p.stage > 4)) continue;
        // A gap stays open on the chart: no line across time without readings.
        if (lastOffsetMs && p.offsetMs - *lastOffsetMs >= kMinGapMs) {
            charts.voltage.breakLine();
            charts.current.breakLine();
        }
        lastOffsetMs = p.offsetMs;
        const double x = static_cast<double>(p.offsetMs) / kMsPerDay;
        charts.voltage.add(x, p.voltage);
        charts.current.add(x, p.current);
        nextMs = std::max(nextMs, p.offsetMs + 1000);
    }
    charts.clock.setDays(static_cast<double>(nextMs) / kMsPerDay);
}

}  // namespace velmora::journal
