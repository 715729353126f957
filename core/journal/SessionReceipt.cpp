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

// The profile block of either receipt, the chunk its bay's line joins.
constexpr size_t kProfileChunk = 3;
const std::string kLineEnd = "\x1B\x0D\x0A";

// A bay's session says which bay on its paper, below the profile's lines, so receipts of
// several chargers printed together can be told apart. A session without a bay prints as
// it always did.
void addBayLine(std::vector<std::string>& chunks, const std::string& bayLabel) {
    if (bayLabel.empty() || chunks.size() <= kProfileChunk) return;
    std::string& block = chunks[kProfileChunk];
    const size_t lastLine = block.rfind(kLineEnd);
    if (lastLine == std::string::npos) return;
    block.insert(lastLine + kLineEnd.size(),
                 "RAK          : " + printing::printableText(bayLabel) + kLineEnd);
}

}  // namespace

std::vector<std::string> sessionReceiptChunks(const SessionSummary& session,
                                              const printing::ReceiptLocale& locale,
                                              const printing::PrinterRasters& rasters) {
    const Profile& p = session.start.profile;
    const printing::ProfileTexts texts{p.name, p.variety, p.type, p.capacity};
    const ChargerState state = resultsState(session.results);
    const printing::ClockReading clock = endReading(session);
    std::vector<std::string> chunks =
        session.start.kind == SessionKind::Test
            ? printing::testReceiptChunks(state, texts, clock, locale, rasters.logo)
            : printing::chargeReceiptChunks(state, texts, clock, locale, rasters);
    addBayLine(chunks, session.start.bayLabel);
    return chunks;
}

}  // namespace velmora::journal
