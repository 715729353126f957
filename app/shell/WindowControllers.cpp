#include "shell/WindowControllers.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLineEdit>
#include <utility>

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
#include "monitor/DashboardScreen.h"
#include "printing/CertificateControls.h"
#include "printing/InformationDialog.h"
#include "printing/PrintJob.h"
#include "printing/ReceiptPreview.h"
#include "printing/ReceiptPrinter.h"
#include "printing/VirtualPrinter.h"
#include "printing/WarrantyCertificates.h"
#include "shell/OptionScreen.h"
#include "shell/WindowContent.h"
#include "shell/desktop/EventNotifier.h"
#include "shell/desktop/KeepAwake.h"

namespace velmora {

WindowControllers::WindowControllers(const Needs& needs, WindowContent& ui, QObject* parent)
    : QObject(parent), m_link(needs.link) {
    profile = new ProfileSelector(ui.diagnostic, needs.catalogue, needs.state, needs.format, this);
    QObject::connect(profile, &ProfileSelector::titleChanged, ui.dashboard,
                     &DashboardScreen::showBattery);
    makeLink(needs, ui);
    makePrinting(needs, ui);
    makeLogger(needs, ui);
    journal = new JournalRecorder(this);
    QObject::connect(journal, &JournalRecorder::problem, this, &WindowControllers::message);
    makeComforts(ui, parent);
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

void WindowControllers::notifyResults(const TickEvents& events) {
    if (const auto& after = events.results.after)
        notifier->notify(
            tr("Pengisian selesai"),
            after->status.empty()
                ? tr("Hasil setelah pengisian sudah masuk")
                : tr("Hasil setelah pengisian: %1").arg(QString::fromStdString(after->status)));
    if (const auto& test = events.results.test)
        notifier->notify(tr("Hasil tes aki"),
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
         [this] { printJob->forgetKeptReceipt(); }},
        this);
    QObject::connect(connectionFlow, &ConnectionFlow::message, this, &WindowControllers::message);
    QObject::connect(connectionFlow, &ConnectionFlow::error, this, &WindowControllers::error);
    QObject::connect(connectionFlow, &ConnectionFlow::statusChanged, this,
                     &WindowControllers::linkStatusChanged);
    QObject::connect(connectionFlow, &ConnectionFlow::chargerHandedToPrinter, this,
                     [this] { journal->printerHandOver(); });
    QObject::connect(
        connectionFlow, &ConnectionFlow::printerConnected, this,
        [this](LinkController::Purpose purpose, bool ok) { printJob->afterConnect(purpose, ok); });
    QObject::connect(connectionFlow, &ConnectionFlow::connectionFinished, this,
                     &WindowControllers::connectionFinished);
    QObject::connect(ui.dashboard->PanelLinkLost->BTBerhenti, &QAbstractButton::clicked,
                     linkControl, &LinkController::stopReconnecting);
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
    receipts = new ReceiptPrinter({&needs.state, &needs.link, [this] { return profile->shown(); },
                                   ui.chart, needs.format, certificates,
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
    logger = new DataLogger(
        {needs.state, needs.format, ui.layoutSave, ui.option->ListBox1, ui.diagnostic, ui.dashboard,
         [this](const QString& text) { emit message(text); },
         [this](const QString& text) { emit error(text); },
         [this, loaded = needs.logLoaded] {
             loaded();
             profile->markLoadedFromLog();
         },
         ui.content},
        this);
}

void WindowControllers::observeTick(const TickEvents& events) {
    keepAwake->follow(linkControl->chargerLinkUp());
    notifyResults(events);
    journal::SessionContext context;
    if (const auto& device = linkControl->device()) {
        context.deviceName = device->name.toStdString();
        context.deviceAddress = device->address.toStdString();
    }
    context.profile = profile->chargeProfile();
    context.utcOffsetMinutes = QDateTime::currentDateTime().offsetFromUtc() / 60;
    const bool charger = m_link.connected() && !m_link.peerIsPrinter() && m_link.readerRunning();
    journal::TickObservation tick =
        journal::observationOf(events, charger, std::move(context), m_link.heard());
    tick.linkMayReturn = linkControl->chargerMayReturn();
    const int startCommands = m_link.startCommandsSent();
    tick.startCommandSent = startCommands != m_startCommandsSeen;
    m_startCommandsSeen = startCommands;
    journal->observe(std::move(tick));
}

}  // namespace velmora
