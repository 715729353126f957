// The window's charge journal: what each tick saw handed to the recorder, and the
// "Riwayat" row handed to the history.
#include <QDir>
#include <utility>

#include "bench/Bench.h"
#include "journal/HistoryBrowser.h"
#include "journal/JournalRecorder.h"
#include "logger/DataLogger.h"
#include "printing/PrintJob.h"
#include "printing/VirtualPrinter.h"
#include "shell/TVLForm.h"
#include "shell/WindowContent.h"

namespace velmora {

HistoryBrowser& TVLForm::history() {
    if (m_history) return *m_history;
    // Made when first wanted: a window that never opens the history pays nothing for it.
    const WindowContent::HistoryDialogs dialogs = m_ui->makeHistoryDialogs();
    m_history = new HistoryBrowser({dialogs.history, dialogs.deleteQuestion, journal(), m_format,
                                    [this](const QString& text) { showMessage(text); },
                                    [this](const QString& text) { reportError(text); },
                                    [this](std::vector<std::string> receipt) {
                                        if (!connecting())
                                            m_ctrl->printJob->printKept(std::move(receipt));
                                    }},
                                   this);
    m_history->setRecordingSessions(
        [this](bool upToDate) { return bench().recordingSessions(upToDate); });
    return *m_history;
}

void TVLForm::setDocumentsFolder(const QString& documents) {
    logger().setDocumentsFolder(documents);
    journal().setDocumentsFolder(documents);
    bench().setDocumentsFolder(documents);
    virtualPrinter()->setFolder(QDir(documents).filePath(QStringLiteral("Velmora Tester/Struk")));
}

void TVLForm::RRiwayatClick() {
    history().open();
}

}  // namespace velmora
