#pragma once

#include <QObject>
#include <QString>
#include <deque>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "link/Transport.h"

namespace velmora {

// Sends receipts on a worker thread, one send per chunk, in order: a thermal printer
// takes its bytes only as fast as it prints, and the window must not wait for it.
// Receipts handed over while one is being sent follow it. Lives on the user-interface
// thread; `finished` is emitted there.
class ReceiptSender : public QObject {
    Q_OBJECT
public:
    explicit ReceiptSender(QObject* parent = nullptr);
    // Cuts a running send short (the link is released) and waits for the worker.
    ~ReceiptSender() override;

    void send(std::shared_ptr<Transport> link, std::vector<std::string> chunks);
    // The same on a connection of the receipt's own (a network printer): connected on the
    // worker first and closed once the receipt is out, so the printer prints it and is free
    // for the next.
    void sendOnOwnConnection(std::shared_ptr<Transport> printer, std::vector<std::string> chunks);
    bool busy() const { return m_running; }

signals:
    // One receipt is done; error holds the send's error text, the rest of that receipt
    // was not sent. busy() is true when the next receipt is already on its way.
    void finished(const QString& error);

private:
    struct Job {
        std::shared_ptr<Transport> link;
        std::vector<std::string> chunks;
        bool ownConnection = false;
    };
    void startNext();
    void done(const QString& error);

    std::deque<Job> m_waiting;
    std::shared_ptr<Transport> m_link;
    std::thread m_worker;
    bool m_running = false;
};

}  // namespace velmora
