#pragma once

#include <memory>

namespace velmora {

// The system's promise not to sleep, as the platform gives it.
class SleepBlocker {
public:
    virtual ~SleepBlocker() = default;
    // Asks for the promise; false when the system would not give it.
    virtual bool block() = 0;
    // Gives the promise back.
    virtual void unblock() = 0;
};

// The platform's: logind's inhibitor on Linux, the thread's execution state on Windows.
std::unique_ptr<SleepBlocker> createSleepBlocker();

}  // namespace velmora
