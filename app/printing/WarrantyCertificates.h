#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "certificate/Certificate.h"
#include "printing/DealerKeys.h"

namespace velmora {

// "Cetak sertifikat garansi": whether receipts end with a signed certificate (remembered,
// off until chosen), the dealer's keys, the job details typed for the next receipt, and
// the signing. A key that cannot be used leaves the receipt without its certificate and
// says why: never a crash, never an unsigned "certificate".
class WarrantyCertificates : public QObject {
    Q_OBJECT
public:
    explicit WarrantyCertificates(const QString& keyFolder, QObject* parent = nullptr);

    bool enabled() const { return m_enabled; }
    void setEnabled(bool on);  // remembered for the next start
    DealerKeys& keys() { return m_keys; }

    // The job details for the next receipt, typed in the job dialog.
    certificate::JobDetails job;
    // The dealer's name as the dealer information dialog holds it.
    std::function<QString()> dealerName;

    // The record signed with the dealer's key and its receipt chunks; nothing (and
    // `problem`) when the key cannot be used or the record does not fit a QR code.
    std::optional<certificate::SignedCertificate> sign(certificate::CertificateRecord record);
    std::vector<std::string> chunksOf(const certificate::SignedCertificate& certificate);

signals:
    void problem(const QString& text);

private:
    DealerKeys m_keys;
    bool m_enabled = false;
};

}  // namespace velmora
