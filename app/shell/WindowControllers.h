#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QTimer;

namespace velmora {

namespace certificate {
struct CertificateRecord;
}

class Bench;
class BenchScreenControl;
class BluetoothPlatform;
class ChargerBay;
class CertificateControls;
class ChargerLink;
class ConnectionFlow;
class Dataaki;
class DataLogger;
class EventNotifier;
class KeepAwake;
class JournalRecorder;
class LinkController;
class LiveChargerState;
class PrintJob;
class ProfileSelector;
class ReceiptPrinter;
class VirtualPrinter;
class WarrantyCertificates;
class WindowContent;
struct NumberFormat;
struct TickEvents;

// The window's controllers, made in their order and joined to one another: the battery
// choice, the link and its connection flow, the receipts and their print job, the
// simulated printer, the data logger and the charge journal. What the user must hear and
// the link's line due again go to the window as signals.
class WindowControllers : public QObject {
    Q_OBJECT
public:
    struct Needs {
        LiveChargerState& state;
        ChargerLink& link;
        BluetoothPlatform& platform;
        QTimer* refresh;
        const Dataaki& catalogue;
        const NumberFormat& format;
        // A log was loaded into the live state: the reported profile is to be applied.
        std::function<void()> logLoaded;
    };
    WindowControllers(const Needs& needs, WindowContent& ui, QObject* parent);

    ProfileSelector* profile = nullptr;
    LinkController* linkControl = nullptr;
    ConnectionFlow* connectionFlow = nullptr;
    ReceiptPrinter* receipts = nullptr;
    PrintJob* printJob = nullptr;
    WarrantyCertificates* certificates = nullptr;
    CertificateControls* certificateControls = nullptr;
    VirtualPrinter* virtualPrinter = nullptr;
    DataLogger* logger = nullptr;
    JournalRecorder* journal = nullptr;
    KeepAwake* keepAwake = nullptr;
    EventNotifier* notifier = nullptr;
    // The chargers watched; its first bay is the window's own link.
    Bench* bench = nullptr;
    BenchScreenControl* benchScreen = nullptr;

    // The bay the detail screens show, and its live state.
    ChargerBay& shownBay() const;
    LiveChargerState& shownState() const;
    // After every bay's tick: the computer stays awake while any charger link is up.
    void afterTick();

signals:
    void message(const QString& text);
    void error(const QString& text);
    void linkStatusChanged();
    void connectionFinished(bool ok);
    void printFinished(const QString& error);

private:
    ChargerLink& m_link;
    LiveChargerState& m_ownState;
    void makeBench(const Needs& needs, WindowContent& ui);
    void makeLink(const Needs& needs, WindowContent& ui);
    void makePrinting(const Needs& needs, WindowContent& ui);
    void makeLogger(const Needs& needs, WindowContent& ui);
    void makeComforts(WindowContent& ui, QObject* window);
    // Says a finished charge or a test result from across the room; `label` names the
    // bay when several are watched.
    void notifyResults(const QString& label, const TickEvents& events);
    bool m_gaveUpSaid = false;
    // Adds the recorded session's charger and charge summary to a certificate's record.
    void recordFromSession(certificate::CertificateRecord& record, bool charge);
    // Keeps a printed certificate with the session it was printed for.
    void keepCertificate(const QString& qrText, bool charge);
};

}  // namespace velmora
