// The window's charge journal: what each tick saw handed to the recorder, and the
// "Riwayat" row handed to the history.
#include <QDateTime>
#include <QDir>
#include <utility>

#include "catalogue/ProfileSelector.h"
#include "journal/HistoryBrowser.h"
#include "journal/HistoryDialog.h"
#include "journal/JournalRecorder.h"
#include "journal/TickFromEvents.h"
#include "link/LinkController.h"
#include "logger/DataLogger.h"
#include "printing/VirtualPrinter.h"
#include "shell/Dialogs.h"
#include "shell/OptionScreen.h"
#include "shell/TVLForm.h"

namespace velmora {

void TVLForm::setUpJournal() {
    m_journal = new JournalRecorder(this);
    connect(m_journal, &JournalRecorder::problem, this,
            [this](const QString& message) { showMessage(message); });
    connect(m_option->RRiwayat, &QAbstractButton::clicked, this, &TVLForm::RRiwayatClick);
}

HistoryBrowser& TVLForm::history() {
    if (m_history) return *m_history;
    // Made when first wanted: a window that never opens the history pays nothing for it.
    // Above every other dialog, the delete question above the history it belongs to.
    m_layoutRiwayat = new HistoryDialog(m_content);
    m_layoutHapusRiwayat = new QuestionDialog(
        m_content, QStringLiteral("LayoutHapusRiwayat"), QStringLiteral("FloatHapusRiwayat"),
        QStringLiteral("Hapus sesi ini dari riwayat?"),
        QStringLiteral("Hasil dan grafiknya tidak dapat dikembalikan"),
        QStringLiteral("RHapusTidak"), QStringLiteral("Tidak"), QStringLiteral("RHapusIya"),
        QStringLiteral("Iya"));
    m_history = new HistoryBrowser(
        {m_layoutRiwayat, m_layoutHapusRiwayat, *m_journal, m_format,
         [this](const QString& text) { showMessage(text); },
         [this](const QString& text) { reportError(text); },
         [this](std::vector<std::string> receipt) { printKeptReceipt(std::move(receipt)); }},
        this);
    return *m_history;
}

void TVLForm::setDocumentsFolder(const QString& documents) {
    m_logger->setDocumentsFolder(documents);
    m_journal->setDocumentsFolder(documents);
    m_virtualPrinter->setFolder(QDir(documents).filePath(QStringLiteral("Velmora Tester/Struk")));
}

void TVLForm::RRiwayatClick() {
    history().open();
}

void TVLForm::journalTick(const TickEvents& events) {
    journal::SessionContext context;
    if (const auto& device = m_linkControl->device()) {
        context.deviceName = device->name.toStdString();
        context.deviceAddress = device->address.toStdString();
    }
    context.profile = m_profile->chargeProfile();
    context.utcOffsetMinutes = QDateTime::currentDateTime().offsetFromUtc() / 60;
    const bool charger = m_link->connected() && !m_link->peerIsPrinter() && m_link->readerRunning();
    journal::TickObservation tick =
        journal::observationOf(events, charger, std::move(context), m_link->heard());
    tick.linkMayReturn = m_linkControl->chargerMayReturn();
    m_journal->observe(std::move(tick));
}

}  // namespace velmora
