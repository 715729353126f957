#include "bench/BenchScreenControl.h"

#include "bench/Bench.h"
#include "monitor/BenchScreen.h"

namespace velmora {

BenchScreenControl::BenchScreenControl(Bench& bench, BenchScreen* screen, QObject* parent)
    : QObject(parent), m_bench(bench), m_screen(screen) {
    connect(screen, &BenchScreen::baySelected, this, [this](int index) {
        m_bench.select(index);
        // The card is ringed; the dashboard, diagnostic and chart now show its bay.
        m_screen->setSelected(m_bench.shownIndex());
    });
    connect(screen, &BenchScreen::addRequested, this, [this](const QString& address) {
        if (const auto refused = m_bench.add(address)) emit m_bench.message(*refused);
        refresh();
    });
    connect(screen, &BenchScreen::removeRequested, &bench, &Bench::remove);
    connect(screen, &BenchScreen::labelEdited, &bench, &Bench::setLabel);
    connect(&bench, &Bench::baysChanged, this, &BenchScreenControl::refresh);
    connect(&bench, &Bench::shownChanged, this, [this](int, int to) { m_screen->setSelected(to); });
}

void BenchScreenControl::refresh() {
    m_screen->setBays(m_bench.views());
    m_screen->setSelected(m_bench.shownIndex());
    QList<QPair<QString, QString>> addable;
    for (const DeviceInfo& device : m_bench.addable())
        addable.append({device.name, device.address});
    m_screen->setAddable(addable);
}

void BenchScreenControl::afterTick() {
    // The cards are not drawn while another screen is seen: nothing to update there.
    if (m_screen->isVisible()) m_screen->setBays(m_bench.views());
}

}  // namespace velmora
