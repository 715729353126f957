// The frame pacer: the ambient pace while only the gauge moves, the full pace while an
// animation that asked for it runs, a slow pace while the gauge rests, and every animation
// still reaching its end.
#include <gtest/gtest.h>

#include <QVariantAnimation>
#include <QWidget>
#include <memory>

#include "gui_wait.h"
#include "monitor/GaugeWidget.h"
#include "widgets/FramePacer.h"

using velmora::GaugeWidget;
using velmora::ui::FramePacer;

namespace {

std::unique_ptr<QVariantAnimation> animation(int ms) {
    auto created = std::make_unique<QVariantAnimation>();
    created->setStartValue(0.0);
    created->setEndValue(1.0);
    created->setDuration(ms);
    return created;
}

TEST(FramePacerTest, RunsAtTheFullPaceOnlyWhileAnAnimationThatAskedForItRuns) {
    FramePacer& pacer = FramePacer::instance();
    pacer.setResting(false);  // whatever an earlier test left
    auto ambient = animation(60);
    auto slide = animation(120);
    FramePacer::fullRateWhileRunning(slide.get());
    ambient->setLoopCount(-1);
    ambient->start();
    EXPECT_EQ(pacer.intervalMs(), FramePacer::kAmbientMs);

    slide->start();
    EXPECT_EQ(pacer.intervalMs(), FramePacer::kFullRateMs);
    ASSERT_TRUE(processEventsUntil([&] { return slide->state() == QAbstractAnimation::Stopped; }));
    EXPECT_EQ(slide->currentValue().toDouble(), 1.0);
    EXPECT_EQ(pacer.intervalMs(), FramePacer::kAmbientMs);

    slide->start();  // destroyed while running
    slide.reset();
    EXPECT_EQ(pacer.intervalMs(), FramePacer::kAmbientMs);

    double last = ambient->currentValue().toDouble();
    int changes = 0;
    QObject::connect(ambient.get(), &QVariantAnimation::valueChanged,
                     [&](const QVariant& value) { changes += value.toDouble() != last; });
    EXPECT_TRUE(processEventsUntil([&] { return changes >= 3; })) << "the ambient pace ticks";
}

}  // namespace

namespace {

TEST(FramePacerTest, SlowsDownOnlyWhileTheGaugeRests) {
    FramePacer& pacer = FramePacer::instance();
    QWidget window;
    window.resize(GaugeWidget::kSize, GaugeWidget::kSize);
    auto* gauge = new GaugeWidget(&window);
    window.show();
    ASSERT_TRUE(processEventsUntil([&] { return pacer.intervalMs() == FramePacer::kRestingMs; }))
        << "the waves roll at the bottom, nothing else moves";
    EXPECT_TRUE(gauge->atRest());

    auto slide = animation(400);
    FramePacer::fullRateWhileRunning(slide.get());
    slide->start();
    EXPECT_EQ(pacer.intervalMs(), FramePacer::kFullRateMs) << "a sliding panel keeps its pace";
    slide->stop();

    GaugeWidget::glide(gauge->FloatNeedleLeft, 30.0);
    EXPECT_EQ(pacer.intervalMs(), FramePacer::kAmbientMs) << "a reading moves the needles";
    EXPECT_FALSE(gauge->atRest());
    gauge->FloatNeedleLeft->stop();
    gauge->setWaveFrontY(GaugeWidget::kEmptyLevelFront - 30);
    EXPECT_FALSE(gauge->atRest()) << "a charged battery's waves show in full";
    gauge->setWaveFrontY(GaugeWidget::kEmptyLevelFront);
    EXPECT_TRUE(gauge->atRest());
    window.hide();
    gauge->setWaveFrontY(0);
    EXPECT_TRUE(gauge->atRest()) << "a hidden gauge needs no frames";
}

}  // namespace
