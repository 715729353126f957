#include "journal/JournalRecorder.h"

#include <QDateTime>
#include <QDir>

#include "logger/LogFolder.h"
#include "widgets/CoreTexts.h"

namespace velmora {

// Touched on the writer's thread only.
struct JournalRecorder::Writer {
    int64_t now = 0;  // the time of the task being run: the journal's clock
    std::unique_ptr<journal::ChargeJournal> journal;
};

QString journalPathIn(const QString& documents) {
    return QDir(documents).filePath(QStringLiteral("Velmora Tester/journal.sqlite"));
}

int64_t JournalRecorder::systemClock() {
    return QDateTime::currentMSecsSinceEpoch();
}

JournalRecorder::JournalRecorder(QObject* parent, journal::Clock clock)
    : QObject(parent),
      m_clock(std::move(clock)),
      m_path(journalPathIn(LogFolder::platformDocuments())),
      m_writer(std::make_shared<Writer>()),
      m_recording(std::make_shared<std::atomic<int64_t>>(0)) {
    m_thread.setObjectName(QStringLiteral("JournalWriter"));
    m_context = new QObject;
    m_context->moveToThread(&m_thread);
    m_thread.start(QThread::LowPriority);
    rebuild();
}

JournalRecorder::~JournalRecorder() {
    close();
    m_thread.quit();
    m_thread.wait();
    delete m_context;
}

void JournalRecorder::setDocumentsFolder(const QString& documents) {
    m_path = journalPathIn(documents);
    rebuild();
}

void JournalRecorder::setFlushInterval(int64_t ms) {
    m_flushIntervalMs = ms;
    rebuild();
}

std::string JournalRecorder::nativePath() const {
    return QDir::toNativeSeparators(m_path).toStdString();
}

void JournalRecorder::rebuild() {
    const std::string path = nativePath();
    const int64_t interval = m_flushIntervalMs;
    const int64_t now = m_clock();
    std::shared_ptr<Writer> writer = m_writer;
    QMetaObject::invokeMethod(
        m_context,
        [writer, path, interval, now] {
            writer->now = now;
            writer->journal.reset();  // a running session ends as closed, with what it had
            Writer* w = writer.get();
            // Several chargers' recorders share the file, each committing with a full sync:
            // on a busy disk one may hold it longer than a reader's short wait. This thread
            // may wait; the window never does.
            journal::JournalOptions writing;
            writing.busyTimeoutMs = kWriterBusyTimeoutMs;
            writer->journal = std::make_unique<journal::ChargeJournal>(
                path, [w] { return w->now; }, writing, interval);
        },
        Qt::QueuedConnection);
}

void JournalRecorder::post(std::function<void(journal::ChargeJournal&)> task) {
    const int64_t now = m_clock();
    QMetaObject::invokeMethod(
        m_context,
        [this, writer = m_writer, recording = m_recording, now, task = std::move(task)] {
            writer->now = now;
            journal::ChargeJournal& journal = *writer->journal;
            task(journal);
            recording->store(journal.recordingSessionId().value_or(0));
            // Emitted from this thread; the window receives it on its own.
            if (const auto trouble = journal.takeProblem())
                emit problem(ui::coreText(trouble->message),
                             QString::fromStdString(trouble->detail));
        },
        Qt::QueuedConnection);
}

void JournalRecorder::observe(journal::TickObservation tick) {
    post([tick = std::move(tick)](journal::ChargeJournal& journal) { journal.observe(tick); });
}

void JournalRecorder::forceStop() {
    post([](journal::ChargeJournal& journal) { journal.forceStop(); });
}

void JournalRecorder::linkLost() {
    post([](journal::ChargeJournal& journal) { journal.linkLost(); });
}

void JournalRecorder::stoppedWatching() {
    post([](journal::ChargeJournal& journal) { journal.stoppedWatching(); });
}

void JournalRecorder::printerHandOver() {
    post([](journal::ChargeJournal& journal) { journal.printerHandOver(); });
}

void JournalRecorder::close() {
    post([](journal::ChargeJournal& journal) { journal.close(); });
    sync();
}

void JournalRecorder::sync() {
    if (m_thread.isRunning())
        QMetaObject::invokeMethod(
            m_context, [] {}, Qt::BlockingQueuedConnection);
}

std::optional<int64_t> JournalRecorder::recordingSessionId() const {
    const int64_t id = m_recording->load();
    if (id == 0) return std::nullopt;
    return id;
}

}  // namespace velmora
