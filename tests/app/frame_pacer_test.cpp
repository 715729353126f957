// The frame pacer: the ambient pace while only the gauge moves, the full pace while an
// animation that asked for it runs, and every animation still reaching its end.
#include <gtest/gtest.h>

#include <QVariantAnimation>
#include <memory>

#include "gui_wait.h"
#include "widgets/FramePacer.h"

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
