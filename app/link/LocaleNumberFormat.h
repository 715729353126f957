#pragma once

#include "link/NumberText.h"

namespace velmora {

// The user's decimal separator, when the locale's is one plain character; a point else.
NumberFormat userNumberFormat();

}  // namespace velmora
