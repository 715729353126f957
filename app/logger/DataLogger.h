#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "link/ChargerState.h"
#include "link/NumberText.h"
#include "logger/LogFolder.h"
#include "logger/LogRecord.h"

class QListWidget;
class QListWidgetItem;
class QWidget;

namespace velmora {

class DashboardScreen;
class DiagnosticScreen;
class SaveDialog;

// The data logger: saving the results as a log file through the save dialog, and the log
// browser of the option screen (list, delete, load). The window's handlers hand over here.
class DataLogger : public QObject {
    Q_OBJECT
public:
    // What the logger reaches in the window.
    struct Window {
        ShownChargerState state;
        const NumberFormat& format;
        SaveDialog* save;
        QListWidget* logList;  // the option screen's list of log files
        DiagnosticScreen* diagnostic;
        DashboardScreen* dashboard;
        std::function<void(const QString&)> message;  // a short message with OK
        std::function<void(const QString&)> error;    // an error's text with OK
        std::function<void()> datareference;          // applies the stored profile
        QWidget* content;                             // where questions are shown
    };
    DataLogger(Window window, QObject* parent);

    // The folder "Velmora Tester/Log" lives in (the platform's Documents folder at start).
    void setDocumentsFolder(const QString& folder) { m_folder.setDocuments(folder); }
    QString logFolder() const { return m_folder.path(); }

    // Saving
    void BTSaveClick();
    void RCancelSaveClick();
    void ROKSaveClick();
    // Whether the results now in the live state are those of the last successful save;
    // the battery picture then resets without asking.
    bool resultsSaved() const;
    // The reset for the next battery forgets the save.
    void forgetSaved() { m_savedRecord.reset(); }

    // Log browser
    // Empties ListBox1 and fills it with the log folder's files.
    void fillList();
    // Delete: asks first ("HapusLogDialog"), then deletes the file chosen when asked.
    void BTRefreshClick();
    void BTLoadClick();
    // The results of the last file loaded.
    const LoadedRecord& loadedRecord() const { return m_loadedRecord; }

private:
    QListWidgetItem* selectedEntry() const;
    // Stores a checked record in loadedRecord and the live state; nothing at all unless
    // every field converted. False when a number did not convert (already reported).
    bool Parsestringlogger(const RecordCheck& check);
    void deleteLog(const QString& fileName);

    Window m_window;
    LogFolder m_folder;
    LoadedRecord m_loadedRecord;
    std::optional<std::string> m_savedRecord;
};

}  // namespace velmora
