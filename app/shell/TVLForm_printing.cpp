// The window's receipt handlers: the image pass, the two receipts on the link's worker,
// the simulated printer's preview and the dealer information dialog.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <utility>

#include "catalogue/ProfileSelector.h"
#include "link/Commands.h"
#include "link/ConnectionDialog.h"
#include "monitor/ChartScreen.h"
#include "printing/InformationDialog.h"
#include "printing/ReceiptPreview.h"
#include "printing/ReceiptPrinter.h"
#include "printing/VirtualPrinter.h"
#include "shell/Dialogs.h"
#include "shell/TVLForm.h"

namespace velmora {

namespace {
const QString kNoPrinter = QStringLiteral("Sambungkan ke bluetooth printer");
const QString kNothingConnected =
    QStringLiteral("Tidak ada perangkat tersambung, data informasi tidak terkirim");
const QString kPrintingLine = QStringLiteral("Mencetak...");
}  // namespace

void TVLForm::buildPrinting() {
    m_receipts = new ReceiptPrinter(
        {&m_state, m_link, [this] { return m_profile->shown(); }, m_chart, m_format}, this);
    connect(&m_receipts->sender(), &ReceiptSender::finished, this, &TVLForm::printDone);
    m_virtualPrinter = new VirtualPrinter(this);
    m_virtualPrinter->attachTo(*m_platform);
    connect(m_virtualPrinter, &VirtualPrinter::receiptPrinted, m_layoutStruk,
            &ReceiptPreview::showReceipt);
}

InformationDialog* TVLForm::informationDialog() {
    if (m_layoutInformation) return m_layoutInformation;
    m_layoutInformation = new InformationDialog(m_content);
    m_layoutInformation->stackUnder(m_forceStop);
    connect(m_layoutInformation->RSendInformation, &QAbstractButton::clicked, this,
            &TVLForm::RSendInformationClick);
    connect(m_layoutInformation->RCancelInformation, &QAbstractButton::clicked, this,
            &TVLForm::RCancelInformationClick);
    // The paired devices as the connection dialog lists them, the first one chosen.
    QComboBox* printers = m_layoutInformation->ComboShowPrinter;
    const QComboBox* devices = m_connection->ComboDevice;
    for (int i = 0; i < devices->count(); ++i) printers->addItem(devices->itemText(i));
    printers->setCurrentIndex(printers->count() ? 0 : -1);
    return m_layoutInformation;
}

void TVLForm::inisialprint() {
    m_receipts->images().inisialprint();
}

void TVLForm::saveimage() {
    m_receipts->saveimage();
}

void TVLForm::SusunBitmap() {
    m_receipts->images().SusunBitmap();
}

void TVLForm::DataPrint(int stat2) {
    printStarted(m_receipts->DataPrint(stat2));
}

void TVLForm::DataPrint2(int stat3) {
    printStarted(m_receipts->DataPrint2(stat3));
}

void TVLForm::printAfterConnect(ConnectPurpose purpose, bool closeDialog) {
    QString imageFailure;
    if (purpose == ConnectPurpose::PrintCharge) {
        try {
            saveimage();
        } catch (const std::exception& error) {
            imageFailure = QString::fromUtf8(error.what());  // the receipt goes out all the same
        }
        DataPrint(1);
    } else if (purpose == ConnectPurpose::PrintTest) {
        SusunBitmap();
        DataPrint2(1);
    } else if (m_keptReceipt && m_link->connected()) {
        // Kept until it is out: a failed connection can be tried again from the dialog.
        m_receipts->sender().send(m_link->linkSocket(), *std::exchange(m_keptReceipt, {}));
        showPrinting();
    }
    // The dialog shows the busy line until the receipt is out.
    if (m_printing)
        m_closeAfterPrint = m_closeAfterPrint || closeDialog;
    else if (closeDialog)
        m_connection->close();
    if (!imageFailure.isEmpty()) reportError(imageFailure);
}

void TVLForm::printKeptReceipt(std::vector<std::string> chunks) {
    if (m_connecting) return;
    if (m_link->peerIsPrinter() && m_link->connected()) {
        m_receipts->sender().send(m_link->linkSocket(), std::move(chunks));  // after any other
        showPrinting();
        return;
    }
    openConnectionDialog(true);
    m_connection->setKeptReceiptMode();
    m_keptReceipt = std::move(chunks);
}

void TVLForm::printStarted(std::optional<QDateTime> printTime) {
    if (!printTime) return;
    m_chart->setChartClock(*printTime);  // plotting goes on from the print time
    showPrinting();
}

void TVLForm::showPrinting() {
    if (m_printing) return;
    m_printing = true;
    m_connection->setBusy(true, kPrintingLine);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    updateLinkStatus();
}

void TVLForm::printDone(const QString& error) {
    if (!m_receipts->busy() && m_printing) {
        m_printing = false;
        m_connection->setBusy(false);
        QApplication::restoreOverrideCursor();
        if (m_closeAfterPrint) m_connection->close();
        m_closeAfterPrint = false;
        updateLinkStatus();
    }
    if (!error.isEmpty()) reportError(error);
    emit printFinished(error);
}

void TVLForm::RSendInformationClick() {
    InformationDialog* d = informationDialog();
    QString failure;
    try {
        if (d->ComboShowPrinter->currentIndex() == -1) {
            showMessage(kNoPrinter);
        } else if (!m_link->connected()) {
            showMessage(kNothingConnected);  // the command would be lost without a word
        } else {
            Kirimstringdata(commands::dealerInformation(
                d->ComboShowPrinter->currentText().toStdString(),
                d->EditStore->text().toStdString(), d->EditAddress->text().toStdString(),
                d->EditCity->text().toStdString(), d->EditPhone->text().toStdString()));
        }
    } catch (const std::exception& error) {
        failure = QString::fromUtf8(error.what());
    }
    d->close();
    if (!failure.isEmpty()) reportError(failure);
}

void TVLForm::RCancelInformationClick() {
    informationDialog()->close();
}

}  // namespace velmora
