#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmora::certificate {

enum class QrReadOutcome {
    Found,      // exactly one QR code
    None,       // no code at all
    Several,    // more than one QR code: which one is meant?
    OtherCode,  // a barcode of another kind, no QR code
};

struct QrRead {
    QrReadOutcome outcome = QrReadOutcome::None;
    std::string text;  // the QR code's bytes when Found
};

// Finds QR codes in a grey picture (one byte a pixel, 0 black; stride bytes a row), as
// photographed or scanned: turned, tilted, inverted or small.
QrRead readQrCode(int width, int height, const std::uint8_t* grey, std::ptrdiff_t stride);

}  // namespace velmora::certificate
