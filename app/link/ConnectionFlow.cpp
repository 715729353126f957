#include "link/ConnectionFlow.h"

#include <QApplication>
#include <QTimer>
#include <utility>

#include "link/ChargerLink.h"
#include "link/Commands.h"
#include "link/ConnectionDialog.h"
#include "link/LinkMessages.h"
#include "widgets/CoreTexts.h"

namespace velmora {

namespace {
QString chargerUnreachable() {
    return ui::coreText(kDeviceUnreachableMessage);
}
}  // namespace

ConnectionFlow::ConnectionFlow(LinkController& control, ChargerLink& link, ConnectionDialog* dialog,
                               QTimer* timer, PrintSide print, QObject* parent)
    : QObject(parent),
      m_control(control),
      m_link(link),
      m_dialog(dialog),
      m_timer(timer),
      m_print(std::move(print)) {
    connect(&m_control, &LinkController::finished, this, &ConnectionFlow::finishConnect);
    connect(&m_control, &LinkController::reconnectDue, this, &ConnectionFlow::reconnectDue);
    connect(m_dialog, &ConnectionDialog::printerAddressEntered, this,
            &ConnectionFlow::addNetworkPrinter);
}

void ConnectionFlow::addNetworkPrinter(const QString& typed) {
    if (busy()) return;
    if (!m_control.addNetworkPrinter(typed, m_dialog->ComboDevice)) {
        emit message(
            tr("Alamat printer tidak dikenal. Tulis alamat IP dan port, mis. "
               "192.168.1.20:9100"));
        return;
    }
    m_dialog->showAddressField(false);
}

bool ConnectionFlow::busy() const {
    return m_control.connecting() || m_print.printing();
}

bool ConnectionFlow::chargerLinked() const {
    return m_link.connected() && !m_link.peerIsPrinter();
}

void ConnectionFlow::connectLastChargerAtStart() {
    if (m_control.connectLastChargerAtStart()) connectionStarted();
}

void ConnectionFlow::openDialog(bool forPrinter) {
    m_print.forgetKeptReceipt();  // the dashboard's buttons print the live results
    m_control.startUp(false);     // the dialog opens even when Bluetooth is off
    m_control.chooseLast(m_dialog->ComboDevice, forPrinter ? RememberedDevices::Role::Printer
                                                           : RememberedDevices::Role::Charger);
    m_dialog->setPrinterMode(forPrinter);
    m_chargerPanelMode = !forPrinter;
    m_printerPanelMode = forPrinter;
    m_dialog->open();
}

void ConnectionFlow::dismissDialog() {
    if (busy()) return;
    m_dialog->close();
    returnToCharger();  // a receipt that never went out gives the link back too
}

void ConnectionFlow::returnToCharger() {
    if (!m_print.printing()) m_control.setNetworkPrinting(std::nullopt);
    if (!m_control.chargerToReturnTo() || busy()) return;
    m_link.stopReaderAndRelease();  // the printer's link
    m_chargerPanelMode = true;      // the charger's commands go out again
    m_printerPanelMode = false;
    if (m_control.returnToCharger()) connectionStarted();
}

void ConnectionFlow::connectClicked() {
    if (busy()) return;
    if (m_printerPanelMode) {
        const LinkController::Purpose purpose = m_print.hasKeptReceipt()
                                                    ? LinkController::Purpose::PrintKept
                                                    : LinkController::Purpose::PrintCharge;
        if (printOnNetwork(purpose) || printBesideChargers(purpose)) return;
        if (refuseChargerAsPrinter()) return;
        m_control.holdChargerForPrint();
        m_link.readerStop() = true;
        m_timer->stop();
        lendToPrinter(m_print.hasKeptReceipt() ? LinkController::Purpose::PrintKept
                                               : LinkController::Purpose::PrintCharge);
        return;
    }
    if (!m_chargerPanelMode) return;
    m_link.stopReaderAndRelease();
    beginConnect(LinkController::Purpose::Charger);
}

void ConnectionFlow::reportClicked() {
    if (busy() || !m_printerPanelMode) return;
    if (printOnNetwork(LinkController::Purpose::PrintTest) ||
        printBesideChargers(LinkController::Purpose::PrintTest))
        return;
    if (refuseChargerAsPrinter()) return;
    m_control.holdChargerForPrint();
    lendToPrinter(LinkController::Purpose::PrintTest);  // the refresh is left as it is
}

void ConnectionFlow::lendToPrinter(LinkController::Purpose purpose) {
    m_link.stopReaderAndRelease();
    emit chargerHandedToPrinter();
    beginConnect(purpose);
}

bool ConnectionFlow::printOnNetwork(LinkController::Purpose purpose) {
    const int index = m_dialog->ComboDevice->currentIndex();
    if (!m_control.isNetworkPrinter(index)) return false;
    // No Bluetooth link is needed: the charger is watched on while the receipt goes out.
    if (std::shared_ptr<Transport> printer = m_control.openNetworkPrinter(index))
        emit networkPrinterChosen(purpose, std::move(printer));
    return true;
}

bool ConnectionFlow::printBesideChargers(LinkController::Purpose purpose) {
    if (!m_print.besideChargers || !m_print.besideChargers()) return false;
    if (refuseChargerAsPrinter()) return true;
    // Every charger's link stays up: the printer takes one more link of the adapter.
    if (std::shared_ptr<Transport> printer =
            m_control.openPrinterBeside(m_dialog->ComboDevice->currentIndex()))
        emit networkPrinterChosen(purpose, std::move(printer));
    return true;
}

bool ConnectionFlow::refuseChargerAsPrinter() {
    // A charger cannot print: monitoring goes on and the user learns why nothing printed.
    if (!m_control.isCharger(m_dialog->ComboDevice->currentIndex())) return false;
    emit message(tr("Perangkat ini charger, bukan printer. Pilih printer untuk mencetak"));
    return true;
}

bool ConnectionFlow::connectCharger(const QString& address) {
    if (busy()) return false;
    m_link.stopReaderAndRelease();
    if (!m_control.connectToAddress(LinkController::Purpose::Charger, address)) return false;
    m_chargerPanelMode = true;
    m_printerPanelMode = false;
    connectionStarted();
    return true;
}

void ConnectionFlow::stopWatching() {
    if (m_control.connecting()) return;  // its worker hands over a socket first
    if (chargerLinked()) emit chargerLeft();
    m_control.forgetCharger();
    m_link.stopReaderAndRelease();
    emit statusChanged();
}

void ConnectionFlow::reconnectClicked() {
    if (busy() || !m_control.lostCharger()) return;
    m_link.stopReaderAndRelease();  // the old receive thread has ended; one new one follows
    if (m_control.reconnectCharger()) connectionStarted();
}

void ConnectionFlow::reconnectDue() {
    // Never while the user holds the link: a dialog about it is open or a receipt prints.
    if (busy() || m_dialog->isVisible() || !m_control.lostCharger()) {
        m_control.postponeReconnect();
        return;
    }
    m_control.setAutomaticAttempt(true);
    m_link.stopReaderAndRelease();
    if (m_control.reconnectCharger(true))
        connectionStarted();
    else
        m_control.reconnectFailed();
}

void ConnectionFlow::beginConnect(LinkController::Purpose purpose) {
    if (!m_control.connectTo(purpose, m_dialog->ComboDevice->currentIndex())) return;
    connectionStarted();
}

void ConnectionFlow::connectionStarted() {
    m_dialog->setBusy(true);
    // An attempt made by itself leaves the pointer alone: the user works on meanwhile.
    if (!m_control.automaticAttempt()) QApplication::setOverrideCursor(Qt::BusyCursor);
    emit statusChanged();
}

void ConnectionFlow::finishConnect(LinkController::Purpose purpose, bool ok,
                                   const QString& firstError, const QString& secondError) {
    m_dialog->setBusy(false);
    const bool automatic = m_control.automaticAttempt();
    if (!automatic) QApplication::restoreOverrideCursor();
    if (purpose == LinkController::Purpose::Charger) {
        if (!firstError.isEmpty() || !ok) {
            emit statusChanged();
            if (!automatic) emit message(chargerUnreachable());  // the panel says it meanwhile
            emit connectionFinished(false);
            return;
        }
        m_dialog->close();
        m_timer->start();
        m_link.startReader();
        try {
            start();
        } catch (const LinkError&) {
            // Accepted and closed at once: a lost link, which the next tick sees and heals.
            if (!automatic) emit message(chargerUnreachable());
        }
        emit statusChanged();
        emit connectionFinished(true);
        return;
    }
    if (!firstError.isEmpty()) emit message(chargerUnreachable());
    emit statusChanged();
    if (!secondError.isEmpty()) emit error(secondError);
    emit printerConnected(purpose, firstError.isEmpty() && ok);
    emit connectionFinished(ok);
}

void ConnectionFlow::start() {
    m_link.awaitAnswer();
    m_link.Kirimstringdata(commands::kStart);
}

}  // namespace velmora
