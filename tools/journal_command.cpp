// The charge journal from the command line: sessions as JSON lines, one session with its
// points, and CSV exports of one session or of a date range (of one bay, with --bay).
#include "journal_command.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "command_line.h"
#include "documents_folder.h"
#include "journal/CsvExport.h"
#include "journal/Journal.h"
#include "journal/JournalFiles.h"
#include "journal/SessionJson.h"
#include "journal/WallTime.h"

namespace {

using namespace velmora::journal;

const char kProgram[] = "velmora-tool";

struct Arguments {
    std::string db;
    std::string filter;
    std::optional<std::string> bay;  // only this bay's sessions
    std::string csv;
    std::optional<int64_t> id;
    std::optional<int64_t> from, to;  // local milliseconds, inclusive
    char decimalSeparator = '.';
    bool verbose = false;
};

// A session number: digits only, within 64 bits (a longer one is no session, never the
// largest one there is).
std::optional<int64_t> parseId(const char* text) {
    if (*text < '1' || *text > '9') return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    if (errno == ERANGE || *end != '\0') return std::nullopt;
    return value;
}

// Fills `args`; the reason when something is unknown or malformed.
std::optional<std::string> parse(int argc, char** argv, Arguments& args) {
    for (int i = 0; i < argc; ++i) {
        const std::string option = argv[i];
        const bool valued = option == "--db" || option == "--filter" || option == "--csv" ||
                            option == "--from" || option == "--to" || option == "--bay" ||
                            option == "--decimal-separator";
        if (valued && i + 1 >= argc) return option + " needs a value";
        if (option == "--db") {
            args.db = argv[++i];
        } else if (option == "--filter") {
            args.filter = argv[++i];
        } else if (option == "--bay") {
            args.bay = argv[++i];
        } else if (option == "--csv") {
            args.csv = argv[++i];
        } else if (option == "--from" || option == "--to") {
            const std::optional<int64_t> day = parseLocalDate(argv[++i]);
            if (!day) return option + " takes a real date as YYYY-MM-DD: " + argv[i];
            if (option == "--from")
                args.from = *day;
            else
                args.to = *day + kDayMs - 1;  // the whole last day
        } else if (option == "--decimal-separator") {
            const std::string separator = argv[++i];
            if (separator != "." && separator != ",") return "--decimal-separator takes . or ,";
            args.decimalSeparator = separator[0];
        } else if (option == "--verbose") {
            args.verbose = true;
        } else if (!option.empty() && option[0] != '-' && !args.id) {
            args.id = parseId(argv[i]);
            if (!args.id) return "no session number: " + option;
        } else if (!option.empty() && option[0] == '-') {
            return "unknown option " + option;
        } else {
            return "one session number only: " + option;
        }
    }
    return std::nullopt;
}

std::string defaultJournalPath() {
    return documentsFolder() + "/Velmora Tester/journal.sqlite";
}

std::string journalPath(const Arguments& args) {
    return args.db.empty() ? defaultJournalPath() : args.db;
}

// What went wrong, in a short sentence; the engine's own words only with --verbose.
class Failure : public std::runtime_error {
public:
    Failure(const std::string& sentence, std::string detail = {})
        : std::runtime_error(sentence), m_detail(std::move(detail)) {}
    const std::string& detail() const { return m_detail; }

private:
    std::string m_detail;
};

std::string sentenceFor(JournalFault fault, const std::string& path) {
    switch (fault) {
        case JournalFault::Locked:
            return path + " is held by another program";
        case JournalFault::ReadOnly:
            return path + " cannot be opened";
        case JournalFault::Full:
            return "the disk of " + path + " is full";
        case JournalFault::Corrupt:
            return path + " is damaged or not a journal";
        case JournalFault::NewerVersion:
            return path + " was written by a newer version";
        case JournalFault::Missing:
            return "no journal at " + path;
        case JournalFault::Io:
            break;
    }
    return path + " cannot be read";
}

std::unique_ptr<Journal> openJournal(const Arguments& args) {
    std::error_code error;
    const auto type =
        std::filesystem::status(std::filesystem::u8path(journalPath(args)), error).type();
    if (type == std::filesystem::file_type::directory)
        throw Failure(journalPath(args) + " is a folder, not a journal");
    if (type == std::filesystem::file_type::character || type == std::filesystem::file_type::block)
        throw Failure(journalPath(args) + " is a device, not a journal");
    JournalOptions options;
    // Reading never creates, converts or checkpoints a file: the window may be writing it.
    options.create = false;
    options.readOnly = true;
    std::unique_ptr<Journal> journal = Journal::open(journalPath(args), options);
    if (journal->readFromCopy())
        std::fprintf(stderr,
                     "velmora-tool: %s was left unfinished and is read from a copy; the last "
                     "seconds may be missing\n",
                     journalPath(args).c_str());
    return journal;
}

Session requireSession(Journal& journal, int64_t id) {
    std::optional<Session> session = journal.session(id);
    if (!session) throw Failure("no session " + std::to_string(id));
    return std::move(*session);
}

// The export never lands on the journal, the window's journal or a file they keep beside
// them: writing there would replace the history with CSV.
void refuseJournalTarget(const Arguments& args) {
    for (const std::string& journal : {journalPath(args), defaultJournalPath()})
        if (isJournalFile(args.csv, journal))
            throw Failure(args.csv + " is the journal itself; choose another file");
}

void writeFile(const std::string& path, const std::function<void(std::ostream&)>& write) {
    std::ofstream out(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc);
    if (!out) throw Failure("cannot write " + path);
    write(out);
    out.close();
    if (!out) throw Failure("cannot write " + path);
}

int run(const std::string& verb, const Arguments& args) {
    if (verb == "list") {
        if (args.id || !args.csv.empty())
            return refuseArguments(kProgram, "journal list takes no session and no --csv");
        ListQuery query;
        query.text = args.filter;
        query.bayLabel = args.bay;
        query.fromLocalMs = args.from;
        query.toLocalMs = args.to;
        auto journal = openJournal(args);
        for (const SessionSummary& s : journal->list(query))
            std::printf("%s\n", summaryJson(s).c_str());
        return 0;
    }
    if (verb == "show") {
        if (!args.id || !args.csv.empty() || args.from || args.to || args.bay)
            return refuseArguments(kProgram, "journal show takes one session number");
        auto journal = openJournal(args);
        std::printf("%s\n", sessionJson(requireSession(*journal, *args.id)).c_str());
        return 0;
    }
    if (verb == "export") {
        const bool range = args.from || args.to;
        if (args.csv.empty())
            return refuseArguments(kProgram, "journal export needs --csv OUT.csv");
        if (args.id.has_value() == range)
            return refuseArguments(kProgram,
                                   "journal export takes a session number or --from/--to");
        if (args.id && args.bay)
            return refuseArguments(kProgram, "journal export takes --bay with --from/--to only");
        refuseJournalTarget(args);
        const velmora::NumberFormat format{args.decimalSeparator};
        auto journal = openJournal(args);
        if (args.id) {
            const Session session = requireSession(*journal, *args.id);
            writeFile(args.csv, [&](std::ostream& out) { writePointsCsv(out, session, format); });
        } else {
            ListQuery query;
            query.bayLabel = args.bay;
            query.fromLocalMs = args.from;
            query.toLocalMs = args.to;
            const std::vector<SessionSummary> sessions = journal->list(query);
            writeFile(args.csv,
                      [&](std::ostream& out) { writeSessionsCsv(out, sessions, format); });
        }
        return 0;
    }
    return refuseArguments(kProgram, "journal takes list, show or export");
}

}  // namespace

int journalCommand(int argc, char** argv) {
    if (argc < 1) return refuseArguments(kProgram, "journal takes list, show or export");
    Arguments args;
    if (const auto problem = parse(argc - 1, argv + 1, args))
        return refuseArguments(kProgram, "journal: " + *problem);
    std::string detail;
    try {
        return run(argv[0], args);
    } catch (const JournalError& e) {
        std::fprintf(stderr, "velmora-tool: journal %s: %s\n", faultName(e.fault()),
                     sentenceFor(e.fault(), journalPath(args)).c_str());
        detail = e.what();
    } catch (const Failure& e) {
        std::fprintf(stderr, "velmora-tool: %s\n", e.what());
        detail = e.detail();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora-tool: journal: the journal cannot be read\n");
        detail = e.what();
    }
    if (args.verbose && !detail.empty())
        std::fprintf(stderr, "velmora-tool: detail: %s\n", detail.c_str());
    return 1;
}
