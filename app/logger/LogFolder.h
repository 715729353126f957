#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace velmora {

// The names of the files in a folder, sorted by name (the same order on every platform).
// Sub-folders are left out, hidden files are not; a folder that is missing or cannot be
// read gives no names.
QStringList ListFileDir(const QString& path);

// Writes a file in one step: the bytes go to a temporary file beside it, which then
// replaces any file of that name. When anything fails the earlier file stays whole.
// Returns the system's error text on failure.
std::optional<QString> writeWholeFile(const QString& path, const QByteArray& bytes);

// The log folder: "Velmora Tester/Log" under a documents folder. Every operation returns
// the system's error text when it fails.
class LogFolder {
public:
    // The platform's per-user documents folder (the home folder where there is none).
    static QString platformDocuments();

    explicit LogFolder(QString documents = platformDocuments());
    void setDocuments(QString documents) { m_documents = std::move(documents); }
    QString path() const;

    // Writes a file in the folder in one step (writeWholeFile). Creates the folders first; a
    // failure to create shows in the write.
    std::optional<QString> write(const QString& fileName, const QByteArray& bytes) const;
    std::optional<QString> remove(const QString& fileName) const;

    // The start of a file, enough to hold the record on its first line: at most a byte
    // or two past the longest line a record can have.
    struct Reading {
        QByteArray line;
        std::optional<QString> error;
    };
    Reading readFirstLine(const QString& fileName) const;

private:
    QString filePath(const QString& fileName) const;

    QString m_documents;
};

}  // namespace velmora
