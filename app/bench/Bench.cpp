#include "bench/Bench.h"

#include <algorithm>

#include "journal/JournalRecorder.h"
#include "link/ChargerLink.h"
#include "link/LinkController.h"

namespace velmora {

Bench::Bench(ChargerBay* own, BluetoothPlatform& platform, const NumberFormat& format,
             QObject* parent)
    : QObject(parent), m_platform(platform), m_format(format) {
    own->setParent(this);
    if (own->label().isEmpty()) own->setLabel(freeLabel());
    m_bays.push_back(own);
    connect(own, &ChargerBay::resultCame, this, &Bench::resultCame);
}

Bench::~Bench() {
    shutDown();
}

void Bench::shutDown() {
    for (ChargerBay* bay : m_bays)
        if (bay->ownsParts()) bay->stopWatching();
}

bool Bench::several() const {
    return m_bays.size() > 1;
}

void Bench::setDocumentsFolder(const QString& documents) {
    m_documents = documents;
    for (ChargerBay* bay : m_bays)
        if (bay->ownsParts()) bay->journal().setDocumentsFolder(documents);
}

QString Bench::freeLabel() const {
    for (int n = 1;; ++n) {
        const QString label = tr("Rak %1").arg(n);
        if (std::none_of(m_bays.begin(), m_bays.end(),
                         [&](const ChargerBay* b) { return b->label() == label; }))
            return label;
    }
}

bool Bench::watches(const QString& address) const {
    return std::any_of(m_bays.begin(), m_bays.end(), [&](const ChargerBay* b) {
        const auto device = b->device();
        return b->watching() && device && device->address == address;
    });
}

ChargerBay* Bench::makeBay(const QString& label) {
    auto* bay = new ChargerBay(label.isEmpty() ? freeLabel() : label, m_platform, m_format,
                               m_documents, this);
    connect(bay, &ChargerBay::resultCame, this, &Bench::resultCame);
    connect(&bay->journal(), &JournalRecorder::problem, this, [this, bay](const QString& text) {
        emit message(tr("%1: %2").arg(bay->label(), text));
    });
    return bay;
}

std::optional<QString> Bench::add(const QString& address, const QString& label) {
    if (watches(address)) return tr("Charger ini sudah dipantau");
    const std::optional<DeviceInfo> listed = own().control().listedDevice(address);
    if (!listed) return tr("Charger tidak ditemukan di daftar perangkat");
    if (m_platform.isKnownPrinter(*listed) || m_platform.isNetworkPrinter(*listed))
        return tr("Perangkat ini printer, bukan charger");
    ChargerBay& own = this->own();
    if (!own.watching() && !own.control().connecting()) {
        // The window's own bay is idle: it takes the charger, as the connection dialog would.
        if (!label.isEmpty()) own.setLabel(label);
        if (!connectOwn || !connectOwn(address)) return tr("Charger tidak dapat disambungkan");
        rememberBays();
        emit baysChanged();
        return std::nullopt;
    }
    if (count() >= kMostBays) return tr("Paling banyak %1 charger sekaligus").arg(kMostBays);
    ChargerBay* bay = makeBay(label);
    if (!bay->watch(address)) {
        delete bay;
        return tr("Charger tidak dapat disambungkan");
    }
    m_bays.push_back(bay);
    rememberBays();
    emit baysChanged();
    return std::nullopt;
}

void Bench::remove(int index) {
    if (index < 0 || index >= count()) return;
    ChargerBay* bay = m_bays.at(index);
    if (index == 0) {
        if (stopOwn) stopOwn();
    } else {
        if (m_shown == index) select(0);
        bay->stopWatching();
        m_bays.erase(m_bays.begin() + index);
        if (m_shown > index) --m_shown;
        bay->deleteLater();
    }
    rememberBays();
    emit baysChanged();
}

void Bench::setLabel(int index, const QString& label) {
    const QString trimmed = label.trimmed();
    if (index < 0 || index >= count() || trimmed.isEmpty()) return;
    m_bays.at(index)->setLabel(trimmed);
    rememberBays();
    emit baysChanged();
}

void Bench::select(int index) {
    if (index < 0 || index >= count() || index == m_shown) return;
    const int from = std::exchange(m_shown, index);
    emit shownChanged(from, index);
}

QList<DeviceInfo> Bench::addable() {
    QList<DeviceInfo> chargers, others;
    try {
        if (!m_platform.radioPresent()) return {};
        for (const DeviceInfo& device : m_platform.pairedDevices()) {
            if (watches(device.address)) continue;
            if (m_platform.isKnownPrinter(device) || m_platform.isNetworkPrinter(device)) continue;
            (m_platform.isKnownCharger(device) ? chargers : others).append(device);
        }
    } catch (const LinkError&) {
        return {};
    }
    return chargers + others;
}

std::vector<int64_t> Bench::recordingSessions(bool upToDate) {
    std::vector<int64_t> ids;
    for (ChargerBay* bay : m_bays) {
        if (upToDate) bay->journal().sync();
        if (const auto id = bay->journal().recordingSessionId()) ids.push_back(*id);
    }
    return ids;
}

void Bench::tick(const std::function<void(ChargerBay&, const TickEvents&)>& showTick) {
    for (int i = 0; i < count(); ++i) {
        ChargerBay& bay = *m_bays.at(i);
        const TickEvents events = takeTickEvents(bay.state());
        if (i == m_shown) {
            showTick(bay, events);
        } else {
            if (!bay.ownsParts()) bay.control().watchChargerLink();
            bay.backgroundChartStep(m_format);
        }
        // With one charger the journal stays as it always was: no bay named.
        const bool onScreen = i == m_shown && shownChart;
        bay.observe(events, several() ? bay.label() : QString(),
                    onScreen ? shownChart() : bay.chart());
    }
}

QVector<BayView> Bench::views() const {
    QVector<BayView> views;
    for (const ChargerBay* bay : m_bays) views.append(bay->view());
    return views;
}

void Bench::rememberBays() {
    QList<RememberedDevices::Bay> bays;
    for (const ChargerBay* bay : m_bays)
        if (const auto device = bay->device()) bays.append({bay->label(), *device});
    m_remembered.setBays(bays);
}

void Bench::restoreBays() {
    // Read whole first: every bay added below writes the list again.
    const QList<RememberedDevices::Bay> bays = m_remembered.bays();
    for (const RememberedDevices::Bay& remembered : bays) {
        const QString& address = remembered.device.address;
        // The window's own bay may be on its way back already, as the last charger.
        const auto watching = std::find_if(m_bays.begin(), m_bays.end(), [&](ChargerBay* b) {
            const auto device = b->device();
            return b->watching() && device && device->address == address;
        });
        if (watching != m_bays.end())
            (*watching)->setLabel(remembered.label);
        else
            add(address, remembered.label);  // quietly, as the last charger at start-up: one
                                             // switched off or unpaired says nothing
    }
    rememberBays();
    emit baysChanged();
}

}  // namespace velmora
