#pragma once

#include <QString>
#include <string>
#include <vector>

#include "certificate/Certificate.h"
#include "widgets/SlideInDialog.h"

class QLabel;
class QPlainTextEdit;

namespace velmora {

// "PERIKSA SERTIFIKAT": the QR text pasted in, or read from a photo or scan of a receipt,
// checked against the dealer's own public keys; the answer says valid, changed, another
// dealer's key, unreadable or a newer version, with what the certificate says when valid.
class CertificateCheckDialog : public ui::SlideInDialog {
    Q_OBJECT
public:
    explicit CertificateCheckDialog(QWidget* window);

    // The keys a certificate is checked against.
    void setKeys(std::vector<std::string> keys) { m_keys = std::move(keys); }
    // Checks the text in the box and shows the answer.
    void check();
    // Reads the QR code of a picture into the box and checks it; a picture without exactly
    // one QR code is said as such.
    void checkPicture(const QString& path);

    QPlainTextEdit* MemoCertificate;
    QLabel* LCheckResult;
    ui::TextButton* ROpenPicture;
    ui::TextButton* RCheck;
    ui::TextButton* RCheckClose;

private:
    void showAnswer(bool good, const QString& text);
    std::vector<std::string> m_keys;
};

// The verdict in a short Indonesian sentence.
QString verdictText(certificate::Verdict verdict);

}  // namespace velmora
