#include "shell/WindowSizing.h"

#include <cmath>

namespace velmora {

namespace {
constexpr int kDesignHeight = 540;
constexpr struct {
    int screenWidth;
    WindowSizing sizing;
} kSizes[] = {
    {960, {672, 399, 0.7}},    {1280, {893, 530, 0.93}}, {1366, {960, 570, 1.0}},
    {1600, {1123, 667, 1.17}}, {1920, {1344, 798, 1.4}}, {2560, {1795, 1065, 1.87}},
};
}  // namespace

int WindowSizing::clientHeight() const {
    return static_cast<int>(std::lround(kDesignHeight * scale));
}

WindowSizing windowSizingFor(int screenWidth) {
    for (const auto& entry : kSizes)
        if (entry.screenWidth == screenWidth) return entry.sizing;
    return {960, 570, 1.0};
}

}  // namespace velmora
