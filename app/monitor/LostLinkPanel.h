#pragma once

#include <QString>

#include "widgets/Picture.h"

class QLabel;

namespace velmora {

// The dashboard's notice of a lost charger link (PanelLinkLost): why the figures stopped,
// and one button that connects to the same charger again.
class LostLinkPanel : public ui::Panel {
    Q_OBJECT
public:
    explicit LostLinkPanel(QWidget* parent);

    // device: the charger's name. busy: a reconnection is being made.
    void showLost(const QString& device, bool busy);

    QLabel* LLinkLostTitle;
    QLabel* LLinkLostReason;
    ui::TextButton* BTSambungUlang;
};

}  // namespace velmora
