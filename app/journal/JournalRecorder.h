#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "journal/ChargeJournal.h"

namespace velmora {

// Records the charge journal on a thread of its own: the window hands over what each tick
// saw and never waits for the disk (a locked file, a slow or network Documents folder).
// Lives on the user-interface thread; problems come back there as `problem`, once each.
class JournalRecorder : public QObject {
    Q_OBJECT
public:
    // How long the writer waits for another recorder's commit before it gives up.
    static constexpr int kWriterBusyTimeoutMs = 10000;
    // clock: UTC milliseconds, read on the user-interface thread when a tick is handed over,
    // so each point carries the time of its tick however late the writer gets to it.
    explicit JournalRecorder(QObject* parent = nullptr,
                             journal::Clock clock = &JournalRecorder::systemClock);
    // Ends a running session as closed by the application and writes it first.
    ~JournalRecorder() override;

    static int64_t systemClock();
    // The Documents folder of "Velmora Tester/journal.sqlite"; the platform's at start.
    // Takes effect at the next session (a running one is ended as if the program closed).
    void setDocumentsFolder(const QString& documents);
    QString path() const { return m_path; }
    // The same as the journal library takes it: UTF-8, the platform's separators.
    std::string nativePath() const;
    // A shorter batch interval, for tests of the batches.
    void setFlushInterval(int64_t ms);
    void setClock(journal::Clock clock) { m_clock = std::move(clock); }

    void observe(journal::TickObservation tick);
    void forceStop();
    void linkLost();
    void printerHandOver();
    void stoppedWatching();
    // Ends a running session as closed by the application and waits until it is written.
    void close();
    // Waits until everything handed over so far has been written or has failed.
    void sync();
    // The session being recorded, if any.
    std::optional<int64_t> recordingSessionId() const;

signals:
    // The journal cannot record: a short message in the window's language and the engine's
    // own words.
    void problem(const QString& message, const QString& detail);

private:
    struct Writer;
    // Runs `task` on the writer's thread with the journal, after what was posted before.
    void post(std::function<void(journal::ChargeJournal&)> task);
    void rebuild();

    journal::Clock m_clock;
    QString m_path;
    int64_t m_flushIntervalMs = journal::SessionRecorder::kDefaultFlushIntervalMs;
    std::shared_ptr<Writer> m_writer;
    QThread m_thread;
    QObject* m_context = nullptr;  // lives on m_thread: what is posted to it runs there
    std::shared_ptr<std::atomic<int64_t>> m_recording;  // 0: none
};

// "Velmora Tester/journal.sqlite" under a Documents folder.
QString journalPathIn(const QString& documents);

}  // namespace velmora
