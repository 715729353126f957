#pragma once

#include <QDateTime>
#include <QObject>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/LinkController.h"

namespace velmora {

class ChargerLink;
class ConnectionDialog;
class ReceiptPrinter;
class Transport;

// A receipt on its way to the printer: which one a connection was made for, the busy line
// in the connection dialog until it is out, and a kept session's receipt waiting for the
// printer the dialog connects to.
class PrintJob : public QObject {
    Q_OBJECT
public:
    PrintJob(ReceiptPrinter& receipts, ChargerLink& link, ConnectionDialog* dialog,
             QObject* parent = nullptr);

    // Whether a receipt is being sent to the printer.
    bool printing() const { return m_printing; }
    bool hasKeptReceipt() const { return m_keptReceipt.has_value(); }
    void forgetKeptReceipt() { m_keptReceipt.reset(); }

    // The charge (test) receipt with selector 1 on a connected link.
    void printCharge(int selector);
    void printTest(int selector);
    // The printer connection made for `purpose` is up (or failed): prints what it was made
    // for; closeDialog: the dialog closes, once the receipt is out.
    void afterConnect(LinkController::Purpose purpose, bool closeDialog);
    // Prints what `purpose` asks for on a network printer's own connection (not yet
    // connected), leaving the link as it is; the dialog closes once the receipt is out.
    void printOnNetwork(LinkController::Purpose purpose, std::shared_ptr<Transport> printer);
    // A kept session's receipt: at once to a connected printer, else kept for the printer
    // the connection dialog connects to (printerWanted asks for the dialog).
    void printKept(std::vector<std::string> chunks);

signals:
    void statusChanged();
    void error(const QString& text);
    // A receipt has been sent, or its sending failed with error.
    void finished(const QString& error);
    void printerWanted();

private:
    // The image pass of a charge receipt; its failure, said after the receipt has started.
    QString prepareImages(LinkController::Purpose purpose);
    void closeWhenDone(bool closeDialog, const QString& imageFailure);
    void started(std::optional<QDateTime> printTime);
    void showPrinting();
    void done(const QString& error);

    ReceiptPrinter& m_receipts;
    ChargerLink& m_link;
    ConnectionDialog* m_dialog;
    bool m_printing = false;
    bool m_closeAfterPrint = false;
    std::optional<std::vector<std::string>> m_keptReceipt;
};

}  // namespace velmora
