#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "certificate/KeyFiles.h"

namespace velmora {

// The workshop's signing keys in the user's application data folder: the private key
// "dealer.key" (readable by the user only, made on first use, never shown or exported)
// and every public key it ever had in "public-keys/<fingerprint>.pub", so certificates of
// an earlier key stay checkable. An earlier private key is kept in "retired/".
class DealerKeys {
public:
    explicit DealerKeys(QString folder);
    static QString defaultFolder();  // the platform's application data folder

    QString folder() const { return m_folder; }
    void setFolder(const QString& folder) { m_folder = folder; }
    // The key to sign with, made when there is none. Throws certificate::KeyFileError and
    // certificate::CryptoError.
    certificate::KeyPair current();
    // Retires the current key and makes a new one; returns the new one. Throws as current().
    certificate::KeyPair makeNewKey();
    // Fingerprints of the public keys kept, the current one first.
    QStringList fingerprints() const;
    // Every public key kept, for checking certificates.
    std::vector<std::string> publicKeys() const;
    // Writes the public key of that fingerprint to path (never over a file there).
    void exportPublicKey(const QString& fingerprint, const QString& path) const;

private:
    std::string path(const QString& name) const;
    void keepPublicKey(const std::string& publicKey) const;

    QString m_folder;
    QString m_currentFingerprint;
};

// What went wrong with a key file, in a short Indonesian sentence.
QString keyProblemText(const certificate::KeyFileError& problem);

}  // namespace velmora
