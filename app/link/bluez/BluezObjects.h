#pragma once

#include <QDBusConnection>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace velmora::bluez {

inline constexpr const char* kService = "org.bluez";
inline constexpr const char* kAdapterInterface = "org.bluez.Adapter1";
inline constexpr const char* kDeviceInterface = "org.bluez.Device1";
// bluetoothd answers in milliseconds; a missing or stuck daemon must not freeze the caller.
inline constexpr int kCallTimeoutMs = 3000;

// One object exported by bluetoothd with the properties of each of its interfaces.
struct BluezObject {
    QString path;
    QList<QPair<QString, QVariantMap>> interfaces;

    bool has(const QString& interface) const;
    QVariant property(const QString& interface, const QString& name) const;
};

// Every object bluetoothd manages, in the order bluetoothd returned them (a plain
// QMap would sort them by path). Throws LinkError when bluetoothd cannot be asked.
QList<BluezObject> fetchObjects(const QDBusConnection& bus);

// The adapter QtBluetooth connects through: the first one by object path, so that
// the devices listed are the ones a socket can reach. Null when there is no adapter.
const BluezObject* defaultAdapter(const QList<BluezObject>& objects);

// Sets one property through org.freedesktop.DBus.Properties. Throws LinkError.
void setProperty(const QDBusConnection& bus, const QString& path, const QString& interface,
                 const QString& name, const QVariant& value);

}  // namespace velmora::bluez
