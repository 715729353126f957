#pragma once

#include <QList>
#include <QPair>
#include <QRect>
#include <QVector>
#include <QWidget>

#include "link/NumberText.h"
#include "monitor/BayView.h"

class QLabel;
class QScrollArea;

namespace velmora {

class AddBayDialog;
class BayCard;
class QuestionDialog;
namespace ui {
class TextButton;
}

// The bench screen (M6Bench): one card per watched charger, "+ Tambah charger" to watch
// another, and on each card the way to rename it or stop watching it. It shows plain
// values and answers with signals: the bays themselves live elsewhere.
class BenchScreen : public QWidget {
    Q_OBJECT
public:
    // main: the screens' area below the top bar; the screen's dialogs cover the whole
    // content above it.
    BenchScreen(QWidget* main, const NumberFormat& format);

    // Cards are made or removed to match; a card whose view is unchanged is not redrawn.
    void setBays(const QVector<BayView>& bays);
    // The bay the detail screens show (-1: none).
    void setSelected(int index);
    // The paired devices not yet watched, offered by "Tambah charger": (name, address).
    void setAddable(const QList<QPair<QString, QString>>& devices);

    int bayCount() const { return m_cards.size(); }
    BayCard* card(int index) const;

    // Where the cards go in `area`: three across for up to six, four across beyond, each
    // of the height of half the area; more than eight run on below (the screen scrolls).
    static QVector<QRect> cardPlaces(int count, QSize area);

    ui::TextButton* BTTambahCharger;
    QLabel* LBenchHint;
    QLabel* LBenchEmpty;
    QScrollArea* BayScroll;
    AddBayDialog* LayoutTambahCharger;
    QuestionDialog* LayoutHapusBay;

signals:
    void baySelected(int index);                // a card was chosen (click, Enter)
    void addRequested(const QString& address);  // a device was picked in "Tambah charger"
    void removeRequested(int index);            // after the user confirmed
    void labelEdited(int index, const QString& label);

private:
    void placeCards();
    void askRemove(int index);
    void answerRemove();
    void step(int index, int dx, int dy);
    int columns() const;

    NumberFormat m_format;
    QWidget* m_grid;
    QVector<BayCard*> m_cards;
    int m_selected = -1;
    // The bay the remove question is about, by address: the cards may shift meanwhile.
    QString m_removeAddress;
    int m_removeIndex = -1;
};

}  // namespace velmora
