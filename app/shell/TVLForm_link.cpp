// Bluetooth start-up, the connection dialog, connecting to the charger or the printer,
// the send routine and the force stop: hand-overs to the link controller.
#include <QApplication>
#include <QCheckBox>

#include "journal/JournalRecorder.h"
#include "link/Commands.h"
#include "link/ConnectionDialog.h"
#include "link/LinkController.h"
#include "link/LinkMessages.h"
#include "monitor/DashboardScreen.h"
#include "printing/PrintJob.h"
#include "shell/Dialogs.h"
#include "shell/OptionScreen.h"
#include "shell/TVLForm.h"

namespace velmora {

namespace {
const QString kChargerUnreachable = QString::fromUtf8(kDeviceUnreachableMessage);
const QString kChargerIsNoPrinter =
    QStringLiteral("Perangkat ini charger, bukan printer. Pilih printer untuk mencetak");
}  // namespace

void TVLForm::buildLink() {
    m_linkControl = new LinkController(*m_platform, *m_link, RememberedDevices(), this);
    m_linkControl->addDeviceBox(m_connection->ComboDevice);
    connect(m_linkControl, &LinkController::message, this, &TVLForm::showMessage);
    connect(m_linkControl, &LinkController::error, this, &TVLForm::reportError);
    connect(m_linkControl, &LinkController::finished, this, &TVLForm::finishConnect);
    connect(m_dashboard->PanelLinkLost->BTSambungUlang, &QAbstractButton::clicked, this,
            &TVLForm::BTSambungUlangClick);
    connect(m_dashboard->PanelLinkLost->BTBerhenti, &QAbstractButton::clicked, m_linkControl,
            &LinkController::stopReconnecting);
    connect(m_linkControl, &LinkController::reconnectDue, this, &TVLForm::reconnectDue);
    m_option->CheckAutoConnect->setChecked(m_linkControl->remembered().autoConnect());
    connect(m_option->CheckAutoConnect, &QCheckBox::toggled, this,
            [this](bool on) { m_linkControl->remembered().setAutoConnect(on); });
    connect(m_linkControl, &LinkController::reconnectChanged, this, &TVLForm::updateLinkStatus);
}

bool TVLForm::connecting() const {
    return m_linkControl->connecting();
}

bool TVLForm::ManagerConnected() {
    return m_linkControl->radioPresent();
}

void TVLForm::PairedDevices() {
    m_linkControl->listPairedDevices();
}

void TVLForm::checkBT() {
    m_linkControl->startUp(false);
}

void TVLForm::ComboDeviceClick() {
    checkBT();
}

void TVLForm::openConnectionDialog(bool forPrinter) {
    m_printJob->forgetKeptReceipt();  // the dashboard's buttons print the live results
    checkBT();                        // the dialog opens even when Bluetooth is off
    m_linkControl->chooseLast(m_connection->ComboDevice, forPrinter
                                                             ? RememberedDevices::Role::Printer
                                                             : RememberedDevices::Role::Charger);
    m_connection->setPrinterMode(forPrinter);
    m_chargerPanelMode = !forPrinter;
    m_printerPanelMode = forPrinter;
    m_connection->open();
}

void TVLForm::BTConnectionClick() {
    openConnectionDialog(false);
}

void TVLForm::BTPrintClick() {
    openConnectionDialog(true);
}

void TVLForm::RectLayoutBTClick() {
    if (connecting() || printing()) return;
    m_connection->close();
    returnToCharger();  // a receipt that never went out gives the link back too
}

void TVLForm::returnToCharger() {
    if (!m_linkControl->chargerToReturnTo() || connecting() || printing()) return;
    m_link->stopReaderAndRelease();  // the printer's link
    m_chargerPanelMode = true;       // the charger's commands go out again
    m_printerPanelMode = false;
    if (m_linkControl->returnToCharger()) connectionStarted();
}

void TVLForm::BTConnectClick() {
    if (connecting() || printing()) return;
    if (m_printerPanelMode) {
        if (refuseChargerAsPrinter()) return;
        m_linkControl->holdChargerForPrint();
        m_link->readerStop() = true;
        m_timerloop->stop();
        m_link->stopReaderAndRelease();
        m_journal->printerHandOver();  // no tick follows to see the charger gone
        beginConnect(m_printJob->hasKeptReceipt() ? LinkController::Purpose::PrintKept
                                                  : LinkController::Purpose::PrintCharge);
        return;
    }
    if (!m_chargerPanelMode) return;
    m_link->stopReaderAndRelease();
    beginConnect(LinkController::Purpose::Charger);
}

void TVLForm::BTReportClick() {
    if (connecting() || printing() || !m_printerPanelMode) return;
    if (refuseChargerAsPrinter()) return;
    m_linkControl->holdChargerForPrint();
    m_link->stopReaderAndRelease();  // the refresh timer is left as it is
    m_journal->printerHandOver();
    beginConnect(LinkController::Purpose::PrintTest);
}

bool TVLForm::refuseChargerAsPrinter() {
    // A charger cannot print: monitoring goes on and the user learns why nothing printed.
    if (!m_linkControl->isCharger(m_connection->ComboDevice->currentIndex())) return false;
    showMessage(kChargerIsNoPrinter);
    return true;
}

void TVLForm::BTSambungUlangClick() {
    if (connecting() || printing() || !m_linkControl->lostCharger()) return;
    m_link->stopReaderAndRelease();  // the old receive thread has ended; one new one follows
    if (m_linkControl->reconnectCharger()) connectionStarted();
}

void TVLForm::reconnectDue() {
    // Never while the user holds the link: a dialog about it is open or a receipt prints.
    if (connecting() || printing() || m_connection->isVisible() || !m_linkControl->lostCharger()) {
        m_linkControl->postponeReconnect();
        return;
    }
    m_linkControl->setAutomaticAttempt(true);
    m_link->stopReaderAndRelease();
    if (m_linkControl->reconnectCharger(true))
        connectionStarted();
    else
        m_linkControl->reconnectFailed();
}

void TVLForm::beginConnect(LinkController::Purpose purpose) {
    if (!m_linkControl->connectTo(purpose, m_connection->ComboDevice->currentIndex())) return;
    connectionStarted();
}

void TVLForm::connectionStarted() {
    m_connection->setBusy(true);
    // An attempt made by itself leaves the pointer alone: the user works on meanwhile.
    if (!m_linkControl->automaticAttempt()) QApplication::setOverrideCursor(Qt::BusyCursor);
    updateLinkStatus();
}

void TVLForm::finishConnect(LinkController::Purpose purpose, bool ok, const QString& firstError,
                            const QString& secondError) {
    m_connection->setBusy(false);
    const bool automatic = m_linkControl->automaticAttempt();
    if (!automatic) QApplication::restoreOverrideCursor();
    if (purpose == LinkController::Purpose::Charger) {
        if (!firstError.isEmpty() || !ok) {
            updateLinkStatus();
            if (!automatic) showMessage(kChargerUnreachable);  // the panel says it meanwhile
            emit connectionFinished(false);
            return;
        }
        m_connection->close();
        m_timerloop->start();
        m_link->startReader();
        try {
            start();
        } catch (const LinkError&) {
            // Accepted and closed at once: a lost link, which the next tick sees and heals.
            if (!automatic) showMessage(kChargerUnreachable);
        }
        updateLinkStatus();
        emit connectionFinished(true);
        return;
    }
    if (!firstError.isEmpty()) showMessage(kChargerUnreachable);
    updateLinkStatus();
    if (!secondError.isEmpty()) reportError(secondError);
    m_printJob->afterConnect(purpose, firstError.isEmpty() && ok);
    emit connectionFinished(ok);
}

void TVLForm::start() {
    m_link->awaitAnswer();
    Kirimstringdata(commands::kStart);
}

void TVLForm::Kirimstringdata(const std::string& dataout) {
    m_link->Kirimstringdata(dataout);
}

void TVLForm::updateLinkStatus() {
    m_linkControl->watchChargerLink();
    m_dashboard->showLinkStatus(m_linkControl->status(printing()));
    std::optional<LostLinkView> lost;
    if (const auto& device = m_linkControl->lostCharger())
        lost = LostLinkView{device->name, connecting(), m_linkControl->reconnecting(),
                            m_linkControl->reconnectAttempt(), m_linkControl->reconnectGaveUp()};
    m_dashboard->showLinkLost(lost);
}

void TVLForm::BTForceStopClick() {
    m_forceStop->open();
}

void TVLForm::RForceYesClick() {
    QString failure;
    try {
        Kirimstringdata(commands::kForceStop);
    } catch (const LinkError& error) {
        failure = QString::fromUtf8(error.what());
    }
    m_forceStop->close();
    if (!failure.isEmpty()) {
        reportError(failure);
        return;
    }
    if (m_link->connected()) m_journal->forceStop();
}

void TVLForm::RForceNoClick() {
    m_forceStop->close();
}

}  // namespace velmora
