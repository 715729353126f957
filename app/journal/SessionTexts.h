#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "journal/SessionTypes.h"

namespace velmora {

// How a kept session reads in the window: Indonesian words, the user's separators, the
// workshop's clock at the time of the session.

// The order of day ('d'), month ('M') and year ('y') in the locale's short dates: "dMy" for
// Indonesian, "Mdy" for US English, "yMd" for Japanese.
QString userDateOrder(const QLocale& locale);
// "dd/mm/yyyy hh:mm" of the session's start, on the clock it was recorded on, the date in
// the user's order ("mm/dd/yyyy" for a US user).
QString startText(const journal::SessionSummary& session, const QString& dateSeparator);
// "01:02:05", hours without an upper limit.
QString durationText(int64_t ms);
QString kindText(const journal::SessionStart& start);
// Why the session ended; recording: it is the one being recorded now.
QString stopText(const journal::SessionSummary& session, bool recording);
// The battery's status after the charge (or of the test), "-" when none came.
QString resultStatusText(const journal::SessionSummary& session);

}  // namespace velmora
