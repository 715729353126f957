#include "printing/DealerKeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "certificate/Certificate.h"

namespace velmora {

namespace {

const QString kPrivateName = QStringLiteral("dealer.key");
const QString kPublicFolder = QStringLiteral("public-keys");
const QString kRetiredFolder = QStringLiteral("retired");

}  // namespace

DealerKeys::DealerKeys(QString folder) : m_folder(std::move(folder)) {}

// "Velmora Tester" in the user's local data folder, whatever the program's name: the
// window and every tool of it find the same keys. Local, not roaming, on Windows: a private
// key stays on the workshop's machine.
QString DealerKeys::defaultFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Velmora Tester"));
}

std::string DealerKeys::path(const QString& name) const {
    return QDir(m_folder).filePath(name).toStdString();
}

void DealerKeys::keepPublicKey(const std::string& publicKey) const {
    const QString name = QString::fromStdString(certificate::fingerprintOf(publicKey)) + ".pub";
    try {
        certificate::writePublicKeyFile(path(kPublicFolder + "/" + name), publicKey);
    } catch (const certificate::KeyFileError& error) {
        if (error.fault() != certificate::KeyFileFault::Exists) throw;
    }
}

certificate::KeyPair DealerKeys::current() {
    if (!QDir().mkpath(m_folder) || !QDir().mkpath(QDir(m_folder).filePath(kPublicFolder)))
        throw certificate::KeyFileError(certificate::KeyFileFault::WriteFailed,
                                        "cannot make " + m_folder.toStdString());
    const std::string privatePath = path(kPrivateName);
    const certificate::KeyPair key = QFileInfo::exists(QString::fromStdString(privatePath))
                                         ? certificate::readPrivateKeyFile(privatePath)
                                         : certificate::createPrivateKeyFile(privatePath);
    keepPublicKey(key.publicKey);
    m_currentFingerprint = QString::fromStdString(certificate::fingerprintOf(key.publicKey));
    return key;
}

certificate::KeyPair DealerKeys::makeNewKey() {
    const certificate::KeyPair old = current();
    QDir().mkpath(QDir(m_folder).filePath(kRetiredFolder));
    const QString retired = QDir(m_folder).filePath(
        kRetiredFolder + "/" + QString::fromStdString(certificate::fingerprintOf(old.publicKey)) +
        ".key");
    // rename() would replace a file there; a retired key is never lost.
    if (QFileInfo::exists(retired) ||
        !QFile::rename(QString::fromStdString(path(kPrivateName)), retired))
        throw certificate::KeyFileError(certificate::KeyFileFault::WriteFailed,
                                        "cannot retire the key");
    return current();
}

QStringList DealerKeys::fingerprints() const {
    QStringList names;
    const QFileInfoList files =
        QDir(QDir(m_folder).filePath(kPublicFolder))
            .entryInfoList({QStringLiteral("*.pub")}, QDir::Files, QDir::Time);
    for (const QFileInfo& file : files) names << file.completeBaseName();
    if (names.removeOne(m_currentFingerprint)) names.prepend(m_currentFingerprint);
    return names;
}

std::vector<std::string> DealerKeys::publicKeys() const {
    std::vector<std::string> keys;
    for (const QString& fingerprint : fingerprints()) {
        try {
            keys.push_back(
                certificate::readPublicKeyFile(path(kPublicFolder + "/" + fingerprint + ".pub")));
        } catch (const certificate::KeyFileError&) {
            // A damaged file checks nothing; the others still do.
        }
    }
    return keys;
}

void DealerKeys::exportPublicKey(const QString& fingerprint, const QString& target) const {
    const std::string key =
        certificate::readPublicKeyFile(path(kPublicFolder + "/" + fingerprint + ".pub"));
    certificate::writePublicKeyFile(target.toStdString(), key);
}

QString keyProblemText(const certificate::KeyFileError& problem) {
    using certificate::KeyFileFault;
    switch (problem.fault()) {
        case KeyFileFault::Exists:
            return QCoreApplication::translate("velmora::DealerKeys",
                                               "Berkas sudah ada, tidak ditimpa");
        case KeyFileFault::Missing:
            return QCoreApplication::translate("velmora::DealerKeys", "Kunci dealer tidak ada");
        case KeyFileFault::Unreadable:
            return QCoreApplication::translate("velmora::DealerKeys",
                                               "Kunci dealer tidak bisa dibaca");
        case KeyFileFault::OpenToOthers:
            return QCoreApplication::translate(
                "velmora::DealerKeys", "Kunci dealer bisa dibaca pengguna lain, tidak dipakai");
        case KeyFileFault::Malformed:
            return QCoreApplication::translate("velmora::DealerKeys", "Kunci dealer rusak");
        case KeyFileFault::WriteFailed:
            return QCoreApplication::translate("velmora::DealerKeys",
                                               "Kunci dealer tidak bisa disimpan");
    }
    return QCoreApplication::translate("velmora::DealerKeys", "Kunci dealer rusak");
}

}  // namespace velmora
