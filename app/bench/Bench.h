#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QVector>
#include <functional>
#include <optional>
#include <vector>

#include "bench/ChargerBay.h"
#include "link/RememberedDevices.h"

namespace velmora {

// The chargers the window watches at once, one bay each. The first bay is the window's
// own (its link, connection dialog and refresh, as with one charger); further bays are
// added from the bench screen or the command line. One bay is shown on the detail
// screens; every bay is ticked once a second and records its own charges.
class Bench : public QObject {
    Q_OBJECT
public:
    // Bluetooth Classic allows seven links per adapter.
    static constexpr int kMostBays = 7;

    Bench(ChargerBay* own, BluetoothPlatform& platform, const NumberFormat& format,
          QObject* parent);
    ~Bench() override;

    int count() const { return static_cast<int>(m_bays.size()); }
    ChargerBay& bay(int index) { return *m_bays.at(index); }
    ChargerBay& own() { return *m_bays.front(); }
    ChargerBay& shown() { return *m_bays.at(m_shown); }
    int shownIndex() const { return m_shown; }
    // Whether more than one charger is watched: printing then goes beside the links.
    bool several() const;

    // Where further bays keep their journal (the window's Documents folder).
    void setDocumentsFolder(const QString& documents);

    // Starts watching the charger at `address` in a bay of its own (the window's own bay
    // when it watches nothing). Returns the text to tell the user when refused: already
    // watched, the bench full, not listed.
    std::optional<QString> add(const QString& address, const QString& label = {});
    // Stops watching bay `index` (its session ends whole); the window's own bay stays, idle.
    void remove(int index);
    void setLabel(int index, const QString& label);
    // Chooses the bay the detail screens show.
    void select(int index);
    // The listed devices no bay watches, chargers first, never a printer known as one.
    QList<DeviceInfo> addable();
    // The sessions the bays record now (every one written first when `upToDate`).
    std::vector<int64_t> recordingSessions(bool upToDate);
    // Whether a bay watches the device at `address`.
    bool watches(const QString& address) const;

    // One refresh tick of every bay: `showTick` takes the shown bay's events to the screens
    // (and its chart step), every other bay records its own.
    void tick(const std::function<void(ChargerBay&, const TickEvents&)>& showTick);
    QVector<BayView> views() const;

    // Bays remembered across runs: written on every change, brought back at start-up
    // (when connecting at start-up is chosen).
    void setRemembered(RememberedDevices remembered) { m_remembered = std::move(remembered); }
    void rememberBays();
    void restoreBays();
    // A label for a new bay: "Rak N" with the first free N.
    QString freeLabel() const;
    // Ends every further bay's thread (the window closes).
    void shutDown();

    // How the window's own bay starts watching a charger (the connection dialog's flow)
    // and stops watching it.
    std::function<bool(const QString& address)> connectOwn;
    std::function<void()> stopOwn;
    // The chart points of the bay shown (the chart screen holds them meanwhile).
    std::function<const ChartData&()> shownChart;

signals:
    // The detail screens now show bay `to` instead of `from`.
    void shownChanged(int from, int to);
    // Bays were added, removed or renamed.
    void baysChanged();
    void message(const QString& text);
    void resultCame(const QString& label, const TickEvents& events);

private:
    ChargerBay* makeBay(const QString& label);

    BluetoothPlatform& m_platform;
    const NumberFormat& m_format;
    QString m_documents;
    std::vector<ChargerBay*> m_bays;  // children; the first is the window's own
    int m_shown = 0;
    RememberedDevices m_remembered;
};

}  // namespace velmora
