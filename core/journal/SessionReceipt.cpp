#include "journal/SessionReceipt.h"

#include "journal/WallTime.h"

namespace velmora::journal {

namespace {

// The results as the live state held them when the receipt was printed.
ChargerState resultsState(const Results& r) {
    ChargerState s;
    if (r.before) s.before = *r.before;
    if (r.after) s.after = *r.after;
    if (r.test) s.test = *r.test;
    return s;
}

printing::ClockReading endReading(const SessionSummary& session) {
    const int64_t end = session.start.startMs + session.durationMs();
    const LocalTime t = localTimeOf(end, session.start.utcOffsetMinutes);
    return {static_cast<int>(t.year), t.month, t.day, t.hour, t.minute, t.second, t.millisecond};
}

}  // namespace

std::vector<std::string> sessionReceiptChunks(const SessionSummary& session,
                                              const printing::ReceiptLocale& locale,
                                              const printing::PrinterRasters& rasters) {
    const Profile& p = session.start.profile;
    const printing::ProfileTexts texts{p.name, p.variety, p.type, p.capacity};
    const ChargerState state = resultsState(session.results);
    const printing::ClockReading clock = endReading(session);
    if (session.start.kind == SessionKind::Test)
        return printing::testReceiptChunks(state, texts, clock, locale, rasters.logo);
    return printing::chargeReceiptChunks(state, texts, clock, locale, rasters);
}

}  // namespace velmora::journal
