#pragma once

#include <QObject>

namespace velmora {

class Bench;
class BenchScreen;

// Joins the bench screen's cards to the bays: what the cards show, and what the user does
// on them (choose, add, remove, rename) handed to the bench.
class BenchScreenControl : public QObject {
    Q_OBJECT
public:
    BenchScreenControl(Bench& bench, BenchScreen* screen, QObject* parent);

    // The cards from the bays as they are now, and the devices "Tambah charger" offers.
    void refresh();
    // After a refresh tick: the cards follow while the screen is seen.
    void afterTick();

private:
    Bench& m_bench;
    BenchScreen* m_screen;
};

}  // namespace velmora
