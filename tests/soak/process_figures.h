#pragma once

#include <cstddef>

// Figures of this process read from /proc (Linux).
namespace soak {

// Resident set size in KiB.
std::size_t residentKiB();
// Threads alive in this process, the calling one included.
std::size_t threadCount();

}  // namespace soak
