// The window's charge journal: what each tick saw handed to the recorder, and the
// "Riwayat" row handed to the history.
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <utility>

#include "catalogue/DiagnosticScreen.h"
#include "journal/HistoryBrowser.h"
#include "journal/HistoryDialog.h"
#include "journal/JournalRecorder.h"
#include "logger/DataLogger.h"
#include "printing/VirtualPrinter.h"
#include "shell/Dialogs.h"
#include "shell/OptionScreen.h"
#include "shell/TVLForm.h"

namespace velmora {

namespace {
// The profile as the diagnostic screen shows it now.
journal::Profile profileShown(const DiagnosticScreen& d) {
    journal::Profile p;
    const auto text = [](const QComboBox* box) {
        return box->currentIndex() < 0 ? std::string() : box->currentText().toStdString();
    };
    p.brandIndex = d.ComboMerk->currentIndex();
    p.varietyIndex = d.ComboJenis->currentIndex();
    p.typeIndex = d.ComboTipe->currentIndex();
    const QRadioButton* mode = d.RadioFast->isChecked()     ? d.RadioFast
                               : d.RadioNormal->isChecked() ? d.RadioNormal
                                                            : nullptr;
    if (mode) {
        p.mode = mode == d.RadioFast ? "2" : "1";
        p.modeText = mode->text().toStdString();
    }
    p.brand = text(d.ComboMerk);
    p.variety = text(d.ComboJenis);
    p.type = text(d.ComboTipe);
    p.capacity = d.LCap->text().toStdString();
    p.name = d.Edit1->text().toStdString();
    return p;
}
}  // namespace

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

void TVLForm::journalTick() {
    journal::TickObservation tick = std::exchange(m_tickSeen, {});
    tick.chargerConnected =
        m_link->connected() && !m_link->peerIsPrinter() && m_link->readerRunning();
    const Measurement m = m_state.measurement();
    tick.stageNumber = m.stageNumber;
    tick.chargeVoltage = m.chargeVoltage;
    tick.chargeCurrent = m.chargeCurrent;
    if (m_linkDevice) {
        tick.context.deviceName = m_linkDevice->name.toStdString();
        tick.context.deviceAddress = m_linkDevice->address.toStdString();
    }
    tick.context.profile = profileShown(*m_diagnostic);
    tick.context.utcOffsetMinutes = QDateTime::currentDateTime().offsetFromUtc() / 60;
    m_journal->observe(std::move(tick));
}

}  // namespace velmora
