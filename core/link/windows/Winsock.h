#pragma once

namespace velmora {

// Starts Winsock 2.2 once for the process (it stays up until exit). Throws LinkError.
void ensureWinsock();

}  // namespace velmora
