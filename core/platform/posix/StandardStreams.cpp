#include "platform/StandardStreams.h"

namespace velmora {

// POSIX streams carry bytes unchanged already.
void useBinaryStandardStreams() {}

}  // namespace velmora
