#include "command_line.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

bool asksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h") ||
            !std::strcmp(argv[i], "--help-all"))
            return true;
    return false;
}

int refuseArguments(const char* program, const std::string& what) {
    std::fprintf(stderr, "%s: %s (%s --help shows the usage)\n", program, what.c_str(), program);
    return 2;
}

int finishOutput(const char* program, int status) {
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout);
    if (!failed || status != 0) return status;  // a failure has said its line already
    std::fprintf(stderr, "%s: cannot write the output (disk full?)\n", program);
    return 1;
}

std::optional<std::string> inputProblem(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(fs::u8path(path), error);
    if (status.type() == fs::file_type::not_found) return "cannot read " + path + ": no such file";
    if (error) return "cannot read " + path;
    if (status.type() == fs::file_type::directory)
        return "cannot read " + path + ": a folder, not a file";
    if (status.type() == fs::file_type::character || status.type() == fs::file_type::block)
        return "cannot read " + path + ": a device, not a file";
    return std::nullopt;  // opened once, by the reader: a pipe has one writer to meet
}

std::optional<std::string> standardInputProblem() {
    struct stat info {};
    if (fstat(0, &info) == 0 && S_ISDIR(info.st_mode))
        return "cannot read standard input: a folder, not a file";
    return std::nullopt;
}

InputBytes readInputFile(const std::string& path, std::size_t limit) {
    InputBytes result;
    result.problem = inputProblem(path);
    if (result.problem) return result;
    std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
    if (!file) {
        result.problem = "cannot read " + path;
        return result;
    }
    // The stream buffer throws on a failed read of its own; the file is read in pieces,
    // never more than `limit` + 1 bytes.
    try {
        char piece[64 * 1024];
        while (result.bytes.size() <= limit) {
            const std::size_t want = std::min(sizeof piece, limit + 1 - result.bytes.size());
            file.read(piece, static_cast<std::streamsize>(want));
            result.bytes.append(piece, static_cast<std::size_t>(file.gcount()));
            if (file.gcount() == 0 || !file) break;
        }
        if (file.bad()) result.problem = "cannot read " + path;
    } catch (const std::exception&) {
        result.problem = "cannot read " + path;
    }
    if (result.problem) result.bytes.clear();
    return result;
}
