#include "certificate/QrPicture.h"

#include <qrencode.h>

#include <memory>

namespace velmora::certificate {

printing::DotGrid qrPicture(const std::string& text) {
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString(text.c_str(), 0, QR_ECLEVEL_M, QR_MODE_8, 1), &QRcode_free);
    if (!code || text.find('\0') != std::string::npos)
        throw std::runtime_error("the certificate does not fit a QR code");
    const int modules = code->width;
    const int scale = printing::kPrintWidth / (modules + 2 * kQuietModules);
    if (scale < kMinDotsPerModule)
        throw std::runtime_error("the certificate is too long for a QR code on 58 mm paper");
    const int side = (modules + 2 * kQuietModules) * scale;
    printing::DotGrid grid;
    grid.width = printing::kPrintWidth;
    grid.height = side;
    grid.flags.assign(static_cast<size_t>(grid.width) * static_cast<size_t>(grid.height), 0);
    const int left = (printing::kPrintWidth - modules * scale) / 2;
    const int top = kQuietModules * scale;
    for (int my = 0; my < modules; ++my)
        for (int mx = 0; mx < modules; ++mx) {
            if (!(code->data[my * modules + mx] & 1)) continue;
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx)
                    grid.flags[static_cast<size_t>(top + my * scale + dy) * grid.width +
                               static_cast<size_t>(left + mx * scale + dx)] = 1;
        }
    return grid;
}

}  // namespace velmora::certificate
