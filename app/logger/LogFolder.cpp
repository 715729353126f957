#include "logger/LogFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <algorithm>

#include "logger/LogFile.h"

namespace velmora {

QStringList ListFileDir(const QString& path) {
    // Regular files and links to them only: a pipe or device would hang the loader.
    QStringList names = QDir(path).entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = QString::compare(a, b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
    });
    return names;
}

QString LogFolder::platformDocuments() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

namespace {
QString text(const char* source) {
    return QCoreApplication::translate("LogFolder", source);
}
QString saveFailed() {
    return text(QT_TRANSLATE_NOOP("LogFolder", "Gagal menyimpan file"));
}
QString deleteFailed() {
    return text(QT_TRANSLATE_NOOP("LogFolder", "Gagal menghapus file"));
}
QString readFailed() {
    return text(QT_TRANSLATE_NOOP("LogFolder", "Gagal membaca file"));
}

// The system's own words are English; the user reads a short Indonesian reason.
// `existing`: the action needs the file to be there (reading, deleting).
QString failure(const QString& action, const QFileDevice& file, const QString& path,
                bool existing) {
    if (QFileInfo(path).fileName().toUtf8().size() > 255)
        return text(QT_TRANSLATE_NOOP("LogFolder", "Nama file terlalu panjang"));
    switch (file.error()) {
        case QFileDevice::WriteError:
        case QFileDevice::ResizeError:
            return text(QT_TRANSLATE_NOOP("LogFolder", "%1: disk penuh atau tidak dapat ditulis"))
                .arg(action);
        case QFileDevice::PermissionsError:
            return text(QT_TRANSLATE_NOOP("LogFolder", "%1: tidak ada izin")).arg(action);
        default:
            break;
    }
    if (existing && !QFileInfo::exists(path))
        return text(QT_TRANSLATE_NOOP("LogFolder", "%1: file tidak ditemukan")).arg(action);
    return text(QT_TRANSLATE_NOOP("LogFolder", "%1: folder atau file tidak dapat dipakai"))
        .arg(action);
}
}  // namespace

LogFolder::LogFolder(QString documents) : m_documents(std::move(documents)) {}

QString LogFolder::path() const {
    return QDir(m_documents).filePath(QStringLiteral("Velmora Tester/Log"));
}

QString LogFolder::filePath(const QString& fileName) const {
    return QDir(path()).filePath(fileName);
}

std::optional<QString> LogFolder::write(const QString& fileName, const QByteArray& bytes) const {
    QDir().mkpath(path());
    return writeWholeFile(filePath(fileName), bytes);
}

std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return failure(saveFailed(), file, path, false);
    // Flushed and checked here: commit() in Qt 6.4 renames even when its own flush fails
    // (a full disk), which would replace the earlier log with a cut-off one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString error = failure(saveFailed(), file, path, false);
        file.cancelWriting();
        return error;
    }
    if (!file.commit()) return failure(saveFailed(), file, path, false);
    return std::nullopt;
}

std::optional<QString> LogFolder::remove(const QString& fileName) const {
    QFile file(filePath(fileName));
    if (!file.remove()) return failure(deleteFailed(), file, file.fileName(), true);
    return std::nullopt;
}

LogFolder::Reading LogFolder::readFirstLine(const QString& fileName) const {
    Reading reading;
    QFile file(filePath(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        reading.error = failure(readFailed(), file, file.fileName(), true);
        return reading;
    }
    // No record is longer than kMaxLogLine, so reading stops just past it: a large file
    // in the folder costs one bounded read and is then refused as no record.
    reading.line = file.read(kMaxLogLine + 2);
    if (file.error() != QFileDevice::NoError)
        reading.error = failure(readFailed(), file, file.fileName(), true);
    return reading;
}

}  // namespace velmora
