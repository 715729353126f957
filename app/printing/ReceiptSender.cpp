#include "printing/ReceiptSender.h"

namespace velmora {

ReceiptSender::ReceiptSender(QObject* parent) : QObject(parent) {}

ReceiptSender::~ReceiptSender() {
    m_waiting.clear();
    if (m_worker.joinable()) {
        if (m_link) m_link->release();
        m_worker.join();
    }
}

void ReceiptSender::send(std::shared_ptr<Transport> link, std::vector<std::string> chunks) {
    m_waiting.push_back({std::move(link), std::move(chunks)});
    startNext();
}

void ReceiptSender::sendOnOwnConnection(std::shared_ptr<Transport> printer,
                                        std::vector<std::string> chunks) {
    m_waiting.push_back({std::move(printer), std::move(chunks), true});
    startNext();
}

void ReceiptSender::startNext() {
    if (m_running || m_waiting.empty()) return;
    Job job = std::move(m_waiting.front());
    m_waiting.pop_front();
    if (m_worker.joinable()) m_worker.join();
    m_running = true;
    m_link = job.link;
    m_worker = std::thread([this, job = std::move(job)] {
        QString error;
        bool reached = !job.ownConnection;
        try {
            if (job.ownConnection) {
                job.link->connect();
                reached = true;
            }
            for (const std::string& chunk : job.chunks) job.link->send(chunk);
        } catch (const std::exception& failure) {
            error = QString::fromUtf8(failure.what());
            if (!reached)
                error = tr("Printer tidak dapat dihubungi: %1").arg(error);
            else if (error.isEmpty())
                error = tr("Pengiriman ke printer gagal");
        }
        if (job.ownConnection) job.link->release();
        QMetaObject::invokeMethod(
            this, [this, error] { done(error); }, Qt::QueuedConnection);
    });
}

void ReceiptSender::done(const QString& error) {
    if (m_worker.joinable()) m_worker.join();
    m_running = false;
    m_link.reset();
    startNext();  // first, so busy() tells the receiver whether another receipt follows
    emit finished(error);
}

}  // namespace velmora
