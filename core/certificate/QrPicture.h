#pragma once

#include <stdexcept>
#include <string>

#include "printing/PrinterRaster.h"

namespace velmora::certificate {

// Printer dots per QR module, at least: a 58 mm receipt printer's dot is 0.125 mm, and
// phones and scanners read 0.375 mm modules reliably.
inline constexpr int kMinDotsPerModule = 3;
// The quiet zone around the code, in modules, as the QR standard asks.
inline constexpr int kQuietModules = 4;

// The QR code of text (error correction level M) as a picture exactly the printer's width:
// square modules of the most dots that fit (at least kMinDotsPerModule), the quiet zone
// kept white on every side, centred. Throws std::runtime_error when the text is too long
// for that.
printing::DotGrid qrPicture(const std::string& text);

}  // namespace velmora::certificate
