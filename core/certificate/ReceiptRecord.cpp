#include "certificate/ReceiptRecord.h"

#include <cstdint>

namespace velmora::certificate {

namespace {

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar, and back.
int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::string timeAt(int64_t localSeconds, int utcOffsetMinutes) {
    int64_t days = localSeconds / 86400;
    int64_t rest = localSeconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    const int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const int year = static_cast<int>(yoe + era * 400 + (month <= 2));
    return recordTime(year, month, day, static_cast<int>(rest / 3600),
                      static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60),
                      utcOffsetMinutes);
}

}  // namespace

CertificateRecord receiptRecord(bool charge, const ChargerState& state,
                                const printing::ProfileTexts& texts,
                                const printing::ClockReading& clock, int utcOffsetMinutes) {
    CertificateRecord r;
    r.kind = charge ? "charge" : "test";
    r.variety = texts.variety;
    r.type = texts.type;
    r.capacity = texts.capacity;
    const int64_t now = daysFromCivil(clock.year, clock.month, clock.day) * 86400 +
                        clock.hour * 3600 + clock.minute * 60 + clock.second;
    r.time = timeAt(now, utcOffsetMinutes);
    if (charge) {
        r.before = state.before;
        r.after = state.after;
        r.charge.durationSeconds = state.elapsedSeconds > 0 ? state.elapsedSeconds : 0;
        r.charge.lastStage = state.stageNumber;
        r.charge.end = r.time;
        r.charge.start = timeAt(now - r.charge.durationSeconds, utcOffsetMinutes);
    } else {
        r.test = state.test;
    }
    return r;
}

std::optional<int> parseUtcOffset(const std::string& text) {
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':')
        return std::nullopt;
    for (size_t i : {1, 2, 4, 5})
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
    const int hours = (text[1] - '0') * 10 + (text[2] - '0');
    const int minutes = (text[4] - '0') * 10 + (text[5] - '0');
    if (hours > 14 || minutes > 59) return std::nullopt;
    const int total = hours * 60 + minutes;
    return text[0] == '-' ? -total : total;
}

}  // namespace velmora::certificate
