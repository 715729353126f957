#pragma once

#include <QDateTime>
#include <QObject>
#include <functional>
#include <optional>

#include "certificate/CertificateRecord.h"
#include "journal/SessionTypes.h"
#include "link/ChargerLink.h"
#include "link/NumberText.h"
#include "printing/PrinterImages.h"
#include "printing/ReceiptChunks.h"
#include "printing/ReceiptSender.h"

namespace velmora {

class ChartScreen;
class WarrantyCertificates;

// The two receipts: reads the live state, the profile controls and the clock, composes
// the chunks and hands them to the sender on the link's worker. Owns the printer images.
class ReceiptPrinter : public QObject {
    Q_OBJECT
public:
    // What the receipts read.
    struct Sources {
        ShownChargerState state;  // the charger the receipt is about
        ChargerLink* link = nullptr;  // the link a printer is lent, with one charger
        std::function<journal::Profile()> profile;  // the profile shown
        ChartScreen* charts = nullptr;
        NumberFormat number;
        // Signs the certificate that ends a receipt while "Cetak sertifikat garansi" is on.
        WarrantyCertificates* certificates = nullptr;
        // Adds what the charge's kept session knows (charger, summary, curve) to a record.
        std::function<void(certificate::CertificateRecord&, bool charge)> fromSession;
    };

    ReceiptPrinter(const Sources& sources, QObject* parent = nullptr);

    PrinterImages& images() { return m_images; }
    ReceiptSender& sender() { return *m_sender; }
    bool busy() const { return m_sender->busy(); }
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    // The user's locale facts as the receipts use them.
    printing::ReceiptLocale locale() const;
    printing::ProfileTexts profileTexts() const;

    // The image pass: both charts, then the three rasters. Throws std::runtime_error.
    void saveimage();
    // With selector 1 and a connected link, composes the charge (test) receipt and
    // starts sending it; returns the print time (the one clock reading the receipt
    // prints), or nothing when nothing is printed.
    std::optional<QDateTime> DataPrint(int stat2);
    std::optional<QDateTime> DataPrint2(int stat3);
    // The charge (test) receipt on a network printer's own connection, beside the link;
    // returns the print time.
    QDateTime printOnNetwork(std::shared_ptr<Transport> printer, bool charge);

signals:
    // A receipt went to the printer with this certificate (its QR text), to be kept with
    // the charge's session.
    void certificatePrinted(const QString& qrText, bool charge);

private:
    std::optional<QDateTime> print(bool charge);
    QDateTime compose(bool charge, std::vector<std::string>& chunks);
    void appendCertificate(std::vector<std::string>& chunks, bool charge, const ChargerState& state,
                           const printing::ProfileTexts& texts, const QDateTime& now);

    Sources m_sources;
    PrinterImages m_images;
    ReceiptSender* m_sender;
    std::function<QDateTime()> m_clock;
};

// Locale facts of a locale: decimal separator, date separator, long time format (with
// the time zone left out) and the AM/PM texts.
printing::ReceiptLocale receiptLocaleOf(const QLocale& locale, NumberFormat number);

}  // namespace velmora
