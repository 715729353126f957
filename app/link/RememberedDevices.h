#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "link/BluetoothPlatform.h"

namespace velmora {

// The last charger and the last printer the window was connected with, kept across runs
// in the platform's settings store, so their dialogs start from them.
class RememberedDevices {
public:
    enum class Role { Charger, Printer };

    // An empty file name uses the platform's own store for this program.
    explicit RememberedDevices(QString settingsFile = {});

    std::optional<DeviceInfo> last(Role role) const;
    void remember(Role role, const DeviceInfo& device);
    // Whether the last charger is connected at start-up (off unless chosen).
    bool autoConnect() const;
    void setAutoConnect(bool on);
    // The network printers added by the user ("tcp:HOST:PORT"), in the order added.
    QStringList networkPrinters() const;
    void addNetworkPrinter(const QString& address);
    // The chargers watched on the bench, in their order, with the labels the user gave.
    struct Bay {
        QString label;
        DeviceInfo device;
    };
    QList<Bay> bays() const;
    void setBays(const QList<Bay>& bays);

private:
    QString m_file;
};

}  // namespace velmora
