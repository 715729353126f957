// Log files from the command line: a state (as `velmora-tool decode` prints it) becomes
// the bytes of a log file, and a log file becomes one JSON object.
#include "log_command.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "command_line.h"
#include "link/StateFromJson.h"
#include "logger/LogFile.h"
#include "logger/LogJson.h"

namespace {

int fail(const std::string& reason) {
    std::fprintf(stderr, "velmora-tool: %s\n", reason.c_str());
    return 1;
}

int encode() {
    if (const auto problem = standardInputProblem()) return fail(*problem);
    std::ostringstream input;
    try {
        input << std::cin.rdbuf();
    } catch (const std::exception&) {
        return fail("cannot read standard input");
    }
    std::string error;
    const std::optional<velmora::ChargerState> state = velmora::stateFromJson(input.str(), &error);
    if (!state) return fail(error);
    const std::string bytes = velmora::encodeLogFile(*state);
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // CR LF as written, not doubled
#endif
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
        std::fflush(stdout) != 0)
        return fail("cannot write the log to standard output");
    return 0;
}

int decode(const char* path) {
    // No record is longer than kMaxLogLine: reading stops just past it, so a huge file (or
    // an endless one) costs one bounded read and is then refused as no record.
    const InputBytes input = readInputFile(path, velmora::kMaxLogLine + 2);
    if (input.problem) return fail(*input.problem);
    // Log files hold whole numbers: the decimal separator plays no part.
    const velmora::RecordCheck check = velmora::readLogFile(input.bytes, velmora::NumberFormat{});
    if (check.outcome != velmora::RecordCheck::Outcome::Valid)
        return fail(std::string(path) + ": not a valid log: " + check.reason);
    std::printf("%s\n", velmora::logRecordJson(check.record).c_str());
    return 0;
}

}  // namespace

int logCommand(int argc, char** argv) {
    if (argc == 1 && std::strcmp(argv[0], "encode") == 0) return encode();
    if (argc == 2 && std::strcmp(argv[0], "decode") == 0) return decode(argv[1]);
    return refuseArguments("velmora-tool", "log takes encode, or decode and one file");
}
