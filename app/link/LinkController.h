#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "link/BluetoothPlatform.h"
#include "link/LinkStatus.h"
#include "link/ReconnectPolicy.h"
#include "link/RememberedDevices.h"

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

    // remembered: where the last charger and printer are kept across runs.
    LinkController(BluetoothPlatform& platform, ChargerLink& link,
                   RememberedDevices remembered = RememberedDevices(), QObject* parent = nullptr);
    ~LinkController() override;

    // Gives up a connection being made and waits for its worker (the window closes).
    void shutDown();

    bool radioPresent() const { return m_platform.radioPresent(); }
    // A box listing the paired devices, in the same order as every other; one added late
    // lists those already known at once, the first one chosen.
    void addDeviceBox(QComboBox* box);
    // Lists the paired devices in every box (none without a radio).
    void listPairedDevices();
    // Lists them with the first one chosen. Without Bluetooth the boxes stay empty and it
    // returns false, having asked the system to switch it on when quiet.
    bool startUp(bool quiet);

    // Chooses in `box` the last device used for `role`, when it is listed. A printer box
    // that would otherwise start from a charger (a charger box from a network printer)
    // moves to the first other device.
    void chooseLast(QComboBox* box, RememberedDevices::Role role) const;
    // Whether the device at `index` of the list is known to be a charger (a simulated or
    // socket charger, or one that answered as a charger in this run): never a printer.
    bool isCharger(int index) const;
    // Whether a remembered device may be used in `role`: a printer never as the charger,
    // a charger never as the printer.
    bool fitsRole(const DeviceInfo& device, RememberedDevices::Role role) const;
    // Whether the device at `index` is a printer on the network, printed to beside the
    // charger's link rather than on it.
    bool isNetworkPrinter(int index) const;
    // A socket to the network printer at `index`, not yet connected (the receipt's sender
    // connects it), remembered as the last printer; null when none can be made (said).
    std::shared_ptr<Transport> openNetworkPrinter(int index);
    // A socket to the printer at `index` beside the chargers' links (several chargers are
    // watched: none of them is handed over), not yet connected; remembered as the last
    // printer. Null when none can be made (said).
    std::shared_ptr<Transport> openPrinterBeside(int index);
    // The network printer a receipt is on its way to, for the dashboard's line.
    void setNetworkPrinting(std::optional<DeviceInfo> printer) { m_networkPrinting = printer; }
    // Adds the network printer typed by the user ("192.168.1.20:9100"), remembers it across
    // runs and chooses it in `box`. False when the text names no printer address.
    bool addNetworkPrinter(const QString& typed, QComboBox* box);

    // Starts connecting to the device chosen at `index` of the list. Returns false when
    // no attempt was started (the reason went out as message or error).
    bool connectTo(Purpose purpose, int index);
    RememberedDevices& remembered() { return m_remembered; }
    // Whether a made connection becomes the remembered last charger or printer (a further
    // bay on the bench is remembered by the bench instead).
    void setRemembersDevices(bool remembers) { m_remembersDevices = remembers; }
    // Starts connecting to the listed device at `address`, as connectTo does. False when it
    // is not listed or no attempt started.
    bool connectToAddress(Purpose purpose, const QString& address);
    // The listed device at `address`, if listed.
    std::optional<DeviceInfo> listedDevice(const QString& address);
    // At start-up, when chosen: connects to the last charger if it is listed. Returns
    // whether an attempt started.
    bool connectLastChargerAtStart();

    // Starts connecting to the charger whose link was lost, as "Sambungkan" would.
    // quiet: a failure before the attempt is not said (an attempt made by itself).
    bool reconnectCharger(bool quiet = false);

    // Reconnecting by itself: a lost charger link is tried again on the schedule until it
    // is back, the user stops it or chooses another device, or the schedule gives up.
    void setReconnectSchedule(const ReconnectSchedule& schedule) { m_policy.setSchedule(schedule); }
    bool reconnecting() const { return m_policy.reconnecting(); }
    // The attempt made last (or being made), from 1.
    int reconnectAttempt() const { return m_policy.attempt(); }
    bool reconnectGaveUp() const { return m_policy.gaveUp(); }
    // Why the last attempt to reach the lost charger could not even start.
    enum class Obstacle { None, AdapterOff, NotPaired };
    Obstacle reconnectObstacle() const { return m_obstacle; }
    void stopReconnecting();
    // The user stopped watching the charger: nothing is lost, nothing is tried again.
    void forgetCharger();
    // The link was busy when an attempt was due (a dialog or a print has it): tried later.
    void postponeReconnect();
    // An attempt that was due could not even start.
    void reconnectFailed();
    // A receipt takes the link from a charger being watched: noted, so the link can go
    // back to it once the receipt is out.
    void holdChargerForPrint();
    bool chargerToReturnTo() const { return m_returnTo.has_value(); }
    // Starts connecting back to the held charger, quietly. When that fails the charger
    // counts as lost and reconnecting by itself takes over.
    bool returnToCharger();

    // Whether the connection being made (or made last) was started by reconnectDue.
    bool automaticAttempt() const { return m_automaticAttempt; }
    void setAutomaticAttempt(bool automatic) { m_automaticAttempt = automatic; }

    // The charger link as the refresh sees it: up (connected, read, not lost) or lost
    // after it was up. A hand-over to the printer or another chosen device is no loss.
    bool chargerLinkUp() const;
    // Called on every refresh tick: notices the charger link going down.
    void watchChargerLink();
    // Whether the window is getting the charger back: reconnecting by itself, a receipt
    // holding its link, or a connection being made. A charge record waits for it meanwhile.
    bool chargerMayReturn() const { return m_policy.reconnecting() || m_returnTo || m_connecting; }
    // The charger whose link went down, while it is not back.
    const std::optional<DeviceInfo>& lostCharger() const { return m_lostCharger; }
    // The last charger the link was up with.
    const std::optional<DeviceInfo>& lastCharger() const { return m_lastCharger; }
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
    // Time for the next attempt to reach the lost charger (the window starts it).
    void reconnectDue();
    // Reconnecting started, went on to its next attempt, or ended.
    void reconnectChanged();

private:
    void fill(QComboBox* box) const;
    // A printer's socket, not yet connected, remembered as the last printer.
    std::shared_ptr<Transport> openPrinterSocket(const DeviceInfo& printer);
    void beginReconnecting();
    void scheduleNextAttempt();
    bool connectToDevice(Purpose purpose, const DeviceInfo& device);
    void finish(Purpose purpose, std::shared_ptr<Transport> socket, QString firstError,
                QString secondError);

    BluetoothPlatform& m_platform;
    ChargerLink& m_link;
    RememberedDevices m_remembered;
    QList<QComboBox*> m_boxes;
    QList<DeviceInfo> m_paired;
    std::optional<DeviceInfo> m_device;
    std::optional<DeviceInfo> m_networkPrinting;
    bool m_connecting = false;
    bool m_chargerWasUp = false;  // the charger link was up at the last look
    std::optional<DeviceInfo> m_lastCharger;
    std::optional<DeviceInfo> m_lostCharger;
    std::optional<DeviceInfo> m_returnTo;  // the charger a receipt took the link from
    bool m_returning = false;
    QSet<QString> m_answeringChargers;  // devices that answered as a charger in this run
    ReconnectPolicy m_policy;           // when to try the lost charger again, and when to give up
    QTimer m_retry;
    QElapsedTimer m_clock;    // the policy's clock
    QElapsedTimer m_upSince;  // since the charger link last came up
    Obstacle m_obstacle = Obstacle::None;
    bool m_automaticAttempt = false;
    bool m_remembersDevices = true;
    std::thread m_worker;
    std::shared_ptr<Transport> m_pending;
};

}  // namespace velmora
