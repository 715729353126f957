#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "link/LinkController.h"

class QTimer;

namespace velmora {

class ChargerLink;
class ConnectionDialog;

// The connection dialog's decisions: which connection its buttons start and in which mode,
// lending the charger's link to the printer and taking it back, when the lost charger's
// next attempt may run, and what a finished attempt starts (the refresh, the receive
// thread and the start command for a charger).
class ConnectionFlow : public QObject {
    Q_OBJECT
public:
    // What the flow asks of the receipts, which sit above the link.
    struct PrintSide {
        std::function<bool()> printing;
        std::function<bool()> hasKeptReceipt;
        std::function<void()> forgetKeptReceipt;
        // Several chargers are watched: a receipt goes on a connection of its own beside
        // their links, never on one of them.
        std::function<bool()> besideChargers;
    };
    // timer: the refresh, started with a charger and stopped for a receipt.
    ConnectionFlow(LinkController& control, ChargerLink& link, ConnectionDialog* dialog,
                   QTimer* timer, PrintSide print, QObject* parent = nullptr);

    bool chargerPanelMode() const { return m_chargerPanelMode; }
    bool printerPanelMode() const { return m_printerPanelMode; }
    // The link goes to a charger that can take a command.
    bool chargerLinked() const;

    // At start-up, when chosen: connects to the last charger if it is listed.
    void connectLastChargerAtStart();
    void openDialog(bool forPrinter);
    // The backdrop was clicked: the dialog goes unless the link is busy.
    void dismissDialog();
    void connectClicked();
    void reportClicked();
    // The lost-link panel's "Sambungkan ulang": the same charger again.
    void reconnectClicked();
    // The lost charger's next attempt is due.
    void reconnectDue();
    // Once a receipt is out, the link goes back to the charger it was taken from.
    void returnToCharger();
    // The address typed for a network printer: listed, remembered and chosen, or refused.
    void addNetworkPrinter(const QString& typed);
    // Connects the charger at `address` as "Sambungkan" would (the bench adds it); false
    // when no attempt started.
    bool connectCharger(const QString& address);
    // The user stopped watching the charger: its link closes, nothing is tried again.
    void stopWatching();
    // The start command, sent once a charger is connected.
    void start();

signals:
    void message(const QString& text);
    void error(const QString& text);
    // The link's line on the dashboard is due again.
    void statusChanged();
    // The charger's link goes to the printer: no tick follows to see the charger gone.
    void chargerHandedToPrinter();
    // A printer attempt ended; ok: its socket is connected and no error came first.
    void printerConnected(LinkController::Purpose purpose, bool ok);
    // The charger's link closes because the user stopped watching it.
    void chargerLeft();
    // A network printer was chosen for `purpose`: its receipt goes out on `printer`'s own
    // connection, and the charger's link stays up.
    void networkPrinterChosen(LinkController::Purpose purpose, std::shared_ptr<Transport> printer);
    // An attempt finished (tests wait on it).
    void connectionFinished(bool ok);

private:
    bool busy() const;
    // Says so, and returns true, when the device chosen for printing is a charger.
    bool refuseChargerAsPrinter();
    // Starts the receipt when the chosen printer is on the network; true when it is one.
    bool printOnNetwork(LinkController::Purpose purpose);
    // Starts the receipt on its own connection while several chargers are watched; true
    // when it went that way (or was refused).
    bool printBesideChargers(LinkController::Purpose purpose);
    void lendToPrinter(LinkController::Purpose purpose);
    void beginConnect(LinkController::Purpose purpose);
    void connectionStarted();
    void finishConnect(LinkController::Purpose purpose, bool ok, const QString& firstError,
                       const QString& secondError);

    LinkController& m_control;
    ChargerLink& m_link;
    ConnectionDialog* m_dialog;
    QTimer* m_timer;
    PrintSide m_print;
    bool m_chargerPanelMode = false;
    bool m_printerPanelMode = false;
};

}  // namespace velmora
