#include "logger/DataLogger.h"

#include <QLineEdit>
#include <QListWidget>

#include "logger/LoadedResults.h"
#include "logger/LogFile.h"
#include "logger/LogFileName.h"
#include "logger/SaveDialog.h"
#include "widgets/MessageDialog.h"

namespace velmora {

namespace {
// Why a typed name is refused: it would write outside the log folder or into a device.
QString nameRefusal(LogNameProblem problem) {
    switch (problem) {
        case LogNameProblem::Empty:
            return DataLogger::tr("Isi nama file");
        case LogNameProblem::PathCharacter:
            return DataLogger::tr("Nama file tidak boleh memuat / \\ atau :");
        case LogNameProblem::DotName:
            return DataLogger::tr("Nama file tidak boleh \".\" atau \"..\"");
        case LogNameProblem::ControlCharacter:
            return DataLogger::tr("Nama file tidak boleh memuat karakter kontrol");
        case LogNameProblem::ReservedName:
            return DataLogger::tr("Nama file dipakai oleh sistem, pilih nama lain");
        case LogNameProblem::WindowsCharacter:
            return DataLogger::tr("Nama file tidak boleh memuat < > \" | ? atau *");
        case LogNameProblem::None:
            break;
    }
    return QString();
}
}  // namespace

DataLogger::DataLogger(Window window, QObject* parent)
    : QObject(parent), m_window(std::move(window)) {}

void DataLogger::BTSaveClick() {
    m_window.save->open();  // the name box keeps what was typed last
    QLineEdit* name = m_window.save->Edit2;
    name->setFocus();   // ready for typing without a click
    name->selectAll();  // typing replaces the last name, End or a click keeps it
}

void DataLogger::RCancelSaveClick() {
    m_window.save->close();
}

void DataLogger::ROKSaveClick() {
    QLineEdit* edit = m_window.save->Edit2;
    const std::string name = edit->text().toStdString();
    if (const LogNameProblem problem = checkLogName(name); problem != LogNameProblem::None) {
        m_window.message(nameRefusal(problem));
        edit->setFocus();
        return;  // the dialog stays open for another name
    }
    // savelogger: the record of one consistent snapshot, encoded as pendingLog.
    const ChargerState snapshot = m_window.state().snapshot();
    const std::string pendingLog = encodeLogFile(snapshot);
    const std::optional<QString> failure = m_folder.write(QString::fromStdString(logFileName(name)),
                                                          QByteArray::fromStdString(pendingLog));
    if (failure) {
        m_window.save->close();
        m_window.error(*failure);
        return;
    }
    m_savedRecord = logRecordText(snapshot);
    m_window.message(tr("Berhasil disimpan"));
    m_window.save->close();
}

bool DataLogger::resultsSaved() const {
    return m_savedRecord && *m_savedRecord == logRecordText(m_window.state().snapshot());
}

void DataLogger::fillList() {
    QListWidget* list = m_window.logList;
    list->clear();
    list->addItems(ListFileDir(m_folder.path()));
}

QListWidgetItem* DataLogger::selectedEntry() const {
    const QList<QListWidgetItem*> selected = m_window.logList->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

void DataLogger::BTRefreshClick() {
    QListWidgetItem* entry = selectedEntry();
    if (!entry) {
        m_window.message(tr("Pilih data yang akan dihapus"));
        fillList();
        return;
    }
    // A deleted log cannot be brought back: the user says so first, as in Riwayat.
    const QString fileName = entry->text();
    auto* question = new ui::MessageDialog(m_window.content, QStringLiteral("HapusLogDialog"),
                                           tr("Hapus file \"%1\"?").arg(fileName),
                                           ui::MessageDialog::Buttons::OkCancel);
    connect(question, &ui::MessageDialog::finished, this, [this, question, fileName](bool ok) {
        question->deleteLater();
        if (ok) deleteLog(fileName);
    });
    question->present();
}

void DataLogger::deleteLog(const QString& fileName) {
    if (const std::optional<QString> failure = m_folder.remove(fileName)) {
        m_window.error(*failure);
        return;  // the list stays as it was
    }
    fillList();
}

void DataLogger::BTLoadClick() {
    QListWidgetItem* entry = selectedEntry();
    if (!entry) {
        m_window.message(tr("Pilih data yang akan dimuat"));
        return;
    }
    const LogFolder::Reading reading = m_folder.readFirstLine(entry->text());
    if (reading.error) {
        m_window.error(*reading.error);
        return;
    }
    m_loadedRecord = LoadedRecord();
    if (!Parsestringlogger(readLogFile(reading.line.toStdString(), m_window.format))) return;
    if (m_loadedRecord.empty()) {
        m_window.message(tr("Data kosong"));
        return;
    }
    showLoadedResults(m_loadedRecord, m_window.diagnostic, m_window.dashboard, m_window.format);
    m_window.message(tr("Memuat data sukses"));
}

bool DataLogger::Parsestringlogger(const RecordCheck& check) {
    switch (check.outcome) {
        case RecordCheck::Outcome::NotARecord:
            return true;  // nothing stored: loadedRecord stays empty
        case RecordCheck::Outcome::BadNumber:
            m_window.error(tr("Data log rusak: \"%1\" bukan angka")
                               .arg(QString::fromStdString(check.badText)));
            return false;
        case RecordCheck::Outcome::Valid:
            break;
    }
    m_loadedRecord = check.record.loadedRecord;
    m_window.state().modify([&check](ChargerState& s) { storeLoadedRecord(s, check.record); });
    m_window.datareference();
    return true;
}

}  // namespace velmora
