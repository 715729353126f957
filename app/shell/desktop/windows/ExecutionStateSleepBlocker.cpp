// Windows: the thread's execution state keeps the system from sleeping while it is set.
#include <windows.h>

#include "shell/desktop/SleepBlocker.h"

namespace velmora {

namespace {

// Set and cleared on the window's thread: the state belongs to the thread that set it.
class ExecutionStateSleepBlocker : public SleepBlocker {
public:
    ~ExecutionStateSleepBlocker() override { unblock(); }
    bool block() override {
        m_blocking = SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED) != 0;
        return m_blocking;
    }
    void unblock() override {
        if (m_blocking) SetThreadExecutionState(ES_CONTINUOUS);
        m_blocking = false;
    }

private:
    bool m_blocking = false;
};

}  // namespace

std::unique_ptr<SleepBlocker> createSleepBlocker() {
    return std::make_unique<ExecutionStateSleepBlocker>();
}

}  // namespace velmora
