// Bluetooth start-up, the connection dialog, connecting to the charger or the printer,
// the send routine and the force stop.
#include <QApplication>
#include <QComboBox>
#include <QLabel>

#include "journal/JournalRecorder.h"
#include "link/Commands.h"
#include "link/ConnectionDialog.h"
#include "link/LinkMessages.h"
#include "link/LinkStatus.h"
#include "monitor/DashboardScreen.h"
#include "printing/InformationDialog.h"
#include "shell/Dialogs.h"
#include "shell/TVLForm.h"
#include "widgets/ElidedText.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
const QString kBluetoothOff = QString::fromUtf8(kBluetoothOffMessage);
const QString kChargerUnreachable = QString::fromUtf8(kDeviceUnreachableMessage);
const QColor kLinkUp = QColor::fromRgb(0x5C, 0xE6, 0xA8);
const QColor kLinkDown = QColor::fromRgb(0xFF, 0x6B, 0x5B);
}  // namespace

bool TVLForm::ManagerConnected() {
    return m_platform->radioPresent();
}

QList<QComboBox*> TVLForm::deviceBoxes() const {
    // The dealer dialog names its printer from the same list, in the same order, once made.
    QList<QComboBox*> boxes{m_connection->ComboDevice};
    if (m_layoutInformation) boxes.append(m_layoutInformation->ComboShowPrinter);
    return boxes;
}

void TVLForm::PairedDevices() {
    const QList<QComboBox*> boxes = deviceBoxes();
    for (QComboBox* box : boxes) box->clear();
    m_pairedDevices.clear();
    if (!ManagerConnected()) return;
    m_pairedDevices = m_platform->pairedDevices();
    for (QComboBox* box : boxes)
        for (const DeviceInfo& device : m_pairedDevices) box->addItem(device.name);
}

void TVLForm::bluetoothStartUp(bool quietOnError) {
    try {
        if (!ManagerConnected()) throw LinkError("no Bluetooth radio");
        PairedDevices();
        for (QComboBox* box : deviceBoxes()) box->setCurrentIndex(box->count() ? 0 : -1);
    } catch (const LinkError&) {
        for (QComboBox* box : deviceBoxes()) box->clear();
        if (quietOnError)
            m_platform->requestEnable();
        else
            showMessage(kBluetoothOff);
    }
}

void TVLForm::checkBT() {
    bluetoothStartUp(false);
}

void TVLForm::ComboDeviceClick() {
    checkBT();
}

void TVLForm::openConnectionDialog(bool forPrinter) {
    m_keptReceipt.reset();  // the dashboard's buttons print the live results
    checkBT();              // the dialog opens even when Bluetooth is off
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
    if (!m_connecting && !m_printing) m_connection->close();
}

void TVLForm::BTConnectClick() {
    if (m_connecting || m_printing) return;
    if (m_printerPanelMode) {
        m_link->readerStop() = true;
        m_timerloop->stop();
        m_link->stopReaderAndRelease();
        m_journal->linkLost();  // no tick follows to see the charger gone
        beginConnect(m_keptReceipt ? ConnectPurpose::PrintKept : ConnectPurpose::PrintCharge);
        return;
    }
    if (!m_chargerPanelMode) return;
    m_link->stopReaderAndRelease();
    beginConnect(ConnectPurpose::Charger);
}

void TVLForm::BTReportClick() {
    if (m_connecting || m_printing) return;
    m_link->stopReaderAndRelease();  // the refresh timer is left as it is
    if (!m_printerPanelMode) return;
    beginConnect(ConnectPurpose::PrintTest);
}

void TVLForm::beginConnect(ConnectPurpose purpose) {
    std::shared_ptr<Transport> socket, secureFallback;
    m_linkDevice.reset();
    try {
        if (!ManagerConnected()) throw LinkError("no Bluetooth radio");
        m_pairedDevices = m_platform->pairedDevices();
        const int index = m_connection->ComboDevice->currentIndex();
        if (index < 0 || index >= m_pairedDevices.size()) throw LinkError("no device selected");
        m_linkDevice = m_pairedDevices.at(index);
        if (m_platform->isPaired(*m_linkDevice)) {
            socket = m_platform->createSocket(*m_linkDevice, false);
        } else if (purpose == ConnectPurpose::Charger) {
            return;  // an unpaired charger: the dialog stays open, nothing is said
        }
    } catch (const LinkError&) {
        showMessage(kChargerUnreachable);
        if (purpose == ConnectPurpose::Charger || !m_linkDevice) return;
    }
    if (!socket && m_linkDevice && purpose != ConnectPurpose::Charger) {
        // The printer was not paired, or its socket could not be made: one secure try.
        try {
            secureFallback = m_platform->createSocket(*m_linkDevice, true);
        } catch (const LinkError& error) {
            reportError(QString::fromUtf8(error.what()));
            return;
        }
    }

    m_connecting = true;
    m_pendingSocket = socket ? socket : secureFallback;
    m_connection->setBusy(true);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    updateLinkStatus();
    if (m_connectWorker.joinable()) m_connectWorker.join();
    // Connecting can take seconds; it runs beside the event loop, never blocking it.
    m_connectWorker = std::thread([this, purpose, socket, secureFallback] {
        QString firstError, secondError;
        if (socket) {
            try {
                socket->connect();
            } catch (const LinkError& error) {
                firstError = QString::fromUtf8(error.what());
            }
        }
        if (purpose != ConnectPurpose::Charger) {
            try {
                if (socket && !socket->connected())
                    socket->connect();
                else if (!socket && secureFallback)
                    secureFallback->connect();
            } catch (const LinkError& error) {
                secondError = QString::fromUtf8(error.what());
            }
        }
        std::shared_ptr<Transport> result = socket ? socket : secureFallback;
        QMetaObject::invokeMethod(
            this,
            [this, purpose, result, firstError, secondError] {
                finishConnect(purpose, result, firstError, secondError);
            },
            Qt::QueuedConnection);
    });
}

void TVLForm::finishConnect(ConnectPurpose purpose, std::shared_ptr<Transport> socket,
                            QString firstError, QString secondError) {
    if (m_connectWorker.joinable()) m_connectWorker.join();
    m_connecting = false;
    m_pendingSocket.reset();
    m_connection->setBusy(false);
    QApplication::restoreOverrideCursor();
    m_link->adopt(socket);  // a socket that failed stays, not connected, until the next try
    bool ok = socket && socket->connected();
    m_link->setPeer(ok && m_linkDevice ? m_linkDevice->name : QString(),
                    purpose != ConnectPurpose::Charger);
    if (purpose == ConnectPurpose::Charger) {
        if (!firstError.isEmpty() || !ok) {
            updateLinkStatus();
            showMessage(kChargerUnreachable);
            emit connectionFinished(false);
            return;
        }
        m_connection->close();
        m_timerloop->start();
        m_link->startReader();
        start();
        updateLinkStatus();
        emit connectionFinished(true);
        return;
    }
    if (!firstError.isEmpty()) showMessage(kChargerUnreachable);
    updateLinkStatus();
    if (!secondError.isEmpty()) reportError(secondError);
    printAfterConnect(purpose, firstError.isEmpty() && ok);
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
    const QString device = m_linkDevice ? m_linkDevice->name : QString();
    LinkStatus status =
        describeLink(*m_link, m_connecting ? std::optional<QString>(device) : std::nullopt);
    if (m_printing && !m_connecting)
        status = {QStringLiteral("Mencetak ke %1...").arg(device), LinkStatus::Tone::Busy};
    QLabel* label = m_dashboard->LLinkStatus;
    ui::setElidedText(label, status.text);
    ui::setTextColor(label, status.tone == LinkStatus::Tone::Busy ? ui::kWhite
                            : status.tone == LinkStatus::Tone::Up ? kLinkUp
                                                                  : kLinkDown);
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
