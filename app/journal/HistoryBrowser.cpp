#include "journal/HistoryBrowser.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTableView>
#include <algorithm>
#include <sstream>

#include "certificate/CertificateBlock.h"
#include "journal/CsvExport.h"
#include "journal/HistoryDialog.h"
#include "journal/JournalFiles.h"
#include "journal/JournalRecorder.h"
#include "journal/SessionListModel.h"
#include "journal/SessionPage.h"
#include "journal/SessionReceipt.h"
#include "journal/SessionTexts.h"
#include "logger/LogFolder.h"
#include "monitor/ChartPlot.h"
#include "printing/PrinterImages.h"
#include "printing/ReceiptPdf.h"
#include "printing/ReceiptPrinter.h"
#include "widgets/CoreTexts.h"
#include "widgets/FileDialogs.h"
#include "widgets/QuestionDialog.h"

namespace velmora {

namespace {
QString nothingRecorded() {
    return HistoryBrowser::tr("Belum ada sesi yang direkam");
}
const QString kCsvFilter = QStringLiteral("CSV (*.csv)");
const QString kPdfFilter = QStringLiteral("PDF (*.pdf)");

QString userText(const journal::JournalError& error) {
    return ui::coreText(journal::userMessage(error.fault()));
}
}  // namespace

HistoryBrowser::HistoryBrowser(Window window, QObject* parent)
    : QObject(parent), m_window(std::move(window)) {
    m_askSavePath = [this](const QString& suggested, const QString& filter) {
        return ui::askSaveFileName(m_window.dialog, suggested, filter);
    };
    m_recordingSessions = [this](bool upToDate) {
        if (upToDate) m_window.recorder.sync();
        const std::optional<int64_t> id = m_window.recorder.recordingSessionId();
        return id ? std::vector<int64_t>{*id} : std::vector<int64_t>{};
    };
    wire();
}

HistoryBrowser::~HistoryBrowser() = default;

void HistoryBrowser::wire() {
    HistoryDialog* d = m_window.dialog;
    const auto click = [this](QAbstractButton* button, void (HistoryBrowser::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    click(d->RRiwayatLihat, &HistoryBrowser::showSelected);
    click(d->RRiwayatTutup, &HistoryBrowser::close);
    click(d->RRiwayatEkspor, &HistoryBrowser::exportListCsv);
    click(d->PageSesi->BackSesi, &HistoryBrowser::showList);
    click(d->PageSesi->RSesiHapus, &HistoryBrowser::askDelete);
    click(d->PageSesi->RSesiCsv, &HistoryBrowser::exportSessionCsv);
    click(d->PageSesi->RSesiPdf, &HistoryBrowser::exportSessionPdf);
    click(d->PageSesi->RSesiCetak, &HistoryBrowser::printSession);
    click(m_window.confirmDelete->right, &HistoryBrowser::confirmDelete);
    click(m_window.confirmDelete->left, &HistoryBrowser::cancelDelete);
    connect(d->ListRiwayat, &QAbstractItemView::activated, this, [this] { showSelected(); });
    connect(d->EditCariRiwayat, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_window.dialog->filter()->setWords(text);
        showCount();
    });
    connect(d->ComboRakRiwayat, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { chooseBay(); });
}

bool HistoryBrowser::isRecording(int64_t id, bool upToDate) const {
    const std::vector<int64_t> recording = m_recordingSessions(upToDate);
    return std::find(recording.begin(), recording.end(), id) != recording.end();
}

QString HistoryBrowser::dateSeparator() const {
    return QString::fromStdString(receiptLocaleOf(QLocale(), m_window.format).time.dateSeparator);
}

QString HistoryBrowser::documentsFolder() const {
    return QFileInfo(m_window.recorder.path()).absolutePath();
}

void HistoryBrowser::open() {
    m_window.dialog->showList();
    reload();
    m_window.dialog->ListRiwayat->selectRow(0);  // the latest: "Lihat" shows it at once
    m_window.dialog->open();
    m_window.dialog->EditCariRiwayat->setFocus();
}

void HistoryBrowser::reload() {
    m_journal.reset();
    std::vector<journal::SessionSummary> sessions;
    QString problem;
    try {
        // Looking creates, upgrades and converts nothing: an older program sharing the file
        // still reads it. The first write (a delete here, or a recorded charge) upgrades it.
        journal::JournalOptions options;
        options.create = false;
        options.readOnly = true;
        m_journal = journal::Journal::open(m_window.recorder.nativePath(), options);
        sessions = m_journal->list();
    } catch (const journal::JournalError& error) {
        m_journal.reset();
        problem =
            error.fault() == journal::JournalFault::Missing ? nothingRecorded() : userText(error);
    }
    m_window.dialog->model()->setSessions(std::move(sessions), m_recordingSessions(false),
                                          dateSeparator());
    m_problem = problem;
    offerBays();
    showCount();
}

void HistoryBrowser::offerBays() {
    HistoryDialog* d = m_window.dialog;
    QComboBox* combo = d->ComboRakRiwayat;
    const QStringList labels = d->model()->bayLabels();
    const QVariant chosen = combo->currentData();
    {
        const QSignalBlocker quiet(combo);
        combo->clear();
        combo->addItem(tr("Semua rak"));
        for (const QString& label : labels) combo->addItem(label, label);
        combo->setCurrentIndex(chosen.isValid() ? std::max(0, combo->findData(chosen)) : 0);
    }
    d->showBays(!labels.isEmpty());
    chooseBay();
}

void HistoryBrowser::chooseBay() {
    const QVariant bay = m_window.dialog->ComboRakRiwayat->currentData();
    m_window.dialog->filter()->setBay(bay.isValid() ? std::optional<QString>(bay.toString())
                                                    : std::nullopt);
    showCount();
}

void HistoryBrowser::showCount() {
    HistoryDialog* d = m_window.dialog;
    const int total = d->model()->rowCount();
    const int shown = d->filter()->rowCount();
    QString text;
    if (!m_problem.isEmpty())
        text = m_problem;
    else if (total == 0)
        text = nothingRecorded();
    else if (shown == total)
        text = tr("%n sesi", nullptr, total);
    else
        text = tr("%1 dari %n sesi", nullptr, total).arg(shown);
    if (m_journal && m_journal->newerVersion()) text = tr("%1  ·  hanya dapat dibaca").arg(text);
    if (m_journal && m_journal->readFromCopy())
        text = tr("%1  ·  beberapa detik terakhir mungkin hilang").arg(text);
    d->LRiwayatInfo->setText(text);
}

std::optional<int64_t> HistoryBrowser::selectedId() const {
    const QModelIndexList rows = m_window.dialog->ListRiwayat->selectionModel()->selectedRows();
    if (rows.isEmpty()) return std::nullopt;
    return rows.front().data(SessionListModel::kIdRole).toLongLong();
}

void HistoryBrowser::showSelected() {
    const std::optional<int64_t> id = selectedId();
    if (!id) {
        m_window.message(tr("Pilih sesi yang akan dilihat"));
        return;
    }
    if (!m_journal) return;
    std::optional<journal::Session> session;
    try {
        session = m_journal->session(*id);
    } catch (const journal::JournalError& error) {
        m_window.error(userText(error));
        return;
    }
    if (!session) {
        reload();  // deleted by another program meanwhile
        m_window.message(tr("Sesi tidak ditemukan, mungkin sudah dihapus"));
        return;
    }
    m_window.dialog->PageSesi->showSession(*session, isRecording(*id, false), m_window.format,
                                           dateSeparator());
    m_window.dialog->showSessionPage();
}

void HistoryBrowser::showList() {
    m_window.dialog->showList();
}

void HistoryBrowser::close() {
    m_window.confirmDelete->close();
    m_window.dialog->close();
    m_journal.reset();  // the file is not held while nobody looks
}

void HistoryBrowser::askDelete() {
    const auto& shown = m_window.dialog->PageSesi->shown();
    if (!shown) return;
    // Refused before the question: a "Ya" that then cannot be done would mislead.
    if (refuseRecording(shown->id)) return;
    m_window.confirmDelete->open();
}

bool HistoryBrowser::refuseRecording(int64_t id) {
    if (!isRecording(id, true)) return false;
    m_window.message(tr("Sesi sedang direkam, tidak dapat dihapus"));
    return true;
}

void HistoryBrowser::cancelDelete() {
    m_window.confirmDelete->close();
}

void HistoryBrowser::confirmDelete() {
    m_window.confirmDelete->close();
    const auto& shown = m_window.dialog->PageSesi->shown();
    if (!shown || !m_journal) return;
    // Asked again: a session left by a lost link may have resumed while the question was open.
    if (refuseRecording(shown->id)) return;
    try {
        // The list is read-only; deleting is a write, so it opens the file for writing.
        journal::JournalOptions options;
        options.create = false;
        journal::Journal::open(m_window.recorder.nativePath(), options)->remove(shown->id);
    } catch (const journal::JournalError& error) {
        m_window.error(userText(error));
        return;
    }
    reload();
    m_window.dialog->showList();
}

void HistoryBrowser::exportSessionCsv() {
    const auto& shown = m_window.dialog->PageSesi->shown();
    if (!shown || !m_journal) return;
    std::optional<journal::Session> session;
    try {
        session = m_journal->session(shown->id);
    } catch (const journal::JournalError& error) {
        m_window.error(userText(error));
        return;
    }
    if (!session) {
        m_window.message(tr("Sesi tidak ditemukan, mungkin sudah dihapus"));
        return;
    }
    exportCsv(fileName(QStringLiteral(".csv")), [this, &session](std::ostream& out) {
        journal::writePointsCsv(out, *session, m_window.format);
    });
}

void HistoryBrowser::exportListCsv() {
    const SessionFilter* filter = m_window.dialog->filter();
    const SessionListModel* model = m_window.dialog->model();
    std::vector<journal::SessionSummary> sessions;
    sessions.reserve(static_cast<size_t>(filter->rowCount()));
    for (int row = 0; row < filter->rowCount(); ++row)
        sessions.push_back(model->session(filter->mapToSource(filter->index(row, 0)).row()));
    if (sessions.empty()) {
        m_window.message(nothingRecorded());
        return;
    }
    exportCsv(tr("Riwayat") + QStringLiteral(".csv"), [this, &sessions](std::ostream& out) {
        journal::writeSessionsCsv(out, sessions, m_window.format);
    });
}

QString HistoryBrowser::fileName(const QString& ending) const {
    const auto& shown = m_window.dialog->PageSesi->shown();
    // Only a suggestion the user may change: in the window's language.
    if (!shown) return tr("Riwayat") + ending;
    return tr("Riwayat %1 %2")
               .arg(shown->id)
               .arg(startText(*shown, QStringLiteral("-"))
                        .remove(QLatin1Char(':'))
                        .replace(QLatin1Char(' '), QLatin1Char('_'))) +
           ending;
}

void HistoryBrowser::exportCsv(const QString& suggestedName,
                               const std::function<void(std::ostream&)>& write) {
    exportFile(suggestedName, kCsvFilter, [&write] {
        std::ostringstream out;
        write(out);
        return QByteArray::fromStdString(out.str());
    });
}

void HistoryBrowser::exportFile(const QString& suggestedName, const QString& filter,
                                const std::function<QByteArray()>& bytes) {
    const QString path = m_askSavePath(QDir(documentsFolder()).filePath(suggestedName), filter);
    if (path.isEmpty()) return;
    // Saving over the journal (or a link to it) would replace the whole history.
    if (journal::isJournalFile(QDir::toNativeSeparators(path).toStdString(),
                               m_window.recorder.nativePath())) {
        m_window.error(tr("Berkas itu adalah riwayat sendiri, pilih nama lain"));
        return;
    }
    if (const auto failure = writeWholeFile(path, bytes())) {
        m_window.error(*failure);
        return;
    }
    m_window.message(tr("Berhasil disimpan"));
}

std::vector<std::string> HistoryBrowser::receiptChunks() {
    const auto& shown = m_window.dialog->PageSesi->shown();
    if (!shown) return {};
    if (!m_images) {
        m_images = std::make_unique<PrinterImages>();
        m_images->SusunBitmap();  // the logo's raster, once
    }
    if (shown->start.kind == journal::SessionKind::Charge) {
        const SessionPage* page = m_window.dialog->PageSesi;
        try {
            m_images->saveimage([page](const ChartKind& kind, const QSize& size) {
                return page->renderForPrint(kind, size);
            });
        } catch (const std::exception& error) {
            m_window.error(QString::fromUtf8(error.what()));
            return {};
        }
    }
    std::vector<std::string> chunks = journal::sessionReceiptChunks(
        *shown, receiptLocaleOf(QLocale(), m_window.format), m_images->rasters());
    appendKeptCertificate(shown->id, chunks);
    return chunks;
}

void HistoryBrowser::appendKeptCertificate(int64_t sessionId, std::vector<std::string>& chunks) {
    if (!m_journal) return;
    try {
        const std::optional<journal::KeptCertificate> kept = m_journal->certificate(sessionId);
        if (!kept) return;  // printed without one
        const auto certificate = certificate::keptCertificate(kept->qrText);
        if (!certificate) throw std::runtime_error("unreadable");
        for (std::string& chunk : certificate::certificateChunks(*certificate))
            chunks.push_back(std::move(chunk));
    } catch (const std::exception&) {
        m_window.error(tr("Sertifikat sesi ini tidak bisa dibaca; struk tanpa sertifikat"));
    }
}

void HistoryBrowser::printSession() {
    std::vector<std::string> chunks = receiptChunks();
    if (chunks.empty()) return;
    close();  // the printer's dialog and the simulated printer's paper come up in its place
    m_window.print(std::move(chunks));
}

void HistoryBrowser::exportSessionPdf() {
    const std::vector<std::string> chunks = receiptChunks();
    if (chunks.empty()) return;
    const QString name = fileName(QStringLiteral(".pdf"));
    exportFile(name, kPdfFilter, [&chunks, &name] { return receiptPdf(chunks, name); });
}

}  // namespace velmora
