#include "printing/ReceiptPdf.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "printing/EscPosReader.h"
#include "printing/VirtualPrinter.h"

namespace velmora {

namespace {
constexpr double kPaperWidthMm = 58.0;
constexpr double kDotsPerMm = 8.0;  // 203 dots an inch, 384 dots on 48 mm
constexpr double kMarginMm = 4.0;   // paper above and below the print
}  // namespace

QByteArray receiptPdf(const std::vector<std::string>& chunks, const QString& title) {
    std::string bytes;
    for (const std::string& chunk : chunks) bytes += chunk;
    const QImage paper =
        VirtualPrinter::paperImage(printing::drawPaper(printing::readEscPos(bytes)));

    const QSizeF printMm(paper.width() / kDotsPerMm, paper.height() / kDotsPerMm);
    QByteArray pdf;
    QBuffer out(&pdf);
    out.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&out);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Velmora Tester"));
        writer.setResolution(static_cast<int>(kDotsPerMm * 25.4 + 0.5));
        writer.setPageSize(QPageSize(QSizeF(kPaperWidthMm, printMm.height() + 2 * kMarginMm),
                                     QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        // Dots to the page's own units, the print centred on the paper's width.
        const double unitsPerMm = writer.resolution() / 25.4;
        const QRectF target((kPaperWidthMm - printMm.width()) / 2 * unitsPerMm,
                            kMarginMm * unitsPerMm, printMm.width() * unitsPerMm,
                            printMm.height() * unitsPerMm);
        // One bit a dot, black first: the PDF keeps it as a sharp 1-bit picture instead of a
        // blurred JPEG, and the page stays a few kilobytes.
        const QList<QRgb> blackAndWhite{qRgb(0, 0, 0), qRgb(255, 255, 255)};
        painter.drawImage(target, paper.convertToFormat(QImage::Format_Mono, blackAndWhite));
    }
    return pdf;
}

}  // namespace velmora
