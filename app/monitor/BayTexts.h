#pragma once

#include <QColor>
#include <QString>

#include "link/NumberText.h"
#include "monitor/BayView.h"

namespace velmora {

// How a bay's card looks: the states that must be seen from across the room (a finished
// charge, a battery fault, a lost link) fill the card; a link on its way only rings it.
enum class BayLook { Normal, Waiting, Lost, Finished, Fault };

// A known outcome comes before the link: a battery that is done or bad stays so when its
// charger drops afterwards, and the link line still says the link is gone.
BayLook bayLook(const BayView& view);

// Finished, fault and lost: the card is filled and says a large word.
bool fillsCard(BayLook look);

struct BayColours {
    QColor fill, border;
    qreal borderWidth;
    QColor linkText;  // the link line
};
BayColours bayColours(BayLook look, BayView::Link link);

// "Terhubung", "Menyambung ulang (percobaan 2)", "Terputus", "Menyambungkan…".
QString bayLinkText(const BayView& view);
// The large word of a card that stands out ("SELESAI"); empty for the others.
QString bayLookWord(BayLook look);
// "Tahap 3 · CONSTANT VOLTAGE 1"; "-" while the charger reports no stage.
QString bayStageText(int stage);
// h:mm:ss, hours without a limit: a charge may run past a day.
QString elapsedText(int seconds);
// "12,85 V" in the user's notation.
QString bayValueText(double value, const char* unit, const NumberFormat& format);

}  // namespace velmora
