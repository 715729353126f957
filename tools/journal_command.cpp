// The charge journal from the command line: sessions as JSON lines, one session with its
// points, and CSV exports of one session or of a date range.
#include "journal_command.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "documents_folder.h"
#include "journal/CsvExport.h"
#include "journal/Journal.h"
#include "journal/SessionJson.h"
#include "journal/WallTime.h"

namespace {

using namespace velmora::journal;

int usage() {
    std::fprintf(stderr,
                 "usage: velmora-tool journal list [--db FILE] [--filter TEXT] [--from DATE] "
                 "[--to DATE]\n"
                 "       velmora-tool journal show ID [--db FILE]\n"
                 "       velmora-tool journal export ID --csv OUT.csv [--db FILE] "
                 "[--decimal-separator C]\n"
                 "       velmora-tool journal export --from DATE --to DATE --csv OUT.csv "
                 "[--db FILE] [--decimal-separator C]\n"
                 "DATE is YYYY-MM-DD on the workshop's clock; C is . or ,\n");
    return 2;
}

struct Arguments {
    std::string db;
    std::string filter;
    std::string csv;
    std::optional<int64_t> id;
    std::optional<int64_t> from, to;  // local milliseconds, inclusive
    char decimalSeparator = '.';
};

std::optional<int64_t> parseId(const char* text) {
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || value <= 0) return std::nullopt;
    return value;
}

// Fills `args`; false on anything unknown or malformed.
bool parse(int argc, char** argv, Arguments& args) {
    for (int i = 0; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--db" && hasValue) {
            args.db = argv[++i];
        } else if (option == "--filter" && hasValue) {
            args.filter = argv[++i];
        } else if (option == "--csv" && hasValue) {
            args.csv = argv[++i];
        } else if ((option == "--from" || option == "--to") && hasValue) {
            const std::optional<int64_t> day = parseLocalDate(argv[++i]);
            if (!day) return false;
            if (option == "--from")
                args.from = *day;
            else
                args.to = *day + kDayMs - 1;  // the whole last day
        } else if (option == "--decimal-separator" && hasValue) {
            const std::string separator = argv[++i];
            if (separator != "." && separator != ",") return false;
            args.decimalSeparator = separator[0];
        } else if (!option.empty() && option[0] != '-' && !args.id) {
            args.id = parseId(argv[i]);
            if (!args.id) return false;
        } else {
            return false;
        }
    }
    return true;
}

std::unique_ptr<Journal> openJournal(const Arguments& args) {
    const std::string path =
        args.db.empty() ? documentsFolder() + "/Velmora Tester/journal.sqlite" : args.db;
    JournalOptions options;
    // Reading never creates, converts or checkpoints a file: the window may be writing it.
    options.create = false;
    options.readOnly = true;
    return Journal::open(path, options);
}

Session requireSession(Journal& journal, int64_t id) {
    std::optional<Session> session = journal.session(id);
    if (!session) throw std::runtime_error("no session " + std::to_string(id));
    return std::move(*session);
}

void writeFile(const std::string& path, const std::function<void(std::ostream&)>& write) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path);
    write(out);
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path);
}

int run(const std::string& verb, const Arguments& args) {
    if (verb == "list") {
        if (args.id || !args.csv.empty()) return usage();
        ListQuery query;
        query.text = args.filter;
        query.fromLocalMs = args.from;
        query.toLocalMs = args.to;
        auto journal = openJournal(args);
        for (const SessionSummary& s : journal->list(query))
            std::printf("%s\n", summaryJson(s).c_str());
        return 0;
    }
    if (verb == "show") {
        if (!args.id || !args.csv.empty() || args.from || args.to) return usage();
        auto journal = openJournal(args);
        std::printf("%s\n", sessionJson(requireSession(*journal, *args.id)).c_str());
        return 0;
    }
    if (verb == "export") {
        const bool range = args.from || args.to;
        if (args.csv.empty() || args.id.has_value() == range) return usage();
        const velmora::NumberFormat format{args.decimalSeparator};
        auto journal = openJournal(args);
        if (args.id) {
            const Session session = requireSession(*journal, *args.id);
            writeFile(args.csv, [&](std::ostream& out) { writePointsCsv(out, session, format); });
        } else {
            ListQuery query;
            query.fromLocalMs = args.from;
            query.toLocalMs = args.to;
            const std::vector<SessionSummary> sessions = journal->list(query);
            writeFile(args.csv,
                      [&](std::ostream& out) { writeSessionsCsv(out, sessions, format); });
        }
        return 0;
    }
    return usage();
}

}  // namespace

int journalCommand(int argc, char** argv) {
    if (argc < 1) return usage();
    Arguments args;
    if (!parse(argc - 1, argv + 1, args)) return usage();
    try {
        return run(argv[0], args);
    } catch (const JournalError& e) {
        std::fprintf(stderr, "velmora-tool: journal %s: %s\n", faultName(e.fault()), e.what());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora-tool: %s\n", e.what());
    }
    return 1;
}
