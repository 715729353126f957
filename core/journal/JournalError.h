#pragma once

#include <stdexcept>
#include <string>

namespace velmora::journal {

// Why the journal cannot be used; the window shows it once and keeps monitoring.
enum class JournalFault {
    Locked,        // another program holds the database
    ReadOnly,      // the file or its folder cannot be written
    Full,          // the disk (or the size cap) is full
    Corrupt,       // not a database, or a damaged one
    NewerVersion,  // written by a newer version: readable, never rewritten
    Missing,       // no journal at the path (readers only; the window creates it)
    Io,            // any other failure of the file system or the database engine
};

class JournalError : public std::runtime_error {
public:
    JournalError(JournalFault fault, const std::string& detail)
        : std::runtime_error(detail), m_fault(fault) {}
    JournalFault fault() const { return m_fault; }

private:
    JournalFault m_fault;
};

// Short English name of the fault ("locked", "read-only", ...), for command-line errors.
const char* faultName(JournalFault fault);
// The short Indonesian message the window shows.
std::string userMessage(JournalFault fault);

}  // namespace velmora::journal
