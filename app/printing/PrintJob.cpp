#include "printing/PrintJob.h"

#include <QApplication>
#include <utility>

#include "link/ChargerLink.h"
#include "link/ConnectionDialog.h"
#include "printing/ReceiptPrinter.h"

namespace velmora {

PrintJob::PrintJob(ReceiptPrinter& receipts, ChargerLink& link, ConnectionDialog* dialog,
                   QObject* parent)
    : QObject(parent), m_receipts(receipts), m_link(link), m_dialog(dialog) {
    connect(&m_receipts.sender(), &ReceiptSender::finished, this, &PrintJob::done);
}

void PrintJob::printCharge(int selector) {
    started(m_receipts.DataPrint(selector));
}

void PrintJob::printTest(int selector) {
    started(m_receipts.DataPrint2(selector));
}

QString PrintJob::prepareImages(LinkController::Purpose purpose) {
    if (purpose == LinkController::Purpose::PrintTest) {
        m_receipts.images().SusunBitmap();
        return {};
    }
    if (purpose != LinkController::Purpose::PrintCharge) return {};
    try {
        m_receipts.saveimage();
    } catch (const std::exception& failure) {
        return QString::fromUtf8(failure.what());  // the receipt goes out all the same
    }
    return {};
}

void PrintJob::afterConnect(LinkController::Purpose purpose, bool closeDialog) {
    const QString imageFailure = prepareImages(purpose);
    if (purpose == LinkController::Purpose::PrintCharge) {
        printCharge(1);
    } else if (purpose == LinkController::Purpose::PrintTest) {
        printTest(1);
    } else if (m_keptReceipt && m_link.connected()) {
        // Kept until it is out: a failed connection can be tried again from the dialog.
        m_receipts.sender().send(m_link.linkSocket(), *std::exchange(m_keptReceipt, {}));
        showPrinting();
    }
    closeWhenDone(closeDialog, imageFailure);
}

void PrintJob::printOnNetwork(LinkController::Purpose purpose, std::shared_ptr<Transport> printer) {
    const QString imageFailure = prepareImages(purpose);
    if (purpose == LinkController::Purpose::PrintKept) {
        if (!m_keptReceipt) return;
        m_receipts.sender().sendOnOwnConnection(std::move(printer),
                                                *std::exchange(m_keptReceipt, {}));
        showPrinting();
    } else {
        started(m_receipts.printOnNetwork(std::move(printer),
                                          purpose == LinkController::Purpose::PrintCharge));
    }
    closeWhenDone(true, imageFailure);
}

void PrintJob::closeWhenDone(bool closeDialog, const QString& imageFailure) {
    // The dialog shows the busy line until the receipt is out.
    if (m_printing)
        m_closeAfterPrint = m_closeAfterPrint || closeDialog;
    else if (closeDialog)
        m_dialog->close();
    if (!imageFailure.isEmpty()) emit error(imageFailure);
}

void PrintJob::printKept(std::vector<std::string> chunks) {
    if (m_link.peerIsPrinter() && m_link.connected()) {
        m_receipts.sender().send(m_link.linkSocket(), std::move(chunks));  // after any other
        showPrinting();
        return;
    }
    emit printerWanted();
    m_dialog->setKeptReceiptMode();
    m_keptReceipt = std::move(chunks);
}

void PrintJob::started(std::optional<QDateTime> printTime) {
    if (!printTime) return;
    showPrinting();
}

void PrintJob::showPrinting() {
    if (m_printing) return;
    m_printing = true;
    m_dialog->setBusy(true, tr("Mencetak..."));
    QApplication::setOverrideCursor(Qt::BusyCursor);
    emit statusChanged();
}

void PrintJob::done(const QString& failure) {
    if (!m_receipts.busy() && m_printing) {
        m_printing = false;
        m_dialog->setBusy(false);
        QApplication::restoreOverrideCursor();
        if (m_closeAfterPrint) m_dialog->close();
        m_closeAfterPrint = false;
        emit statusChanged();
    }
    if (!failure.isEmpty()) emit error(failure);
    emit finished(failure);
}

}  // namespace velmora
