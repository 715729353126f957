#pragma once

#include "certificate/CertificateRecord.h"
#include "link/ChargerState.h"
#include "printing/ClockText.h"
#include "printing/ReceiptChunks.h"

namespace velmora::certificate {

// The record of a receipt printed from the live state: its kind, the results it prints,
// the profile texts and the print time; of the charge, what the live state knows (its
// duration and last stage, so its start and end). The caller adds the dealer, the device,
// the brand, the mode, the job details, and a kept session's summary where there is one.
CertificateRecord receiptRecord(bool charge, const ChargerState& state,
                                const printing::ProfileTexts& texts,
                                const printing::ClockReading& clock, int utcOffsetMinutes);

// "+07:00" or "-02:30" to minutes east of UTC; nothing for any other text.
std::optional<int> parseUtcOffset(const std::string& text);

}  // namespace velmora::certificate
