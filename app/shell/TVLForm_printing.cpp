// The window's receipt handlers: the image pass, the two receipts on the link's worker,
// the simulated printer's preview and the dealer information dialog.
#include <QComboBox>
#include <utility>

#include "catalogue/ProfileSelector.h"
#include "link/ConnectionDialog.h"
#include "link/LinkController.h"
#include "printing/InformationDialog.h"
#include "printing/PrintJob.h"
#include "printing/ReceiptPreview.h"
#include "printing/ReceiptPrinter.h"
#include "printing/VirtualPrinter.h"
#include "shell/Dialogs.h"
#include "shell/TVLForm.h"

namespace velmora {

void TVLForm::buildPrinting() {
    m_receipts = new ReceiptPrinter(
        {&m_state, m_link, [this] { return m_profile->shown(); }, m_chart, m_format}, this);
    m_printJob = new PrintJob(*m_receipts, *m_link, m_connection, m_chart, this);
    connect(m_printJob, &PrintJob::statusChanged, this, &TVLForm::updateLinkStatus);
    connect(m_printJob, &PrintJob::error, this, &TVLForm::reportError);
    connect(m_printJob, &PrintJob::finished, this, &TVLForm::printFinished);
    connect(m_printJob, &PrintJob::finished, this, &TVLForm::returnToCharger,
            Qt::QueuedConnection);  // after the job has left its printing state
    connect(m_printJob, &PrintJob::printerWanted, this, [this] { openConnectionDialog(true); });
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
    m_linkControl->addDeviceBox(printers);
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
    m_printJob->printCharge(stat2);
}

void TVLForm::DataPrint2(int stat3) {
    m_printJob->printTest(stat3);
}

bool TVLForm::printing() const {
    return m_printJob->printing();
}

void TVLForm::printKeptReceipt(std::vector<std::string> chunks) {
    if (!connecting()) m_printJob->printKept(std::move(chunks));
}

void TVLForm::RSendInformationClick() {
    InformationDialog* d = informationDialog();
    QString failure;
    try {
        if (const std::optional<QString> message = d->sendDetails(*m_link))
            showMessage(*message);
        else
            showNotice(QStringLiteral("Data informasi terkirim"));
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
