#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <thread>

#include "link/BluetoothPlatform.h"
#include "link/LinkStatus.h"

class QComboBox;

namespace velmora {

class ChargerLink;
class Transport;

// Connecting to a device for a purpose: lists the paired devices in the device boxes,
// makes the socket (for a printer with one secure try when the plain one cannot be made),
// connects on a worker thread beside the event loop and hands the socket to the link.
class LinkController : public QObject {
    Q_OBJECT
public:
    // Which dialog button started a connection.
    // PrintKept: a kept session's receipt, from the charge history.
    enum class Purpose { Charger, PrintCharge, PrintTest, PrintKept };

    LinkController(BluetoothPlatform& platform, ChargerLink& link, QObject* parent = nullptr);
    ~LinkController() override;

    // Gives up a connection being made and waits for its worker (the window closes).
    void shutDown();

    bool radioPresent() const { return m_platform.radioPresent(); }
    // A box listing the paired devices, in the same order as every other.
    void addDeviceBox(QComboBox* box);
    // Lists the paired devices in every box (none without a radio).
    void listPairedDevices();
    // Lists them with the first one chosen. Without Bluetooth the boxes stay empty and it
    // returns false, having asked the system to switch it on when quiet.
    bool startUp(bool quiet);

    // Starts connecting to the device chosen at `index` of the list. Returns false when
    // no attempt was started (the reason went out as message or error).
    bool connectTo(Purpose purpose, int index);
    bool connecting() const { return m_connecting; }
    // The device of the last connection, or of the one being made.
    const std::optional<DeviceInfo>& device() const { return m_device; }
    QString deviceName() const { return m_device ? m_device->name : QString(); }
    // The dashboard's line about the link.
    LinkStatus status(bool printing) const;

signals:
    // A short message for the user, or an error's text.
    void message(const QString& text);
    void error(const QString& text);
    // The attempt ended; the link holds its socket (connected or not). firstError: the
    // plain try's failure; secondError: the printer's second try's.
    void finished(Purpose purpose, bool ok, QString firstError, QString secondError);

private:
    void finish(Purpose purpose, std::shared_ptr<Transport> socket, QString firstError,
                QString secondError);

    BluetoothPlatform& m_platform;
    ChargerLink& m_link;
    QList<QComboBox*> m_boxes;
    QList<DeviceInfo> m_paired;
    std::optional<DeviceInfo> m_device;
    bool m_connecting = false;
    std::thread m_worker;
    std::shared_ptr<Transport> m_pending;
};

}  // namespace velmora
