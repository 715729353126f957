#pragma once

#include <chrono>
#include <thread>

// Polls a condition until it holds or the deadline passes; returns whether it held.
template <typename Pred>
bool waitFor(Pred pred, std::chrono::milliseconds deadline = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
