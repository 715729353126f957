#include "journal/CsvExport.h"

#include <string>

#include "journal/WallTime.h"

namespace velmora::journal {

namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

// Writes one row, quoting where needed.
class RowWriter {
public:
    RowWriter(std::ostream& out, const NumberFormat& format)
        : m_out(out), m_format(format), m_separator(fieldSeparator(format)) {}

    RowWriter& text(const std::string& value) {
        std::string cell = value;
        // A spreadsheet would run a typed "=..." as a formula; a leading ' keeps it text.
        if (!cell.empty() && (cell[0] == '=' || cell[0] == '+' || cell[0] == '-' ||
                              cell[0] == '@' || cell[0] == '\t' || cell[0] == '\r'))
            cell.insert(0, 1, '\'');
        return raw(quoted(cell));
    }
    RowWriter& integer(long long value) { return raw(std::to_string(value)); }
    RowWriter& number(double value, int decimals) {
        return raw(formatShortest(value, m_format, decimals));
    }
    RowWriter& empty() { return raw(""); }
    void end() {
        m_out << "\r\n";
        m_first = true;
    }

private:
    RowWriter& raw(const std::string& cell) {
        if (!m_first) m_out << m_separator;
        m_first = false;
        m_out << cell;
        return *this;
    }
    std::string quoted(const std::string& cell) const {
        if (cell.find_first_of(std::string{m_separator, '"', '\n', '\r'}) == std::string::npos &&
            (cell.empty() || (cell.front() != ' ' && cell.back() != ' ')))
            return cell;
        std::string out = "\"";
        for (char c : cell) {
            if (c == '"') out += '"';
            out += c;
        }
        return out + "\"";
    }

    std::ostream& m_out;
    const NumberFormat& m_format;
    char m_separator;
    bool m_first = true;
};

void header(RowWriter& row, std::initializer_list<const char*> names) {
    for (const char* name : names) row.text(name);
    row.end();
}

void result(RowWriter& row, const std::optional<TestResult>& r, bool hasStatus) {
    if (!r) {
        for (int i = 0; i < (hasStatus ? 5 : 4); ++i) row.empty();
        return;
    }
    row.number(r->voltage, 2).number(r->diagVoltage, 2).number(r->resistance, 2).integer(r->cca);
    if (hasStatus) row.text(r->status);
}

}  // namespace

char fieldSeparator(const NumberFormat& format) {
    return format.decimalSeparator == ',' ? ';' : ',';
}

void writePointsCsv(std::ostream& out, const Session& session, const NumberFormat& format) {
    out << kByteOrderMark;
    RowWriter row(out, format);
    // New columns go at the end: sheets and scripts that read the older ones by position
    // keep working.
    header(row, {"Session", "Time", "Seconds", "Stage", "Voltage (V)", "Current (A)", "Bay"});
    const SessionStart& start = session.summary.start;
    for (const Point& p : session.points) {
        row.integer(session.summary.id)
            .text(localDateTime(start.startMs + p.offsetMs, start.utcOffsetMinutes))
            .number(p.offsetMs / 1000.0, 3)
            .integer(p.stage)
            .number(p.voltage, 2)
            .number(p.current, 3)
            .text(start.bayLabel)
            .end();
    }
}

void writeSessionsCsv(std::ostream& out, const std::vector<SessionSummary>& sessions,
                      const NumberFormat& format) {
    out << kByteOrderMark;
    RowWriter row(out, format);
    header(row, {"Session",
                 "Kind",
                 "Start",
                 "End",
                 "Duration (s)",
                 "Stop reason",
                 "Device",
                 "Profile name",
                 "Brand",
                 "Type",
                 "Seri",
                 "Mode",
                 "Capacity",
                 "Before voltage (V)",
                 "Before V diagnostic (V)",
                 "Before iR (mOhm)",
                 "Before CCA",
                 "After voltage (V)",
                 "After V diagnostic (V)",
                 "After iR (mOhm)",
                 "After CCA",
                 "After status",
                 "Test voltage (V)",
                 "Test V diagnostic (V)",
                 "Test iR (mOhm)",
                 "Test CCA",
                 "Test status",
                 "Points",
                 "Bay"});
    for (const SessionSummary& s : sessions) {
        const SessionStart& start = s.start;
        const Profile& p = start.profile;
        row.integer(s.id)
            .text(kindName(start.kind))
            .text(localDateTime(start.startMs, start.utcOffsetMinutes));
        if (s.endMs)
            row.text(localDateTime(*s.endMs, start.utcOffsetMinutes));
        else
            row.empty();
        row.number(s.durationMs() / 1000.0, 3)
            .text(s.stopReason)
            .text(start.deviceName)
            .text(p.name)
            .text(p.brand)
            .text(p.variety)
            .text(p.type)
            .text(p.modeText)
            .text(p.capacity);
        result(row, s.results.before, false);
        result(row, s.results.after, true);
        result(row, s.results.test, true);
        row.integer(s.pointCount).text(start.bayLabel).end();
    }
}

}  // namespace velmora::journal
