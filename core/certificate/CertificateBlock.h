#pragma once

#include <string>
#include <vector>

#include "certificate/Certificate.h"

namespace velmora::certificate {

// The certificate's part of a receipt, appended after the receipt's own chunks: a title,
// the code for telephone calls, the job details and the dealer key's fingerprint as text,
// then the QR code as image bands (any ESC/POS printer prints them, as it prints the
// charts). Typed texts reach the printer as text only, never as commands.
// Throws std::runtime_error when the QR code does not fit the paper.
std::vector<std::string> certificateChunks(const SignedCertificate& certificate);

}  // namespace velmora::certificate
