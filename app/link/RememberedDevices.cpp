#include "link/RememberedDevices.h"

#include <QSettings>
#include <memory>

namespace velmora {

namespace {
QString group(RememberedDevices::Role role) {
    return role == RememberedDevices::Role::Charger ? QStringLiteral("lastCharger")
                                                    : QStringLiteral("lastPrinter");
}

std::unique_ptr<QSettings> open(const QString& file) {
    if (!file.isEmpty()) return std::make_unique<QSettings>(file, QSettings::IniFormat);
    return std::make_unique<QSettings>(QStringLiteral("Velmora"), QStringLiteral("Velmora Tester"));
}
}  // namespace

RememberedDevices::RememberedDevices(QString settingsFile) : m_file(std::move(settingsFile)) {}

std::optional<DeviceInfo> RememberedDevices::last(Role role) const {
    const auto settings = open(m_file);
    settings->beginGroup(group(role));
    DeviceInfo device;
    device.address = settings->value(QStringLiteral("address")).toString();
    device.name = settings->value(QStringLiteral("name")).toString();
    if (device.address.isEmpty()) return std::nullopt;
    return device;
}

bool RememberedDevices::autoConnect() const {
    return open(m_file)->value(QStringLiteral("autoConnect"), false).toBool();
}

void RememberedDevices::setAutoConnect(bool on) {
    open(m_file)->setValue(QStringLiteral("autoConnect"), on);
}

QStringList RememberedDevices::networkPrinters() const {
    return open(m_file)->value(QStringLiteral("networkPrinters")).toStringList();
}

void RememberedDevices::addNetworkPrinter(const QString& address) {
    const auto settings = open(m_file);
    QStringList printers = settings->value(QStringLiteral("networkPrinters")).toStringList();
    if (printers.contains(address)) return;
    printers.append(address);
    settings->setValue(QStringLiteral("networkPrinters"), printers);
}

QList<RememberedDevices::Bay> RememberedDevices::bays() const {
    const auto settings = open(m_file);
    QList<Bay> bays;
    const int count = settings->beginReadArray(QStringLiteral("bays"));
    for (int i = 0; i < count; ++i) {
        settings->setArrayIndex(i);
        Bay bay;
        bay.label = settings->value(QStringLiteral("label")).toString();
        bay.device.address = settings->value(QStringLiteral("address")).toString();
        bay.device.name = settings->value(QStringLiteral("name")).toString();
        if (!bay.device.address.isEmpty()) bays.append(bay);
    }
    settings->endArray();
    return bays;
}

void RememberedDevices::setBays(const QList<Bay>& bays) {
    const auto settings = open(m_file);
    settings->remove(QStringLiteral("bays"));
    settings->beginWriteArray(QStringLiteral("bays"), static_cast<int>(bays.size()));
    for (int i = 0; i < bays.size(); ++i) {
        settings->setArrayIndex(i);
        settings->setValue(QStringLiteral("label"), bays.at(i).label);
        settings->setValue(QStringLiteral("address"), bays.at(i).device.address);
        settings->setValue(QStringLiteral("name"), bays.at(i).device.name);
    }
    settings->endArray();
}

void RememberedDevices::remember(Role role, const DeviceInfo& device) {
    const auto settings = open(m_file);
    settings->beginGroup(group(role));
    settings->setValue(QStringLiteral("address"), device.address);
    settings->setValue(QStringLiteral("name"), device.name);
}

}  // namespace velmora
