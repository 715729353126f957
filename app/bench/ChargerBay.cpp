#include "bench/ChargerBay.h"

#include <QDateTime>
#include <algorithm>
#include <utility>

#include "journal/JournalRecorder.h"
#include "journal/TickFromEvents.h"
#include "link/ChargerLink.h"
#include "link/Commands.h"
#include "link/LinkController.h"
#include "monitor/StageTable.h"

namespace velmora {

namespace {
// The card draws at most this many points of the voltage curve: the shape, not the detail.
constexpr std::size_t kCurvePoints = 240;
constexpr double kSecondsPerDay = 86400.0;

bool soundsLikeAFault(const std::string& status) {
    QString words = QString::fromStdString(status).toUpper();
    for (const char* fault : {"BAD", "WEAK", "REPLACE", "FAIL", "ERROR", "RUSAK", "GANTI"})
        if (words.contains(QLatin1String(fault))) return true;
    return false;
}

QString batteryOf(const journal::Profile& p) {
    if (!p.name.empty()) return QString::fromStdString(p.name);
    return QStringLiteral("%1 %2")
        .arg(QString::fromStdString(p.brand), QString::fromStdString(p.type))
        .trimmed();
}
}  // namespace

// The parts of a further bay, made in the order the references need them.
struct ChargerBay::Owned {
    LiveChargerState state;
    ChargerLink link;
    LinkController control;
    JournalRecorder journal;
    Owned(BluetoothPlatform& platform, const NumberFormat& format, const QString& documents)
        : link(state), control(platform, link) {
        link.setNumberFormat(format);
        // The bench remembers its bays; a further bay leaves "the last charger" alone.
        control.setRemembersDevices(false);
        if (!documents.isEmpty()) journal.setDocumentsFolder(documents);
    }
};

ChargerBay::ChargerBay(const QString& label, Parts parts, QObject* parent)
    : QObject(parent), m_label(label), m_parts(parts) {
    m_view.label = label;
}

ChargerBay::ChargerBay(const QString& label, BluetoothPlatform& platform,
                       const NumberFormat& format, const QString& documents, QObject* parent)
    : QObject(parent),
      m_label(label),
      m_owned(std::make_unique<Owned>(platform, format, documents)),
      m_parts{m_owned->state, m_owned->link, m_owned->control, m_owned->journal} {
    followConnection();
}

ChargerBay::~ChargerBay() {
    if (m_owned) stopWatching();
}

void ChargerBay::followConnection() {
    LinkController& control = m_parts.control;
    connect(&control, &LinkController::finished, this,
            [this](LinkController::Purpose purpose, bool ok) {
                if (purpose != LinkController::Purpose::Charger || !ok) return;
                ChargerLink& link = m_parts.link;
                link.startReader();
                try {
                    link.awaitAnswer();
                    link.Kirimstringdata(commands::kStart);
                } catch (const LinkError&) {
                    // Closed at once: the next tick sees the loss and reconnecting heals it.
                }
            });
    connect(&control, &LinkController::reconnectDue, this, [this] {
        LinkController& c = m_parts.control;
        if (c.connecting() || !c.lostCharger()) {
            c.postponeReconnect();
            return;
        }
        c.setAutomaticAttempt(true);
        m_parts.link.stopReaderAndRelease();
        if (!c.reconnectCharger(true)) c.reconnectFailed();
    });
}

std::optional<DeviceInfo> ChargerBay::device() const {
    const LinkController& c = m_parts.control;
    if (c.connecting() && c.device()) return c.device();
    if (c.lostCharger()) return c.lostCharger();
    if (c.lastCharger()) return c.lastCharger();
    return c.device();
}

bool ChargerBay::watching() const {
    const LinkController& c = m_parts.control;
    return c.chargerLinkUp() || c.connecting() || c.reconnecting();
}

bool ChargerBay::watch(const QString& address) {
    m_parts.link.stopReaderAndRelease();
    return m_parts.control.connectToAddress(LinkController::Purpose::Charger, address);
}

void ChargerBay::stopWatching() {
    m_parts.control.stopReconnecting();
    m_parts.control.shutDown();
    // The session ends as the link left it: stopped watching, written whole.
    if (m_parts.link.connected() && !m_parts.link.peerIsPrinter())
        m_parts.journal.stoppedWatching();
    m_parts.link.stopReaderAndRelease();
    m_parts.journal.close();
}

void ChargerBay::reconnectNow() {
    LinkController& c = m_parts.control;
    if (c.connecting() || !c.lostCharger()) return;
    m_parts.link.stopReaderAndRelease();
    c.reconnectCharger();
}

void ChargerBay::observe(const TickEvents& events, const QString& recordedLabel,
                         const ChartData& points) {
    LinkController& control = m_parts.control;
    ChargerLink& link = m_parts.link;
    if (m_owned) control.watchChargerLink();  // the window's own bay is watched by its refresh
    journal::SessionContext context;
    if (const auto& device = control.device()) {
        context.deviceName = device->name.toStdString();
        context.deviceAddress = device->address.toStdString();
    }
    context.profile = m_profile;
    context.bayLabel = recordedLabel.toStdString();
    context.utcOffsetMinutes = QDateTime::currentDateTime().offsetFromUtc() / 60;
    const bool charger = link.connected() && !link.peerIsPrinter() && link.readerRunning();
    journal::TickObservation tick =
        journal::observationOf(events, charger, std::move(context), link.heard());
    tick.linkMayReturn = control.chargerMayReturn();
    const int startCommands = link.startCommandsSent();
    tick.startCommandSent = startCommands != m_startCommandsSeen;
    m_startCommandsSeen = startCommands;
    m_parts.journal.observe(std::move(tick));
    updateView(events, points);
    if (events.results.after || events.results.test) emit resultCame(m_label, events);
}

void ChargerBay::backgroundChartStep(const NumberFormat& format) {
    // As the chart screen does: a new charge empties the charts.
    if (stageView(m_view.stage).clearCharts && m_view.link == BayView::Link::Live) {
        m_chart.voltage.clear();
        m_chart.current.clear();
    }
    const bool live = !m_parts.control.lostCharger();
    // A history item that is not a number stops the history there; the bay's card has no
    // place for the message, and the screens say it when the bay is shown.
    (void)chartStep(m_parts.state, format, m_chart, live);
}

void ChargerBay::updateView(const TickEvents& events, const ChartData& chart) {
    const LinkController& control = m_parts.control;
    BayView& v = m_view;
    v.label = m_label;
    if (const auto d = device()) {
        v.deviceName = d->name;
        v.deviceAddress = d->address;
    }
    if (control.connecting() && !control.reconnecting())
        v.link = BayView::Link::Connecting;
    else if (control.chargerLinkUp())
        v.link = BayView::Link::Live;
    else if (control.reconnecting())
        v.link = BayView::Link::Reconnecting;
    else
        v.link = BayView::Link::Lost;
    v.attempt = control.reconnectAttempt();
    v.battery = batteryOf(m_profile);
    const Measurement& m = events.measurement;
    const bool reading = m.stageNumber >= 1 && m.stageNumber <= 6;
    if (reading || v.link != BayView::Link::Live) {
        v.stage = reading ? m.stageNumber : v.stage;
    }
    if (reading) {
        v.voltage = m.chargeVoltage;
        v.current = m.chargeCurrent;
        v.progress = m.chargeProgress;
        v.elapsedSeconds = m.elapsedSeconds;
    }
    if (events.status.word == StatusWord::ChargeMode ||
        events.status.word == StatusWord::TestMode || events.status.batteryDetected) {
        v.result.clear();  // a new battery or run: the last one's words go
        v.outcome = BayView::Outcome::None;
    }
    if (const auto& after = events.results.after) {
        v.result = QString::fromStdString(after->status);
        v.outcome = soundsLikeAFault(after->status) ? BayView::Outcome::BatteryFault
                                                    : BayView::Outcome::Finished;
    }
    if (const auto& test = events.results.test) {
        v.result = QString::fromStdString(test->status);
        v.outcome = soundsLikeAFault(test->status) ? BayView::Outcome::BatteryFault
                                                   : BayView::Outcome::Finished;
    }
    // The card's curve: the voltage points, thinned evenly to the card's width.
    const auto& points = chart.voltage.points();
    v.curve.clear();
    const std::size_t step = std::max<std::size_t>(1, points.size() / kCurvePoints + 1);
    for (std::size_t i = 0; i < points.size(); i += step)
        v.curve.append(QPointF(points[i].x * kSecondsPerDay, points[i].y));
}

}  // namespace velmora
