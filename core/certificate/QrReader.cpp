#include "certificate/QrReader.h"

#include <ZXing/ReadBarcode.h>

namespace velmora::certificate {

QrRead readQrCode(int width, int height, const std::uint8_t* grey, std::ptrdiff_t stride) {
    QrRead read;
    if (width <= 0 || height <= 0 || !grey) return read;
    ZXing::DecodeHints hints;  // every format: a code of another kind can be named
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    hints.setTryDownscale(true);
    const ZXing::ImageView image(grey, width, height, ZXing::ImageFormat::Lum,
                                 static_cast<int>(stride));
    int qrCodes = 0, others = 0;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(image, hints)) {
        if (!result.isValid()) continue;
        if (result.format() != ZXing::BarcodeFormat::QRCode) {
            ++others;
            continue;
        }
        if (++qrCodes == 1) {
            const ZXing::ByteArray& bytes = result.bytes();
            read.text.assign(bytes.begin(), bytes.end());
        }
    }
    if (qrCodes == 1)
        read.outcome = QrReadOutcome::Found;
    else if (qrCodes > 1)
        read.outcome = QrReadOutcome::Several;
    else
        read.outcome = others > 0 ? QrReadOutcome::OtherCode : QrReadOutcome::None;
    if (read.outcome != QrReadOutcome::Found) read.text.clear();
    return read;
}

}  // namespace velmora::certificate
