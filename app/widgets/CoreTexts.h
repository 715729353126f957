#pragma once

#include <QString>
#include <string>

namespace velmora::ui {

// A text core/ gives for the user (core/ has no Qt), in the window's language: core's
// own messages are translated by their exact text; any other text comes back as it is.
QString coreText(const std::string& text);

}  // namespace velmora::ui
