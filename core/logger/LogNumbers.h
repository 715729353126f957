#pragma once

#include <string>

#include "link/NumberText.h"

namespace velmora {

// value x 100 as a whole number: rounded to 15 significant digits first (so 4.35 gives
// 435, although 4.35 * 100 falls just short of it in binary), then to the nearest whole
// number with halves away from zero. Never "-0"; exact at any magnitude.
std::string hundredthsText(double value);

// The shortest decimal form with up to 15 significant digits and the user's separator:
// 4.2 gives "4.2", 4.0 gives "4".
std::string significantText(double value, const NumberFormat& format);

}  // namespace velmora
