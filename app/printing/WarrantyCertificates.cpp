#include "printing/WarrantyCertificates.h"

#include <QSettings>

#include "certificate/CertificateBlock.h"

namespace velmora {

namespace {

const QString kSettingKey = QStringLiteral("printing/warrantyCertificate");
const QString kDealerKey = QStringLiteral("printing/certificateDealer");

QSettings settings() {
    return QSettings(QStringLiteral("Velmora"), QStringLiteral("Velmora Tester"));
}

}  // namespace

WarrantyCertificates::WarrantyCertificates(const QString& keyFolder, QObject* parent)
    : QObject(parent),
      m_keys(keyFolder),
      m_enabled(settings().value(kSettingKey, false).toBool()) {}

void WarrantyCertificates::setEnabled(bool on) {
    m_enabled = on;
    settings().setValue(kSettingKey, on);
}

std::optional<certificate::SignedCertificate> WarrantyCertificates::sign(
    certificate::CertificateRecord record) {
    record.job = job;
    // The dealer dialog's texts last one run; its name is remembered for the certificates.
    QString dealer = dealerName ? dealerName().trimmed() : QString();
    if (dealer.isEmpty())
        dealer = settings().value(kDealerKey).toString();
    else
        settings().setValue(kDealerKey, dealer);
    record.dealer = dealer.toStdString();
    try {
        return certificate::signCertificate(record, m_keys.current());
    } catch (const certificate::KeyFileError& failure) {
        emit problem(tr("Struk dicetak tanpa sertifikat: %1").arg(keyProblemText(failure)));
    } catch (const std::exception&) {
        emit problem(tr("Struk dicetak tanpa sertifikat: kunci dealer tidak bisa dipakai"));
    }
    return std::nullopt;
}

std::vector<std::string> WarrantyCertificates::chunksOf(
    const certificate::SignedCertificate& certificate) {
    try {
        return certificate::certificateChunks(certificate);
    } catch (const std::exception&) {
        emit problem(tr("Struk dicetak tanpa sertifikat: data terlalu panjang untuk kode QR"));
        return {};
    }
}

}  // namespace velmora
