#include "link/LinkController.h"

#include <QComboBox>

#include "link/ChargerLink.h"
#include "link/LinkMessages.h"

namespace velmora {

namespace {
const QString kBluetoothOff = QString::fromUtf8(kBluetoothOffMessage);
const QString kUnreachable = QString::fromUtf8(kDeviceUnreachableMessage);
}  // namespace

LinkController::LinkController(BluetoothPlatform& platform, ChargerLink& link, QObject* parent)
    : QObject(parent), m_platform(platform), m_link(link) {}

LinkController::~LinkController() {
    shutDown();
}

void LinkController::shutDown() {
    if (!m_worker.joinable()) return;
    if (m_pending) m_pending->release();
    m_worker.join();
}

void LinkController::addDeviceBox(QComboBox* box) {
    m_boxes.append(box);
}

void LinkController::listPairedDevices() {
    for (QComboBox* box : m_boxes) box->clear();
    m_paired.clear();
    if (!radioPresent()) return;
    m_paired = m_platform.pairedDevices();
    for (QComboBox* box : m_boxes)
        for (const DeviceInfo& device : m_paired) box->addItem(device.name);
}

bool LinkController::startUp(bool quiet) {
    try {
        if (!radioPresent()) throw LinkError("no Bluetooth radio");
        listPairedDevices();
        for (QComboBox* box : m_boxes) box->setCurrentIndex(box->count() ? 0 : -1);
        return true;
    } catch (const LinkError&) {
        for (QComboBox* box : m_boxes) box->clear();
        if (quiet)
            m_platform.requestEnable();
        else
            emit message(kBluetoothOff);
        return false;
    }
}

bool LinkController::connectTo(Purpose purpose, int index) {
    std::shared_ptr<Transport> socket, secureFallback;
    m_device.reset();
    try {
        if (!radioPresent()) throw LinkError("no Bluetooth radio");
        m_paired = m_platform.pairedDevices();
        if (index < 0 || index >= m_paired.size()) throw LinkError("no device selected");
        m_device = m_paired.at(index);
        if (m_platform.isPaired(*m_device)) {
            socket = m_platform.createSocket(*m_device, false);
        } else if (purpose == Purpose::Charger) {
            return false;  // an unpaired charger: the dialog stays open, nothing is said
        }
    } catch (const LinkError&) {
        emit message(kUnreachable);
        if (purpose == Purpose::Charger || !m_device) return false;
    }
    if (!socket && m_device && purpose != Purpose::Charger) {
        // The printer was not paired, or its socket could not be made: one secure try.
        try {
            secureFallback = m_platform.createSocket(*m_device, true);
        } catch (const LinkError& failure) {
            emit error(QString::fromUtf8(failure.what()));
            return false;
        }
    }

    m_connecting = true;
    m_pending = socket ? socket : secureFallback;
    if (m_worker.joinable()) m_worker.join();
    // Connecting can take seconds; it runs beside the event loop, never blocking it.
    m_worker = std::thread([this, purpose, socket, secureFallback] {
        QString firstError, secondError;
        if (socket) {
            try {
                socket->connect();
            } catch (const LinkError& failure) {
                firstError = QString::fromUtf8(failure.what());
            }
        }
        if (purpose != Purpose::Charger) {
            try {
                if (socket && !socket->connected())
                    socket->connect();
                else if (!socket && secureFallback)
                    secureFallback->connect();
            } catch (const LinkError& failure) {
                secondError = QString::fromUtf8(failure.what());
            }
        }
        std::shared_ptr<Transport> result = socket ? socket : secureFallback;
        QMetaObject::invokeMethod(
            this,
            [this, purpose, result, firstError, secondError] {
                finish(purpose, result, firstError, secondError);
            },
            Qt::QueuedConnection);
    });
    return true;
}

void LinkController::finish(Purpose purpose, std::shared_ptr<Transport> socket, QString firstError,
                            QString secondError) {
    if (m_worker.joinable()) m_worker.join();
    m_connecting = false;
    m_pending.reset();
    m_link.adopt(socket);  // a socket that failed stays, not connected, until the next try
    const bool ok = socket && socket->connected();
    m_link.setPeer(ok && m_device ? m_device->name : QString(), purpose != Purpose::Charger);
    emit finished(purpose, ok, firstError, secondError);
}

LinkStatus LinkController::status(bool printing) const {
    if (printing && !m_connecting)
        return {QStringLiteral("Mencetak ke %1...").arg(deviceName()), LinkStatus::Tone::Busy};
    return describeLink(m_link, m_connecting ? std::optional<QString>(deviceName()) : std::nullopt);
}

}  // namespace velmora
