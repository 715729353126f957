#include "link/LinkController.h"

#include <QComboBox>
#include <algorithm>
#include <utility>

#include "link/ChargerLink.h"
#include "link/LinkMessages.h"
#include "link/NetworkPrinterAddress.h"
#include "widgets/CoreTexts.h"

namespace velmora {

namespace {
QString bluetoothOff() {
    return ui::coreText(kBluetoothOffMessage);
}
QString unreachable() {
    return ui::coreText(kDeviceUnreachableMessage);
}

}  // namespace

LinkController::LinkController(BluetoothPlatform& platform, ChargerLink& link,
                               RememberedDevices remembered, QObject* parent)
    : QObject(parent), m_platform(platform), m_link(link), m_remembered(std::move(remembered)) {
    for (const QString& printer : m_remembered.networkPrinters())
        m_platform.addNetworkPrinter(printer);
    m_retry.setSingleShot(true);
    m_clock.start();
    connect(&m_retry, &QTimer::timeout, this, [this] {
        m_policy.startAttempt();
        emit reconnectChanged();
        emit reconnectDue();
    });
}

LinkController::~LinkController() {
    shutDown();
}

void LinkController::shutDown() {
    if (!m_worker.joinable()) return;
    if (m_pending) m_pending->release();
    m_worker.join();
}

void LinkController::fill(QComboBox* box) const {
    for (const DeviceInfo& device : m_paired) {
        box->addItem(device.name);
        // The whole name where the box shows it shortened.
        box->setItemData(box->count() - 1, device.name, Qt::ToolTipRole);
    }
}

void LinkController::addDeviceBox(QComboBox* box) {
    m_boxes.append(box);
    fill(box);
    box->setCurrentIndex(box->count() ? 0 : -1);
}

void LinkController::listPairedDevices() {
    // Listing afresh keeps what each box had chosen, while that device is still listed: a
    // box opened and closed without a pick keeps its printer.
    QStringList chosen;
    for (QComboBox* box : m_boxes) {
        const int index = box->currentIndex();
        chosen << (index >= 0 && index < m_paired.size() ? m_paired.at(index).address : QString());
        box->clear();
    }
    m_paired.clear();
    if (!radioPresent()) return;
    m_paired = m_platform.pairedDevices();
    for (int b = 0; b < m_boxes.size(); ++b) {
        QComboBox* box = m_boxes.at(b);
        fill(box);
        int keep = 0;
        for (int i = 0; i < m_paired.size(); ++i)
            if (!chosen.at(b).isEmpty() && m_paired.at(i).address == chosen.at(b)) keep = i;
        box->setCurrentIndex(box->count() ? keep : -1);
    }
}

bool LinkController::startUp(bool quiet) {
    try {
        if (!radioPresent()) throw LinkError("no Bluetooth radio");
        listPairedDevices();
        return true;
    } catch (const LinkError&) {
        for (QComboBox* box : m_boxes) box->clear();
        if (quiet)
            m_platform.requestEnable();
        else
            emit message(bluetoothOff());
        return false;
    }
}

bool LinkController::fitsRole(const DeviceInfo& device, RememberedDevices::Role role) const {
    const bool charger =
        m_platform.isKnownCharger(device) || m_answeringChargers.contains(device.address);
    if (role == RememberedDevices::Role::Printer) return !charger;
    if (m_platform.isKnownPrinter(device)) return false;
    // A device last used as the printer is one, unless it is known to answer as a charger.
    const std::optional<DeviceInfo> printer = m_remembered.last(RememberedDevices::Role::Printer);
    return charger || !printer || printer->address != device.address;
}

void LinkController::chooseLast(QComboBox* box, RememberedDevices::Role role) const {
    const int listed = std::min<int>(m_paired.size(), box->count());
    if (const std::optional<DeviceInfo> last = m_remembered.last(role))
        for (int i = 0; i < listed; ++i)
            if (m_paired.at(i).address == last->address && fitsRole(m_paired.at(i), role)) {
                box->setCurrentIndex(i);
                return;
            }
    // Nothing used yet for this role: never start a printer box from a charger, nor a
    // charger box from a network printer (a box keeps its last choice when listed afresh).
    const bool printer = role == RememberedDevices::Role::Printer;
    const auto wrongKind = [&](int i) { return printer ? isCharger(i) : isNetworkPrinter(i); };
    if (!wrongKind(box->currentIndex())) return;
    for (int i = 0; i < listed; ++i)
        if (!wrongKind(i)) {
            box->setCurrentIndex(i);
            return;
        }
}

bool LinkController::isCharger(int index) const {
    if (index < 0 || index >= m_paired.size()) return false;
    const DeviceInfo& device = m_paired.at(index);
    return m_platform.isKnownCharger(device) || m_answeringChargers.contains(device.address);
}

bool LinkController::isNetworkPrinter(int index) const {
    return index >= 0 && index < m_paired.size() && m_platform.isNetworkPrinter(m_paired.at(index));
}

std::shared_ptr<Transport> LinkController::openNetworkPrinter(int index) {
    if (!isNetworkPrinter(index)) return nullptr;
    return openPrinterSocket(m_paired.at(index));
}

std::shared_ptr<Transport> LinkController::openPrinterBeside(int index) {
    if (index < 0 || index >= m_paired.size()) return nullptr;
    return openPrinterSocket(m_paired.at(index));
}

std::shared_ptr<Transport> LinkController::openPrinterSocket(const DeviceInfo& printer) {
    try {
        std::shared_ptr<Transport> socket = m_platform.createSocket(printer, false);
        m_remembered.remember(RememberedDevices::Role::Printer, printer);
        m_networkPrinting = printer;
        return socket;
    } catch (const LinkError&) {
        emit message(unreachable());
        return nullptr;
    }
}

bool LinkController::addNetworkPrinter(const QString& typed, QComboBox* box) {
    const std::optional<std::string> address = networkPrinterAddress(typed.toStdString());
    if (!address) return false;
    const QString added = QString::fromStdString(*address);
    if (!m_platform.addNetworkPrinter(added)) return false;
    m_remembered.addNetworkPrinter(added);
    listPairedDevices();
    for (int i = 0; i < m_paired.size(); ++i)
        if (m_paired.at(i).address == added) box->setCurrentIndex(i);
    return true;
}

bool LinkController::connectTo(Purpose purpose, int index) {
    m_device.reset();
    m_networkPrinting.reset();
    try {
        if (!radioPresent()) throw LinkError("no Bluetooth radio");
        m_paired = m_platform.pairedDevices();
        if (index < 0 || index >= m_paired.size()) throw LinkError("no device selected");
    } catch (const LinkError&) {
        emit message(unreachable());
        return false;
    }
    // The user chose where the link goes: whatever was lost before is left behind.
    m_chargerWasUp = false;
    m_lostCharger.reset();
    m_automaticAttempt = false;
    if (purpose == Purpose::Charger) m_returnTo.reset();  // a receipt keeps its way back
    stopReconnecting();
    return connectToDevice(purpose, m_paired.at(index));
}

std::optional<DeviceInfo> LinkController::listedDevice(const QString& address) {
    try {
        if (!radioPresent()) return std::nullopt;
        for (const DeviceInfo& device : m_platform.pairedDevices())
            if (device.address == address) return device;
    } catch (const LinkError&) {
    }
    return std::nullopt;
}

bool LinkController::connectToAddress(Purpose purpose, const QString& address) {
    if (m_connecting) return false;
    try {
        if (!radioPresent()) return false;
        m_paired = m_platform.pairedDevices();
    } catch (const LinkError&) {
        return false;
    }
    for (int i = 0; i < m_paired.size(); ++i)
        if (m_paired.at(i).address == address) return connectTo(purpose, i);
    return false;
}

bool LinkController::connectLastChargerAtStart() {
    if (m_connecting || !m_remembered.autoConnect()) return false;
    const std::optional<DeviceInfo> last = m_remembered.last(RememberedDevices::Role::Charger);
    if (!last) return false;
    for (const DeviceInfo& device : m_paired)
        if (device.address == last->address) {
            // A remembered device is used only in its role: a printer is never connected
            // as the charger, whatever the settings say.
            if (!fitsRole(device, RememberedDevices::Role::Charger)) return false;
            m_automaticAttempt = true;  // a charger switched off says nothing at start-up
            if (connectToDevice(Purpose::Charger, device)) return true;
            m_automaticAttempt = false;
            return false;
        }
    return false;
}

bool LinkController::reconnectCharger(bool quiet) {
    if (m_connecting || !m_lostCharger) return false;
    m_obstacle = Obstacle::None;
    try {
        if (!radioPresent())
            m_obstacle = Obstacle::AdapterOff;
        else if (!m_platform.isPaired(*m_lostCharger))
            m_obstacle = Obstacle::NotPaired;
    } catch (const LinkError&) {
        m_obstacle = Obstacle::AdapterOff;  // the stack itself cannot be asked
    }
    if (m_obstacle != Obstacle::None) {  // the panel says which
        if (!quiet) emit message(unreachable());
        return false;
    }
    return connectToDevice(Purpose::Charger, *m_lostCharger);
}

bool LinkController::connectToDevice(Purpose purpose, const DeviceInfo& device) {
    std::shared_ptr<Transport> socket, secureFallback;
    m_device = device;
    try {
        if (m_platform.isPaired(*m_device)) {
            socket = m_platform.createSocket(*m_device, false);
        } else if (purpose == Purpose::Charger) {
            return false;  // an unpaired charger: the dialog stays open, nothing is said
        }
    } catch (const LinkError&) {
        if (!m_automaticAttempt) emit message(unreachable());  // else the panel tells it
        if (purpose == Purpose::Charger) return false;
    }
    if (!socket && purpose != Purpose::Charger) {
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
    if (ok && m_device) {
        const bool charger = purpose == Purpose::Charger;
        if (m_remembersDevices)
            m_remembered.remember(
                charger ? RememberedDevices::Role::Charger : RememberedDevices::Role::Printer,
                *m_device);
        if (charger) {
            m_lastCharger = m_device;
            m_lostCharger.reset();
            // Up from now: a link that closes before the next tick is a loss all the same.
            m_chargerWasUp = true;
            m_upSince.start();
        }
    }
    // Settled before the window hears of it: its refresh may find the new link gone at
    // once, and the next reconnecting it starts then must not be stopped here afterwards.
    const bool charger = purpose == Purpose::Charger;
    const bool attemptFailed = charger && m_policy.reconnecting() && !ok;
    if (charger && ok) {
        m_retry.stop();
        m_policy.back();
    }
    const bool returnFailed = charger && std::exchange(m_returning, false) && !ok && m_device;
    emit finished(purpose, ok, firstError, secondError);
    m_automaticAttempt = false;
    if (returnFailed) {
        m_lostCharger = m_device;  // the way back failed: tried again by itself
        beginReconnecting();
    } else if (attemptFailed) {
        scheduleNextAttempt();
    }
}

void LinkController::holdChargerForPrint() {
    if (chargerLinkUp() && m_lastCharger)
        m_returnTo = m_lastCharger;
    else if (m_lostCharger)
        m_returnTo = m_lostCharger;  // lost meanwhile: tried once the receipt is out
}

bool LinkController::returnToCharger() {
    if (m_connecting || !m_returnTo) return false;
    const DeviceInfo charger = *std::exchange(m_returnTo, std::nullopt);
    m_automaticAttempt = true;
    m_returning = true;
    if (connectToDevice(Purpose::Charger, charger)) return true;
    m_returning = false;
    m_automaticAttempt = false;
    m_lostCharger = charger;  // could not even start: tried again by itself
    beginReconnecting();
    return false;
}

void LinkController::beginReconnecting() {
    const std::optional<int64_t> upFor =
        m_upSince.isValid() ? std::optional<int64_t>(m_upSince.elapsed()) : std::nullopt;
    if (m_policy.lost(m_clock.elapsed(), upFor, m_link.heard())) m_obstacle = Obstacle::None;
    scheduleNextAttempt();
}

void LinkController::scheduleNextAttempt() {
    if (!m_policy.reconnecting()) return;
    const int64_t now = m_clock.elapsed();
    if (m_policy.goOn(now)) m_retry.start(*m_policy.pauseBeforeNext(now));
    emit reconnectChanged();
}

void LinkController::stopReconnecting() {
    m_retry.stop();
    const bool was = m_policy.reconnecting();
    m_policy.stop();
    if (was) emit reconnectChanged();
}

void LinkController::forgetCharger() {
    stopReconnecting();
    m_chargerWasUp = false;
    m_lostCharger.reset();
    m_returnTo.reset();
    m_lastCharger.reset();
    m_device.reset();
    m_obstacle = Obstacle::None;
}

void LinkController::postponeReconnect() {
    if (!m_policy.reconnecting()) return;
    m_policy.postpone();  // this one was not made
    scheduleNextAttempt();
}

void LinkController::reconnectFailed() {
    m_automaticAttempt = false;
    scheduleNextAttempt();
}

bool LinkController::chargerLinkUp() const {
    return m_link.connected() && !m_link.peerIsPrinter() && m_link.readerRunning() &&
           !m_link.linkLost();
}

void LinkController::watchChargerLink() {
    if (m_connecting) return;
    const bool up = chargerLinkUp();
    if (up && m_link.heard() && m_lastCharger) m_answeringChargers.insert(m_lastCharger->address);
    const bool lostNow = m_chargerWasUp && !up && !m_link.peerIsPrinter();
    m_chargerWasUp = up;
    if (up) {
        m_lostCharger.reset();
        m_obstacle = Obstacle::None;
    }
    if (lostNow) {
        m_lostCharger = m_lastCharger;
        if (m_lostCharger) beginReconnecting();  // tells its listeners: after the state is set
    }
}

LinkStatus LinkController::status(bool printing) const {
    if (printing && !m_connecting)
        return {
            tr("Mencetak ke %1...").arg(m_networkPrinting ? m_networkPrinting->name : deviceName()),
            LinkStatus::Tone::Busy};
    return describeLink(m_link, m_connecting ? std::optional<QString>(deviceName()) : std::nullopt);
}

}  // namespace velmora
