#pragma once

#include <QPointF>
#include <QString>
#include <QVector>

namespace velmora {

// What one bay's card shows, taken once a second from the bay.
struct BayView {
    enum class Link { Connecting, Live, Reconnecting, Lost };
    enum class Outcome { None, Finished, BatteryFault };
    QString label;  // the user's name for the bay, "Rak 1"
    QString deviceName, deviceAddress;
    Link link = Link::Connecting;
    int attempt = 0;  // the reconnecting attempt, from 1
    QString battery;  // the battery chosen (brand type), empty when none
    int stage = 0;    // 1..6 while the charger reports one, 0 otherwise
    double voltage = 0, current = 0;
    int progress = 0;  // percent
    int elapsedSeconds = 0;
    QVector<QPointF> curve;  // (seconds, volts), at most a few hundred points
    QString result;          // the charger's status words once the charge or test ended
    Outcome outcome = Outcome::None;

    // Compared field by field so a card repaints only when what it shows changed.
    bool operator==(const BayView& o) const {
        return label == o.label && deviceName == o.deviceName && deviceAddress == o.deviceAddress &&
               link == o.link && attempt == o.attempt && battery == o.battery && stage == o.stage &&
               voltage == o.voltage && current == o.current && progress == o.progress &&
               elapsedSeconds == o.elapsedSeconds && curve == o.curve && result == o.result &&
               outcome == o.outcome;
    }
    bool operator!=(const BayView& o) const { return !(*this == o); }
};

}  // namespace velmora
