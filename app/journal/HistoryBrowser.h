#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "journal/Journal.h"
#include "link/NumberText.h"

namespace velmora {

class HistoryDialog;
class PrinterImages;
class JournalRecorder;
class QuestionDialog;

// The charge history in the window: opens the kept sessions from the journal file, lists
// and filters them, shows one, exports it or the list as CSV, deletes one after asking.
// The window's "Riwayat" row hands over here; the dialog's own buttons are wired here.
class HistoryBrowser : public QObject {
    Q_OBJECT
public:
    // What the history reaches in the window.
    struct Window {
        HistoryDialog* dialog;
        QuestionDialog* confirmDelete;
        JournalRecorder& recorder;
        const NumberFormat& format;
        std::function<void(const QString&)> message;  // a short message with OK
        std::function<void(const QString&)> error;    // an error's text with OK
        // Sends a receipt to a printer the way the window prints its own.
        std::function<void(std::vector<std::string>)> print;
    };
    HistoryBrowser(Window window, QObject* parent);
    ~HistoryBrowser() override;

    // Asks where to save a file: a suggested path and a file-type filter in, the chosen path
    // out (empty: the user cancelled). A save dialog unless replaced (tests).
    using SavePathAsker = std::function<QString(const QString& suggested, const QString& filter)>;
    void setSavePathAsker(SavePathAsker ask) { m_askSavePath = std::move(ask); }

    // The sessions being recorded now: marked in the list, never deleted. upToDate: wait
    // until every writer has caught up first (before a delete; the list does not wait).
    // The window's own recorder's unless replaced, as it is where several chargers record
    // at once, each with a recorder of its own.
    using RecordingSessions = std::function<std::vector<int64_t>(bool upToDate)>;
    void setRecordingSessions(RecordingSessions recording) {
        m_recordingSessions = std::move(recording);
    }

    // The "Riwayat" row: the list page, filled afresh, sliding in.
    void open();
    // Reads the sessions again, keeping what is typed in the filter.
    void reload();
    // The session of the selected row on its page; tells the user when none is selected.
    void showSelected();
    void showList();
    void close();
    // Delete: asks first (not for the session being recorded, which is refused at once);
    // the answer deletes or leaves the session.
    void askDelete();
    void confirmDelete();
    void cancelDelete();
    void exportSessionCsv();
    void exportListCsv();
    // The shown session's receipt: to a printer, or as a PDF page.
    void printSession();
    void exportSessionPdf();

private:
    void wire();
    void showCount();
    // The bay choice offers the bays of the sessions read, keeping the one chosen while it
    // still has sessions.
    void offerBays();
    void chooseBay();
    bool isRecording(int64_t id, bool upToDate) const;
    // Says so, and returns true, when session `id` is the one being recorded.
    bool refuseRecording(int64_t id);
    std::optional<int64_t> selectedId() const;
    // Writes what `write` produces to a file the user picks; tells how it went.
    void exportCsv(const QString& suggestedName, const std::function<void(std::ostream&)>& write);
    void exportFile(const QString& suggestedName, const QString& filter,
                    const std::function<QByteArray()>& bytes);
    // The shown session's receipt, its charts drawn for the printer; empty when it failed
    // (already told).
    std::vector<std::string> receiptChunks();
    // The certificate printed with the session, as it was printed, when there is one.
    void appendKeptCertificate(int64_t sessionId, std::vector<std::string>& chunks);
    // "Riwayat 12 08-12-2025_0905" and the ending.
    QString fileName(const QString& ending) const;
    QString documentsFolder() const;
    // The user's date separator, as the receipts print it.
    QString dateSeparator() const;

    Window m_window;
    std::unique_ptr<journal::Journal> m_journal;  // open while the dialog is
    QString m_problem;                            // why there is no list, if so
    SavePathAsker m_askSavePath;
    RecordingSessions m_recordingSessions;
    std::unique_ptr<PrinterImages> m_images;  // the kept sessions' own, not the live ones
};

}  // namespace velmora
