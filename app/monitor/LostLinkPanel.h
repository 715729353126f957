#pragma once

#include <QString>

#include "widgets/Picture.h"

class QLabel;

namespace velmora {

// What the lost-link panel tells: the charger, and where reconnecting stands.
struct LostLinkView {
    QString device;
    bool connecting = false;    // an attempt is being made now
    bool reconnecting = false;  // attempts follow by themselves
    int attempt = 0;            // attempts made so far
    bool gaveUp = false;        // reconnecting by itself ended without the charger
    bool adapterOff = false;    // the last attempt found Bluetooth switched off
    bool notPaired = false;     // the last attempt found the charger no longer paired
};

// The line every screen shows in the top bar while the charger link is lost: short, as the
// panel on the dashboard says the rest.
QString lostLinkHeadline(const LostLinkView& view);

// The dashboard's notice of a lost charger link (PanelLinkLost): why the figures stopped,
// where reconnecting stands, a button that connects to the same charger again now and,
// while it goes on by itself, one that stops it.
class LostLinkPanel : public ui::Panel {
    Q_OBJECT
public:
    explicit LostLinkPanel(QWidget* parent);

    void showLost(const LostLinkView& view);

    QLabel* LLinkLostTitle;
    QLabel* LLinkLostReason;
    ui::TextButton* BTSambungUlang;
    ui::TextButton* BTBerhenti;
};

}  // namespace velmora
