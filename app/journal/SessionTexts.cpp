#include "journal/SessionTexts.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

#include "monitor/StageTable.h"

namespace velmora {

QString userDateOrder(const QLocale& locale) {
    QString order;
    bool quoted = false;  // literal text in the format, such as a 'de' between fields
    for (const QChar c : locale.dateFormat(QLocale::ShortFormat)) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (quoted || (c != QLatin1Char('d') && c != QLatin1Char('M') && c != QLatin1Char('y')))
            continue;
        if (!order.contains(c)) order += c;
    }
    return order.size() == 3 ? order : QStringLiteral("dMy");
}

QString startText(const journal::SessionSummary& session, const QString& dateSeparator) {
    const journal::SessionStart& start = session.start;
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(
        start.startMs + int64_t{start.utcOffsetMinutes} * 60'000, Qt::UTC);
    const QDate date = local.date();
    QStringList fields;
    for (const QChar field : userDateOrder(QLocale()))
        fields << (field == QLatin1Char('d')   ? twoDigits(date.day())
                   : field == QLatin1Char('M') ? twoDigits(date.month())
                                               : QString::number(date.year()));
    return fields.join(dateSeparator) + QLatin1Char(' ') +
           local.time().toString(QStringLiteral("HH:mm"));
}

QString durationText(int64_t ms) {
    const int64_t seconds = std::max<int64_t>(0, ms / 1000);
    return twoDigits(static_cast<int>(seconds / 3600)) + QLatin1Char(':') +
           twoDigits(static_cast<int>(seconds / 60 % 60)) + QLatin1Char(':') +
           twoDigits(static_cast<int>(seconds % 60));
}

QString kindText(const journal::SessionStart& start) {
    if (start.kind == journal::SessionKind::Test)
        return QCoreApplication::translate("SessionTexts", "Tes");
    // Found part-way: its start and the before-charge result are not in it.
    return start.joinedMidCharge
               ? QCoreApplication::translate("SessionTexts", "Isi daya (di tengah)")
               : QCoreApplication::translate("SessionTexts", "Isi daya");
}

QString stopText(const journal::SessionSummary& session, bool recording) {
    if (recording) return QCoreApplication::translate("SessionTexts", "Sedang direkam");
    using journal::StopReason;
    const auto reason = journal::stopReasonFromName(session.stopReason);
    if (!session.endMs || !reason)
        return QCoreApplication::translate("SessionTexts", "Tidak selesai");  // the program died
    switch (*reason) {
        case StopReason::Finished:
            return QCoreApplication::translate("SessionTexts", "Selesai");
        case StopReason::ForceStop:
            return QCoreApplication::translate("SessionTexts", "Dihentikan");
        case StopReason::LinkLost:
            return QCoreApplication::translate("SessionTexts", "Koneksi terputus");
        case StopReason::AppClosed:
            return QCoreApplication::translate("SessionTexts", "Aplikasi ditutup");
        case StopReason::BatteryUnplugged:
            return QCoreApplication::translate("SessionTexts", "Baterai dilepas");
        case StopReason::ChargerStandby:
            return QCoreApplication::translate("SessionTexts", "Charger standby");
        case StopReason::Interrupted:
            return QCoreApplication::translate("SessionTexts", "Diganti sesi baru");
        case StopReason::PrinterHandOver:
            return QCoreApplication::translate("SessionTexts", "Dialihkan ke printer");
        case StopReason::StoppedWatching:
            return QCoreApplication::translate("SessionTexts", "Berhenti dipantau");
    }
    return QCoreApplication::translate("SessionTexts", "Tidak selesai");
}

QString resultStatusText(const journal::SessionSummary& session) {
    const journal::Results& r = session.results;
    const auto& result = session.start.kind == journal::SessionKind::Test ? r.test : r.after;
    if (!result || result->status.empty()) return QStringLiteral("-");
    return QString::fromStdString(result->status);
}

}  // namespace velmora
