#include "printing/ReceiptPrinter.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>

#include "certificate/ReceiptRecord.h"
#include "monitor/ChartScreen.h"
#include "printing/WarrantyCertificates.h"

namespace velmora {

namespace {

// The separator of the locale's short date: its first character that is no letter, no
// quote and no space ("d MMM yyyy" has none: "/").
std::string dateSeparatorOf(const QLocale& locale) {
    for (QChar c : locale.dateFormat(QLocale::ShortFormat))
        if (!c.isLetter() && !c.isSpace() && c != QLatin1Char('\''))
            return QString(c).toStdString();
    return "/";
}

// The long time format without its time zone ("t", "tttt"): the receipt prints the time
// of day only.
std::string timeFormatOf(const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (!quoted && c == QLatin1Char('t')) continue;
        kept += c;
    }
    return kept.trimmed().toStdString();
}

printing::ClockReading readingOf(const QDateTime& now) {
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
}

}  // namespace

printing::ReceiptLocale receiptLocaleOf(const QLocale& locale, NumberFormat number) {
    printing::ReceiptLocale facts;
    facts.number = number;
    facts.time.dateSeparator = dateSeparatorOf(locale);
    facts.time.longTimeFormat = timeFormatOf(locale);
    facts.time.amText = locale.amText().toStdString();
    facts.time.pmText = locale.pmText().toStdString();
    return facts;
}

ReceiptPrinter::ReceiptPrinter(const Sources& sources, QObject* parent)
    : QObject(parent),
      m_sources(sources),
      m_sender(new ReceiptSender(this)),
      m_clock([] { return QDateTime::currentDateTime(); }) {}

printing::ReceiptLocale ReceiptPrinter::locale() const {
    return receiptLocaleOf(QLocale(), m_sources.number);
}

printing::ProfileTexts ReceiptPrinter::profileTexts() const {
    const journal::Profile p = m_sources.profile();
    return {p.name, p.variety, p.type, p.capacity};
}

void ReceiptPrinter::saveimage() {
    const ChartScreen* charts = m_sources.charts;
    m_images.saveimage([charts](const ChartKind& kind, const QSize& size) {
        return charts->renderForPrint(kind, size);
    });
}

std::optional<QDateTime> ReceiptPrinter::DataPrint(int stat2) {
    if (stat2 != 1) return std::nullopt;
    return print(true);
}

std::optional<QDateTime> ReceiptPrinter::DataPrint2(int stat3) {
    if (stat3 != 1) return std::nullopt;
    return print(false);
}

std::optional<QDateTime> ReceiptPrinter::print(bool charge) {
    const std::shared_ptr<Transport> link = m_sources.link->linkSocket();
    if (!link || !link->connected()) return std::nullopt;
    std::vector<std::string> chunks;
    const QDateTime now = compose(charge, chunks);
    m_sender->send(link, std::move(chunks));
    return now;
}

QDateTime ReceiptPrinter::printOnNetwork(std::shared_ptr<Transport> printer, bool charge) {
    std::vector<std::string> chunks;
    const QDateTime now = compose(charge, chunks);
    m_sender->sendOnOwnConnection(std::move(printer), std::move(chunks));
    return now;
}

QDateTime ReceiptPrinter::compose(bool charge, std::vector<std::string>& chunks) {
    const printing::PrinterRasters rasters = m_images.rasters();
    const printing::ProfileTexts texts = profileTexts();
    const QDateTime now = m_clock();  // one reading: the receipt's date line and the chart
    const printing::ClockReading clock = readingOf(now);
    const ChargerState state = m_sources.state().snapshot();
    chunks = charge ? printing::chargeReceiptChunks(state, texts, clock, locale(), rasters)
                    : printing::testReceiptChunks(state, texts, clock, locale(), rasters.logo);
    appendCertificate(chunks, charge, state, texts, now);
    return now;
}

void ReceiptPrinter::appendCertificate(std::vector<std::string>& chunks, bool charge,
                                       const ChargerState& state,
                                       const printing::ProfileTexts& texts, const QDateTime& now) {
    WarrantyCertificates* certificates = m_sources.certificates;
    if (!certificates || !certificates->enabled()) return;  // the receipt as it always was
    certificate::CertificateRecord record =
        certificate::receiptRecord(charge, state, texts, readingOf(now), now.offsetFromUtc() / 60);
    const journal::Profile profile = m_sources.profile();
    record.brand = profile.brand;
    record.mode = profile.mode;
    if (m_sources.fromSession) m_sources.fromSession(record, charge);
    const std::optional<certificate::SignedCertificate> signedCertificate =
        certificates->sign(record);
    if (!signedCertificate) return;
    std::vector<std::string> block = certificates->chunksOf(*signedCertificate);
    if (block.empty()) return;
    for (std::string& chunk : block) chunks.push_back(std::move(chunk));
    emit certificatePrinted(QString::fromStdString(signedCertificate->qrText), charge);
}

}  // namespace velmora
