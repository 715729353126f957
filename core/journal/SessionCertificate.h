#pragma once

#include "certificate/CertificateRecord.h"
#include "journal/SessionTypes.h"

namespace velmora::journal {

// What a kept session tells a certificate: the charger, and for a charge its summary (start
// and end on the workshop's clock, duration, last stage, how it ended, the link's gaps, and
// the hash of the points recorded so far, in the journal's own resolution).
void fillFromSession(certificate::CertificateRecord& record, const Session& session);

}  // namespace velmora::journal
