#pragma once

#include <cstddef>
#include <optional>
#include <string>

// What velmora-tool and velmora-charger-sim share on the command line: help, refusals of
// bad arguments in one line, input files that are really files, and output that really
// went out.

// True when an argument (before "--") is --help, -h or --help-all.
bool asksForHelp(int argc, char** argv);

// Says `what` in one line on the error stream and returns 2, the status of bad arguments.
int refuseArguments(const char* program, const std::string& what);

// Flushes standard output. A write that failed (a full disk, a closed pipe) is said in one
// line and turns `status` into 1: nothing may look written that was not.
int finishOutput(const char* program, int status);

// Why `path` cannot be an input file (a folder, a device, missing), or nothing when it may
// be one; opening it may still fail (no access). Pipes count as files: a capture may be
// streamed through one.
std::optional<std::string> inputProblem(const std::string& path);
// Why standard input cannot be read (it is a folder), or nothing.
std::optional<std::string> standardInputProblem();

// The first `limit` bytes of an input file at most (one more tells the caller it is
// longer), or the reason it cannot be read.
struct InputBytes {
    std::string bytes;
    std::optional<std::string> problem;
};
InputBytes readInputFile(const std::string& path, std::size_t limit);
