#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

#include "chart/ChartData.h"
#include "journal/SessionTypes.h"
#include "link/BluetoothPlatform.h"
#include "link/ChargerState.h"
#include "link/NumberText.h"
#include "link/TickEvents.h"
#include "monitor/BayView.h"

namespace velmora {

class ChargerLink;
class JournalRecorder;
class LinkController;

// One watched charger on the bench: its link and receive thread, its live state, its
// reconnecting by itself, its charge journal recorder, its chart points and the label the
// user gave it. The window's own bay wraps the window's link and controllers (one charger
// works as it always did); every further bay owns its parts.
class ChargerBay : public QObject {
    Q_OBJECT
public:
    struct Parts {
        LiveChargerState& state;
        ChargerLink& link;
        LinkController& control;
        JournalRecorder& journal;
    };
    // The window's own bay.
    ChargerBay(const QString& label, Parts parts, QObject* parent);
    // A further bay with parts of its own; its journal records in `documents`.
    ChargerBay(const QString& label, BluetoothPlatform& platform, const NumberFormat& format,
               const QString& documents, QObject* parent);
    ~ChargerBay() override;

    bool ownsParts() const { return m_owned != nullptr; }
    const QString& label() const { return m_label; }
    void setLabel(const QString& label) {
        m_label = label;
        m_view.label = label;  // the card says it at once
    }
    LiveChargerState& state() { return m_parts.state; }
    ChargerLink& link() { return m_parts.link; }
    LinkController& control() { return m_parts.control; }
    const LinkController& control() const { return m_parts.control; }
    JournalRecorder& journal() { return m_parts.journal; }

    // The charger this bay watches (the one being connected, up, or lost), if any.
    std::optional<DeviceInfo> device() const;
    // Whether the bay watches a charger: linked, connecting or getting it back.
    bool watching() const;
    // Starts watching the charger at `address` (a bay of its own; the window's own bay is
    // connected through the connection dialog's flow). False when it is not listed.
    bool watch(const QString& address);
    // Ends the bay's receive thread and its reconnecting; a running session ends as
    // stopped watching and is written whole.
    void stopWatching();
    // The lost-link panel's "Sambungkan ulang" for a bay of its own: tried at once.
    void reconnectNow();

    // The battery chosen for this bay, recorded with its charges.
    const journal::Profile& profile() const { return m_profile; }
    void setProfile(const journal::Profile& profile) { m_profile = profile; }
    // The bay's chart points while the screens show another bay.
    ChartData& chart() { return m_chart; }

    // One refresh tick: notices the link going down (reconnecting then starts), records
    // what the tick saw in the journal and updates the card's view. The charts' step is
    // the caller's (the chart screen's for the bay shown, else `backgroundChartStep`).
    // `recordedLabel`: the bay's name kept with its charge (empty with one charger).
    // `points`: where the bay's chart points are now (the chart screen's while shown).
    void observe(const TickEvents& events, const QString& recordedLabel, const ChartData& points);
    // The chart step for a bay the screens do not show.
    void backgroundChartStep(const NumberFormat& format);
    const BayView& view() const { return m_view; }

signals:
    // A finished charge or a test result came (for the window's notification).
    void resultCame(const QString& label, const TickEvents& events);

private:
    struct Owned;
    void followConnection();
    void updateView(const TickEvents& events, const ChartData& points);

    QString m_label;
    std::unique_ptr<Owned> m_owned;
    Parts m_parts;
    journal::Profile m_profile;
    ChartData m_chart;
    BayView m_view;
    int m_startCommandsSeen = 0;
};

}  // namespace velmora
