#include "journal/SessionChart.h"

#include <algorithm>

#include "journal/SessionGaps.h"

namespace velmora::journal {

void plotSession(const Session& session, ChartData& charts) {
    charts.clear();
    const SessionStart& start = session.summary.start;
    // Whole milliseconds since 30 December 1899 on the local clock, divided once per
    // point, so a day-long session does not drift.
    const int64_t epochMs = chartMilliseconds(chartDays(1970, 1, 1, 0));
    const int64_t startMs = epochMs + start.startMs + int64_t{start.utcOffsetMinutes} * 60'000;
    int64_t nextMs = startMs;
    int64_t lastOffsetMs = 0;
    for (const Point& p : session.points) {
        // A gap stays open on the chart: no line across time without readings.
        if (&p != &session.points.front() && p.offsetMs - lastOffsetMs >= kMinGapMs) {
            charts.voltage.breakLine();
            charts.current.breakLine();
        }
        lastOffsetMs = p.offsetMs;
        const double x = static_cast<double>(startMs + p.offsetMs) / kMsPerDay;
        charts.voltage.add(x, p.voltage);
        charts.current.add(x, p.current);
        nextMs = std::max(nextMs, startMs + p.offsetMs + 1000);
    }
    charts.clock.setDays(static_cast<double>(nextMs) / kMsPerDay);
}

}  // namespace velmora::journal
