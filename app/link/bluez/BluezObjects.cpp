#include "link/bluez/BluezObjects.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include "link/Transport.h"

namespace velmora::bluez {

namespace {

QDBusConnection checkedBus(const QDBusConnection& bus) {
    if (!bus.isConnected()) {
        throw LinkError("D-Bus system bus unavailable: " + bus.lastError().message().toStdString());
    }
    return bus;
}

QDBusMessage callBluez(const QDBusConnection& bus, const QDBusMessage& message) {
    const QDBusMessage reply = checkedBus(bus).call(message, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        throw LinkError("bluetoothd not reachable: " + reply.errorName().toStdString() + ": " +
                        reply.errorMessage().toStdString());
    }
    return reply;
}

// a{sa{sv}}: interface name -> properties, in wire order.
QList<QPair<QString, QVariantMap>> readInterfaces(const QDBusArgument& argument) {
    QList<QPair<QString, QVariantMap>> interfaces;
    argument.beginMap();
    while (!argument.atEnd()) {
        QString name;
        QVariantMap properties;
        argument.beginMapEntry();
        argument >> name >> properties;
        argument.endMapEntry();
        interfaces.append({name, properties});
    }
    argument.endMap();
    return interfaces;
}

}  // namespace

bool BluezObject::has(const QString& interface) const {
    for (const auto& entry : interfaces) {
        if (entry.first == interface) return true;
    }
    return false;
}

QVariant BluezObject::property(const QString& interface, const QString& name) const {
    for (const auto& entry : interfaces) {
        if (entry.first == interface) return entry.second.value(name);
    }
    return {};
}

QList<BluezObject> fetchObjects(const QDBusConnection& bus) {
    const QDBusMessage call = QDBusMessage::createMethodCall(
        kService, "/", "org.freedesktop.DBus.ObjectManager", "GetManagedObjects");
    const QDBusMessage reply = callBluez(bus, call);
    if (reply.arguments().isEmpty() || !reply.arguments().first().canConvert<QDBusArgument>()) {
        throw LinkError("bluetoothd sent an unexpected object list");
    }
    // Walked by hand: demarshalling into a QMap would lose bluetoothd's order.
    const auto argument = reply.arguments().first().value<QDBusArgument>();
    QList<BluezObject> objects;
    argument.beginMap();
    while (!argument.atEnd()) {
        QDBusObjectPath path;
        argument.beginMapEntry();
        argument >> path;
        objects.append({path.path(), readInterfaces(argument)});
        argument.endMapEntry();
    }
    argument.endMap();
    return objects;
}

const BluezObject* defaultAdapter(const QList<BluezObject>& objects) {
    const BluezObject* adapter = nullptr;
    for (const auto& object : objects) {
        if (!object.has(kAdapterInterface)) continue;
        if (object.property(kAdapterInterface, "Address").toString().isEmpty()) continue;
        if (adapter == nullptr || object.path < adapter->path) adapter = &object;
    }
    return adapter;
}

void setProperty(const QDBusConnection& bus, const QString& path, const QString& interface,
                 const QString& name, const QVariant& value) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, path, "org.freedesktop.DBus.Properties", "Set");
    call << interface << name << QVariant::fromValue(QDBusVariant(value));
    callBluez(bus, call);
}

}  // namespace velmora::bluez
