// Log files from the command line: a state (as `velmora-tool decode` prints it) becomes
// the bytes of a log file, and a log file becomes one JSON object.
#include "log_command.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "link/StateFromJson.h"
#include "logger/LogFile.h"
#include "logger/LogJson.h"

namespace {

int fail(const std::string& reason) {
    std::fprintf(stderr, "velmora-tool: %s\n", reason.c_str());
    return 1;
}

int encode() {
    std::ostringstream input;
    input << std::cin.rdbuf();
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

// The whole file, or nothing when it cannot be read (a folder, no access).
std::optional<std::string> readAll(const char* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    try {
        std::string bytes(std::istreambuf_iterator<char>(file), {});
        if (file.bad()) return std::nullopt;
        return bytes;
    } catch (const std::ios_base::failure&) {
        return std::nullopt;
    }
}

int decode(const char* path) {
    const std::optional<std::string> bytes = readAll(path);
    if (!bytes) return fail(std::string("cannot read ") + path);
    // Log files hold whole numbers: the decimal separator plays no part.
    const velmora::RecordCheck check = velmora::readLogFile(*bytes, velmora::NumberFormat{});
    if (check.outcome != velmora::RecordCheck::Outcome::Valid)
        return fail(std::string(path) + ": not a valid log: " + check.reason);
    std::printf("%s\n", velmora::logRecordJson(check.record).c_str());
    return 0;
}

}  // namespace

int logCommand(int argc, char** argv) {
    if (argc == 1 && std::strcmp(argv[0], "encode") == 0) return encode();
    if (argc == 2 && std::strcmp(argv[0], "decode") == 0) return decode(argv[1]);
    std::fprintf(stderr,
                 "usage: velmora-tool log encode < state.json > name.log\n"
                 "       velmora-tool log decode FILE\n");
    return 2;
}
