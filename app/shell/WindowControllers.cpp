#include "shell/WindowControllers.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLineEdit>
#include <utility>

#include "bench/Bench.h"
#include "bench/BenchScreenControl.h"
#include "bench/DetailScreens.h"
#include "catalogue/ProfileSelector.h"
#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "journal/SessionCertificate.h"
#include "journal/TickFromEvents.h"
#include "link/ChargerLink.h"
#include "link/ConnectionDialog.h"
#include "link/ConnectionFlow.h"
#include "link/LinkController.h"
#include "logger/DataLogger.h"
#include "monitor/ChartScreen.h"
#include "monitor/DashboardScreen.h"
#include "printing/CertificateControls.h"
#include "printing/InformationDialog.h"
#include "printing/PrintJob.h"
#include "printing/ReceiptPreview.h"
#include "printing/ReceiptPrinter.h"
#include "printing/VirtualPrinter.h"
#include "printing/WarrantyCertificates.h"
#include "shell/OptionScreen.h"
#include "shell/TopBar.h"
#include "shell/WindowContent.h"
#include "shell/desktop/EventNotifier.h"
#include "shell/desktop/KeepAwake.h"

namespace velmora {

WindowControllers::WindowControllers(const Needs& needs, WindowContent& ui, QObject* parent)
    : QObject(parent), m_link(needs.link), m_ownState(needs.state) {
    profile = new ProfileSelector(
        ui.diagnostic, needs.catalogue, [this]() -> LiveChargerState& { return shownState(); },
        needs.format, this);
    QObject::connect(profile, &ProfileSelector::titleChanged, ui.dashboard,
                     &DashboardScreen::showBattery);
    makeLink(needs, ui);
    makePrinting(needs, ui);
    makeLogger(needs, ui);
    journal = new JournalRecorder(this);
    QObject::connect(journal, &JournalRecorder::problem, this, &WindowControllers::message);
    makeBench(needs, ui);
    makeComforts(ui, parent);
}

ChargerBay& WindowControllers::shownBay() const {
    return bench->shown();
}

LiveChargerState& WindowControllers::shownState() const {
    // Asked for before the bench exists only while the controllers are made.
    return bench ? bench->shown().state() : m_ownState;
}

void WindowControllers::makeBench(const Needs& needs, WindowContent& ui) {
    auto* own =
        new ChargerBay(QString(), {needs.state, needs.link, *linkControl, *journal}, nullptr);
    bench = new Bench(own, needs.platform, needs.format, this);
    bench->connectOwn = [this](const QString& address) {
        return connectionFlow->connectCharger(address);
    };
    bench->stopOwn = [this] { connectionFlow->stopWatching(); };
    bench->shownChart = [chart = ui.chart]() -> const ChartData& { return chart->data(); };
    QObject::connect(bench, &Bench::message, this, &WindowControllers::message);
    benchScreen = new BenchScreenControl(*bench, ui.bench, this);
    // The detail screens say which bay they show once there is more than one.
    const auto nameShownBay = [this, topBar = ui.topBar] {
        topBar->showBayName(bench->several() ? bench->shown().label() : QString());
    };
    QObject::connect(bench, &Bench::baysChanged, this, nameShownBay);
    QObject::connect(bench, &Bench::shownChanged, this, nameShownBay);
    QObject::connect(bench, &Bench::resultCame, this, &WindowControllers::notifyResults);
    QObject::connect(bench, &Bench::shownChanged, this,
                     [this, screens = &ui, format = &needs.format](int from, int to) {
                         showBayInDetail(bench->bay(from), bench->bay(to),
                                         {screens->dashboard, screens->diagnostic, screens->chart,
                                          profile, format});
                         emit linkStatusChanged();
                     });
    // With several chargers the refresh runs whatever the window's own link does.
    QObject::connect(bench, &Bench::baysChanged, this, [this, timer = needs.refresh] {
        if (bench->several()) timer->start();
    });
}

void WindowControllers::afterTick() {
    bool anyUp = false;
    for (int i = 0; i < bench->count(); ++i)
        anyUp = anyUp || bench->bay(i).control().chargerLinkUp();
    keepAwake->follow(anyUp);
    benchScreen->afterTick();
}

void WindowControllers::makeComforts(WindowContent& ui, QObject* window) {
    keepAwake = new KeepAwake(createSleepBlocker(), this);
    // The hand-over to a printer stops the refresh: the link's own changes are followed too.
    QObject::connect(this, &WindowControllers::linkStatusChanged, keepAwake,
                     [this] { keepAwake->follow(linkControl->chargerLinkUp()); });
    notifier = new EventNotifier(qobject_cast<QWidget*>(window), createNotificationService(), this);
    ui.option->CheckNotify->setChecked(notifier->enabled());
    QObject::connect(ui.option->CheckNotify, &QCheckBox::toggled, notifier,
                     &EventNotifier::setEnabled);
    QObject::connect(linkControl, &LinkController::reconnectChanged, notifier, [this] {
        const bool gaveUp = linkControl->reconnectGaveUp();
        if (gaveUp && !m_gaveUpSaid && linkControl->lostCharger())
            notifier->notify(tr("Koneksi charger terputus"),
                             tr("%1 tidak kembali. Sambungkan ulang dari dashboard.")
                                 .arg(linkControl->lostCharger()->name));
        m_gaveUpSaid = gaveUp;
    });
}

void WindowControllers::notifyResults(const QString& label, const TickEvents& events) {
    // Named by its bay when several chargers are watched: which battery is done.
    const auto titled = [&](const QString& title) {
        return bench->several() ? tr("%1: %2").arg(label, title) : title;
    };
    if (const auto& after = events.results.after)
        notifier->notify(
            titled(tr("Pengisian selesai")),
            after->status.empty()
                ? tr("Hasil setelah pengisian sudah masuk")
                : tr("Hasil setelah pengisian: %1").arg(QString::fromStdString(after->status)));
    if (const auto& test = events.results.test)
        notifier->notify(titled(tr("Hasil tes aki")),
                         tr("%1, CCA %2").arg(QString::fromStdString(test->status)).arg(test->cca));
}

void WindowControllers::makeLink(const Needs& needs, WindowContent& ui) {
    linkControl = new LinkController(needs.platform, needs.link, RememberedDevices(), this);
    linkControl->addDeviceBox(ui.connection->ComboDevice);
    QObject::connect(linkControl, &LinkController::message, this, &WindowControllers::message);
    QObject::connect(linkControl, &LinkController::error, this, &WindowControllers::error);
    connectionFlow = new ConnectionFlow(
        *linkControl, needs.link, ui.connection, needs.refresh,
        {[this] { return printJob->printing(); }, [this] { return printJob->hasKeptReceipt(); },
         [this] { printJob->forgetKeptReceipt(); }, [this] { return bench && bench->several(); }},
        this);
    QObject::connect(connectionFlow, &ConnectionFlow::message, this, &WindowControllers::message);
    QObject::connect(connectionFlow, &ConnectionFlow::error, this, &WindowControllers::error);
    QObject::connect(connectionFlow, &ConnectionFlow::statusChanged, this,
                     &WindowControllers::linkStatusChanged);
    QObject::connect(connectionFlow, &ConnectionFlow::chargerHandedToPrinter, this,
                     [this] { journal->printerHandOver(); });
    QObject::connect(connectionFlow, &ConnectionFlow::chargerLeft, this,
                     [this] { journal->stoppedWatching(); });
    QObject::connect(
        connectionFlow, &ConnectionFlow::printerConnected, this,
        [this](LinkController::Purpose purpose, bool ok) { printJob->afterConnect(purpose, ok); });
    QObject::connect(connectionFlow, &ConnectionFlow::connectionFinished, this,
                     &WindowControllers::connectionFinished);
    QObject::connect(ui.dashboard->PanelLinkLost->BTBerhenti, &QAbstractButton::clicked, this,
                     [this] { shownBay().control().stopReconnecting(); });
    ui.option->CheckAutoConnect->setChecked(linkControl->remembered().autoConnect());
    QObject::connect(ui.option->CheckAutoConnect, &QCheckBox::toggled, this,
                     [this](bool on) { linkControl->remembered().setAutoConnect(on); });
    QObject::connect(ui.option, &OptionScreen::languageChosen, this, &WindowControllers::message);
    QObject::connect(linkControl, &LinkController::reconnectChanged, this,
                     &WindowControllers::linkStatusChanged);
}

void WindowControllers::makePrinting(const Needs& needs, WindowContent& ui) {
    certificates = new WarrantyCertificates(DealerKeys::defaultFolder(), this);
    certificates->dealerName = [&ui] { return ui.informationDialog()->EditStore->text(); };
    certificateControls = new CertificateControls(*certificates, ui.content, this);
    certificateControls->attachOption(ui.option->CheckCertificate);
    QObject::connect(certificateControls, &CertificateControls::message, this,
                     &WindowControllers::message);
    QObject::connect(ui.option->BTPeriksa, &QAbstractButton::clicked, certificateControls,
                     &CertificateControls::openCheck);
    receipts = new ReceiptPrinter(
        {[this]() -> LiveChargerState& { return shownState(); }, &needs.link,
         [this] { return profile->shown(); }, ui.chart, needs.format, certificates,
         [this](certificate::CertificateRecord& record, bool charge) {
             recordFromSession(record, charge);
         }},
        this);
    QObject::connect(receipts, &ReceiptPrinter::certificatePrinted, this,
                     &WindowControllers::keepCertificate);
    printJob = new PrintJob(*receipts, needs.link, ui.connection, this);
    QObject::connect(printJob, &PrintJob::statusChanged, this,
                     &WindowControllers::linkStatusChanged);
    QObject::connect(printJob, &PrintJob::error, this, &WindowControllers::error);
    QObject::connect(printJob, &PrintJob::finished, this, &WindowControllers::printFinished);
    QObject::connect(printJob, &PrintJob::finished, connectionFlow,
                     &ConnectionFlow::returnToCharger,
                     Qt::QueuedConnection);  // after the job has left its printing state
    QObject::connect(connectionFlow, &ConnectionFlow::networkPrinterChosen, printJob,
                     &PrintJob::printOnNetwork);
    QObject::connect(printJob, &PrintJob::printerWanted, connectionFlow,
                     [this] { connectionFlow->openDialog(true); });
    virtualPrinter = new VirtualPrinter(this);
    virtualPrinter->attachTo(needs.platform);
    QObject::connect(virtualPrinter, &VirtualPrinter::receiptPrinted, ui.layoutStruk,
                     &ReceiptPreview::showReceipt);
}

void WindowControllers::recordFromSession(certificate::CertificateRecord& record, bool charge) {
    const std::optional<int64_t> id = journal->recordingSessionId();
    if (!id) return;  // a loaded log or no journal: what the live state knows only
    try {
        journal::JournalOptions reading;
        reading.create = false;
        reading.readOnly = true;
        const auto session = journal::Journal::open(journal->nativePath(), reading)->session(*id);
        if (session && (session->summary.start.kind == journal::SessionKind::Charge) == charge)
            journal::fillFromSession(record, *session);
    } catch (const std::exception&) {
        // The certificate then carries what the live state knows; the journal says its own
        // troubles when it records.
    }
}

void WindowControllers::keepCertificate(const QString& qrText, bool charge) {
    try {
        // A second connection beside the recorder's: one short transaction.
        auto file = journal::Journal::open(journal->nativePath());
        std::optional<int64_t> id = journal->recordingSessionId();
        journal::ListQuery newest;
        newest.limit = 20;
        for (const journal::SessionSummary& s :
             id ? std::vector<journal::SessionSummary>() : file->list(newest))
            if ((s.start.kind == journal::SessionKind::Charge) == charge) {
                id = s.id;
                break;
            }
        if (!id) return;  // printed from a loaded log: no session to keep it with
        file->keepCertificate(*id, {certificates->job, qrText.toStdString()});
    } catch (const std::exception&) {
        emit message(tr("Sertifikat tercetak, tetapi tidak tersimpan di riwayat"));
    }
}

void WindowControllers::makeLogger(const Needs& needs, WindowContent& ui) {
    logger = new DataLogger({[this]() -> LiveChargerState& { return shownState(); }, needs.format,
                             ui.layoutSave, ui.option->ListBox1, ui.diagnostic, ui.dashboard,
                             [this](const QString& text) { emit message(text); },
                             [this](const QString& text) { emit error(text); },
                             [this, loaded = needs.logLoaded] {
                                 loaded();
                                 profile->markLoadedFromLog();
                             },
                             ui.content},
                            this);
}

}  // namespace velmora
