#pragma once

namespace velmora {

// Window size and content scale for a screen width. The heights include the 30-unit
// title bar of the design, so the client area is 540 units times the scale.
struct WindowSizing {
    int width;
    int height;
    double scale;
    int clientHeight() const;
};

WindowSizing windowSizingFor(int screenWidth);

}  // namespace velmora
