#include <QGraphicsView>
#include <QLineSeries>
#include <QPropertyAnimation>
#include <algorithm>

#include "link/NumberText.h"
#include "monitor/ChartScreen.h"
#include "monitor/GaugeWidget.h"
#include "widgets/Theme.h"
#include "window_fixture.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

class DashboardTest : public WindowTest {
protected:
    QString volts(double value, const char* unit) {
        return QString::fromStdString(formatFixed2(value, m_window->numberFormat())) +
               QLatin1Char(' ') + QLatin1String(unit);
    }
    QVariant target(const char* animation) {
        auto* found = control("RCircle")->findChild<QPropertyAnimation*>(animation);
        EXPECT_NE(found, nullptr) << animation;
        return found ? found->endValue() : QVariant();
    }
    // The charts as the chart screen shows them (made on first use).
    ChartScreen* charts() {
        m_window->chartScreen()->buildCharts();
        return m_window->chartScreen();
    }
};

TEST_F(DashboardTest, StageTableDrivesLabelsProgressAndChartTitles) {
    struct Row {
        int stage;
        const char* name;
        int white;  // 0: none
        const char* progress;
        int size;
        const char* title;
    } rows[] = {
        {1, "DIAGNOSTIC", 1, "ANALYZE", 26, "Stage 1"},
        {2, "CONSTANT CURRENT", 2, "57%", 36, "Stage 2"},
        {3, "CONSTANT VOLTAGE 1", 3, "57%", 36, "Stage 3"},
        {4, "CONSTANT VOLTAGE 2", 4, "57%", 36, "Stage 4"},
        {5, "DIAGNOSTIC", 5, "ANALYZE", 26, "Stage 5"},
        {6, "FLOATING", 6, "GOOD", 26, "Stage 6"},
        {0, "", 0, "GOOD", 26, "Stage 1"},  // stage 0 leaves the progress text
        {9, "", 0, "GOOD", 26, "Stage 1"},  // unknown stage changes nothing of the stage
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stage);
        setState([&](ChargerState& s) {
            s.stageNumber = row.stage;
            s.chargeProgress = 57;
            s.after.status = "GOOD";
            s.chargeVoltage = 12.5 + row.stage;
        });
        m_window->display();
        EXPECT_EQ(text("LChargingProgress"), row.name);
        for (int i = 1; i <= 6; ++i)
            EXPECT_EQ(ui::textColor(control(QStringLiteral("LbStage%1").arg(i).toLatin1())),
                      i == row.white ? ui::kWhite : ui::kGrey)
                << i;
        EXPECT_EQ(text("LProgress"), row.progress);
        EXPECT_EQ(control("LProgress")->font().pixelSize(), row.size);
        EXPECT_EQ(charts()->stageTitle(), row.title);
        EXPECT_EQ(text("LVoltage"), volts(12.5 + row.stage, "V"));  // always refreshed
    }
}

TEST_F(DashboardTest, ChartsAreEmptiedEveryTickOfStageOneOnly) {
    for (int stage : {1, 5}) {
        charts()->Series1->append(1, 13);
        charts()->Series2->append(1, 2);
        setState([&](ChargerState& s) { s.stageNumber = stage; });
        m_window->display();
        EXPECT_EQ(charts()->Series1->count(), stage == 1 ? 0 : 1) << stage;
        EXPECT_EQ(charts()->Series2->count(), stage == 1 ? 0 : 1) << stage;
    }
}

TEST_F(DashboardTest, PercentageCapsAtOneHundred) {
    for (const auto& [progress, shown] : {std::pair{0, "0%"}, {100, "100%"}, {104, "100%"}}) {
        setState([&, sent = progress](ChargerState& s) {
            s.stageNumber = 2;
            s.chargeProgress = sent;
        });
        m_window->display();
        EXPECT_EQ(text("LProgress"), shown);
    }
}

TEST_F(DashboardTest, ElapsedTimeIsSplitIntoPaddedFields) {
    struct Case {
        int seconds;
        const char *h, *m, *s;
    } cases[] = {{3725, "01", "02", "05"},   {39600, "11", "00", "00"},   {45296, "12", "34", "56"},
                 {108000, "30", "00", "00"}, {360000, "100", "00", "00"}, {9, "00", "00", "09"}};
    for (const Case& c : cases) {
        setState([&](ChargerState& s) { s.elapsedSeconds = c.seconds; });
        m_window->timercharger();
        EXPECT_EQ(text("LHour"), c.h) << c.seconds;
        EXPECT_EQ(text("LMinute"), c.m) << c.seconds;
        EXPECT_EQ(text("LSecond"), c.s) << c.seconds;
    }
}

TEST_F(DashboardTest, GaugeTargetsFollowTheMeasurement) {
    struct Case {
        double volts, amps;
        double left, right;
    } cases[] = {
        {16.0, 10, 70, -35}, {16.01, 25, 70, -70}, {8.0, 20, -0.0 + 35, -70}, {-1.6, 0, -7, -0.0}};
    for (const Case& c : cases) {
        setState([&](ChargerState& s) {
            s.chargeVoltage = c.volts;
            s.chargeCurrent = c.amps;
        });
        m_window->effect();
        EXPECT_NEAR(target("FloatNeedleLeft").toDouble(), c.left, 1e-9) << c.volts;
        EXPECT_NEAR(target("FloatNeedleRight").toDouble(), c.right, 1e-9) << c.amps;
    }
}

TEST_F(DashboardTest, ArcWavesAndColourFollowProgress) {
    const QColor red = QColor::fromRgba(0xFFFF0000), yellow = QColor::fromRgba(0xFFFFFF00),
                 green = QColor::fromRgba(0xFF00FF7F), blue = QColor::fromRgba(0xFF0000FF);
    struct Case {
        int progress;
        double sweep;
        QColor colour;
    } cases[] = {{0, 0, red},        {20, 48, red},      {21, 50.4, yellow}, {50, 120, yellow},
                 {51, 122.4, green}, {99, 237.6, green}, {100, 240, blue}};
    for (const Case& c : cases) {
        setState([&](ChargerState& s) { s.chargeProgress = c.progress; });
        m_window->effect();
        EXPECT_NEAR(target("FloatArc").toDouble(), c.sweep, 1e-9) << c.progress;
        EXPECT_EQ(target("Color").value<QColor>(), c.colour) << c.progress;
        EXPECT_NEAR(target("FloatYFront").toDouble(), 160 - c.progress * 1.8, 1e-9);
        EXPECT_NEAR(target("FloatYBehind").toDouble(), 152 - c.progress * 1.72, 1e-9);
    }
    // Above 100: the arc and its colour keep their targets, the waves still move.
    setState([](ChargerState& s) { s.chargeProgress = 101; });
    m_window->effect();
    EXPECT_NEAR(target("FloatArc").toDouble(), 240, 1e-9);
    EXPECT_EQ(target("Color").value<QColor>(), blue);
    EXPECT_NEAR(target("FloatYFront").toDouble(), -21.8, 1e-9);
    EXPECT_NEAR(target("FloatYBehind").toDouble(), -21.72, 1e-9);
}

// Whatever the charger sends is kept; the dashboard shows what it sensibly can: the stage
// indicator keeps its stage, numbers stay inside their boxes, the gauge stays on its dial.
TEST_F(DashboardTest, ValuesNoDashboardCanShowStayInsideTheirControls) {
    setState([](ChargerState& s) {
        s.stageNumber = 2;
        s.chargeProgress = 40;
    });
    m_window->display();
    setState([](ChargerState& s) {
        s.stageNumber = 7;
        s.chargeVoltage = 13.25;
        s.chargeProgress = 45;
    });
    m_window->display();
    EXPECT_EQ(text("LChargingProgress"), "CONSTANT CURRENT");
    EXPECT_EQ(text("LVoltage"), volts(13.25, "V"));

    setState([](ChargerState& s) {
        s.stageNumber = 2;
        s.chargeVoltage = 1e298;
        s.chargeCurrent = -1e6;
        s.chargeProgress = -1;
        s.elapsedSeconds = 2147483647;
    });
    m_window->display();
    m_window->timercharger();
    m_window->effect();
    for (const char* name : {"LVoltage", "LCurrent", "LHour"}) {
        auto* label = control<QLabel>(name);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                  label->contentsRect().width())
            << name;
    }
    EXPECT_FALSE(control("LVoltage")->toolTip().isEmpty());  // the whole value on hover
    EXPECT_EQ(text("LProgress"), "0%");
    EXPECT_NEAR(target("FloatNeedleLeft").toDouble(), 70, 1e-9);
    EXPECT_NEAR(target("FloatNeedleRight").toDouble(), 70, 1e-9);
    EXPECT_NEAR(target("FloatArc").toDouble(), 0, 1e-9);
    EXPECT_NEAR(target("FloatYFront").toDouble(), 160, 1e-9);

    // A normal reading afterwards shows plainly again.
    setState([](ChargerState& s) { s.chargeVoltage = 12.5; });
    m_window->display();
    EXPECT_EQ(text("LVoltage"), volts(12.5, "V"));
    EXPECT_TRUE(control("LVoltage")->toolTip().isEmpty());
}

TEST_F(DashboardTest, WavesRollForEverFromStartUp) {
    auto* gauge = control<GaugeWidget>("RCircle");
    EXPECT_EQ(gauge->FloatXFront->state(), QAbstractAnimation::Running);
    EXPECT_EQ(gauge->FloatXFront->loopCount(), -1);
    EXPECT_EQ(gauge->FloatXFront->endValue().toDouble(), -37);
    EXPECT_EQ(gauge->FloatXBehind->endValue().toDouble(), -267);
    EXPECT_EQ(gauge->FloatXBehind->duration(), 2400);
}

TEST_F(DashboardTest, StatusWordsAreActedOnOnce) {
    struct Case {
        const char* word;
        const char* progress;  // nullptr: unchanged
        bool zeroes;
        const char* title;
        bool cleared;
    } cases[] = {
        {"Reverse_Polarity", "REVERSE POLARITY", false, "DASHBOARD", true},
        {"STANDBY", "STANDBY", true, "DASHBOARD", true},
        {"Baterai_Unplug", "BATTERY UNPLUG", true, "DASHBOARD", true},
        {"Test Mode", nullptr, false, "DIAGNOSTIC", true},
        {"Charge Mode", nullptr, false, "DASHBOARD", true},
        {"Test_Charge", nullptr, false, "DASHBOARD", false},
        {"standby", nullptr, false, "DASHBOARD", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        control<QLabel>("LProgress")->setText("before");
        setState([&](ChargerState& s) {
            s.chargerStatus = c.word;
            s.stageNumber = 3;
            s.chargeVoltage = 14.2;
            s.chargeCurrent = 1.5;
            s.elapsedSeconds = 100;
            s.chargeProgress = 80;
        });
        m_window->detect();
        m_window->display();
        const ChargerState s = m_window->state().snapshot();
        EXPECT_EQ(s.chargerStatus.empty(), c.cleared);
        EXPECT_EQ(s.stageNumber == 0 && s.chargeVoltage == 0 && s.chargeCurrent == 0 &&
                      s.elapsedSeconds == 0 && s.chargeProgress == 0,
                  c.zeroes);
        EXPECT_EQ(text("LVoltage"), volts(c.zeroes ? 0 : 14.2, "V"));
        if (c.progress) {
            // Stage 0 keeps the word; in stage 3 the percentage follows it in the same tick.
            EXPECT_EQ(text("LProgress"), c.zeroes ? QString::fromLatin1(c.progress) : "80%");
        }
        EXPECT_EQ(text("LTittle"), c.title);
    }
}

TEST_F(DashboardTest, BatteryDetectionHidesResultPanels) {
    for (const char* panel : {"RBefore", "RAfter", "RTest"}) control(panel)->show();
    setState([](ChargerState& s) { s.batteryStatus = "Baterai_Detected"; });
    m_window->detect();
    EXPECT_EQ(text("LProgress"), "BATTERY DETECTED");
    EXPECT_EQ(control("LProgress")->font().pixelSize(), 26);
    for (const char* panel : {"RBefore", "RAfter", "RTest"})
        EXPECT_TRUE(control(panel)->isHidden());
    EXPECT_TRUE(m_window->state().snapshot().batteryStatus.empty());
}

// "BATTERY DETECTED" shows whole inside the gauge's filling at the smallest and the largest
// window scale: seen as drawn, its letters keep clear of the label's sides.
TEST_F(DashboardTest, DetectedTextIsWholeAtEveryScale) {
    for (int screenWidth : {960, 2560}) {
        SCOPED_TRACE(screenWidth);
        m_window = std::make_unique<TVLForm>(std::make_unique<FakePlatform>(m_bt), screenWidth);
        m_window->show();
        setState([](ChargerState& s) { s.batteryStatus = "Baterai_Detected"; });
        m_window->detect();
        auto* label = control<QLabel>("LProgress");
        ASSERT_EQ(label->text(), "BATTERY DETECTED");

        auto* view = m_window->findChild<QGraphicsView*>("ContentView");
        ASSERT_NE(view, nullptr);
        const QRect inContent(label->mapTo(m_window->content(), QPoint(0, 0)), label->size());
        const QRect area = view->mapFromScene(QRectF(inContent))
                               .boundingRect()
                               .translated(view->viewport()->mapTo(m_window.get(), QPoint(0, 0)));
        const QImage shot = m_window->grab().toImage();
        // The text's rows: white letters across the middle of the label.
        const int top = area.center().y() - area.height() / 12,
                  bottom = area.center().y() + area.height() / 12;
        int left = area.right(), right = area.left();
        for (int y = top; y <= bottom; ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                if (std::min({c.red(), c.green(), c.blue()}) < 200) continue;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        ASSERT_LT(left, right) << "no text drawn";
        const int margin = area.width() / 50;  // clear of the sides, not cut by them
        EXPECT_GT(left, area.left() + margin);
        EXPECT_LT(right, area.right() - margin);
    }
}

TEST_F(DashboardTest, ResetReturnsToTheStartingValues) {
    setState([](ChargerState& s) {
        s.chargerStatus = "Test_Charge";
        s.stageNumber = 6;
        s.chargeVoltage = 13.6;
        s.elapsedSeconds = 99;
        s.before.cca = 300;
        s.after.resistance = 4.2;
        s.test.status = "GOOD";
        s.afterResultTag = "5";
        s.profileBrandIndex = 2;
        s.profileMode = "2";
        s.profileReceived = true;
        s.auxTexts = {"a", "b", "c"};
        s.voltageHistory = {"1300"};
        s.historyReady = true;
    });
    m_window->link().readerStop() = true;
    control<QLabel>("LBatterySeries")->setText("12N10-3B");
    control("RCAccu")->show();
    charts()->Series1->append(1, 13);
    m_window->rest();

    const ChargerState s = m_window->state().snapshot();
    EXPECT_FALSE(m_window->link().readerStop());
    EXPECT_EQ(s.stageNumber, 0);
    EXPECT_EQ(s.chargeVoltage, 0);
    EXPECT_EQ(s.elapsedSeconds, 0);
    EXPECT_EQ(s.before.cca, 0);
    EXPECT_EQ(s.after.resistance, 0);
    EXPECT_EQ(s.test.status, "");
    EXPECT_EQ(s.afterResultTag, "");
    EXPECT_EQ(s.profileMode, "");
    EXPECT_FALSE(s.profileReceived);
    EXPECT_EQ(s.profileBrandIndex, 0);
    EXPECT_EQ(s.profileTypeIndex, 0);
    EXPECT_EQ(s.auxTexts[1], "");
    // Not reset: the status word and the charge history.
    EXPECT_EQ(s.chargerStatus, "Test_Charge");
    EXPECT_EQ(s.voltageHistory.size(), 1u);
    EXPECT_TRUE(s.historyReady);

    EXPECT_EQ(text("LCCA"), "0");
    EXPECT_EQ(text("LiR"), QString::fromStdString(formatFixed2(0, m_window->numberFormat())));
    for (const char* label : {"LProgress", "LBatterySeries", "LBatteryBrand", "LBatteryType"})
        EXPECT_EQ(text(label), "-") << label;
    for (const char* panel : {"RCAccu", "RBefore", "RAfter", "RTest"})
        EXPECT_TRUE(control(panel)->isHidden()) << panel;
    EXPECT_EQ(charts()->Series1->count(), 0);
    EXPECT_TRUE(m_window->Timerloop()->isActive());
}

TEST_F(DashboardTest, TickRunsStepsInOrderSoZeroingShowsAtOnce) {
    setState([](ChargerState& s) {
        s.chargerStatus = "STANDBY";
        s.stageNumber = 2;
        s.chargeVoltage = 13.1;
        s.elapsedSeconds = 61;
    });
    m_window->TimerloopTimer();
    EXPECT_EQ(text("LVoltage"), volts(0, "V"));
    EXPECT_EQ(text("LProgress"), "STANDBY");
    EXPECT_EQ(text("LSecond"), "00");
    EXPECT_EQ(text("LChargingProgress"), "");
}

}  // namespace

// Every figure belongs to the battery it is shown with: a new battery or a new run clears
// the last one's CCA and iR, and a test-only run leaves its own result in view, not the
// zeros of the STANDBY that follows it.
TEST_F(DashboardTest, FiguresBelongToTheBatteryTheyAreShownWith) {
    const auto results = [this](int cca, double ir) {
        setState([=](ChargerState& s) {
            s.beforeResultTag = "1";
            s.before.cca = cca;
            s.before.resistance = ir;
        });
        m_window->TimerloopTimer();
    };
    for (const char* next : {"Baterai_Detected", "Charge Mode", "Test Mode"}) {
        SCOPED_TRACE(next);
        results(410, 4.5);
        ASSERT_EQ(text("LCCA"), "410");
        setState([=](ChargerState& s) {
            if (std::string(next) == "Baterai_Detected")
                s.batteryStatus = next;
            else
                s.chargerStatus = next;
        });
        m_window->TimerloopTimer();
        EXPECT_EQ(text("LCCA"), "0");
        EXPECT_EQ(text("LiR"), QString::fromStdString(formatFixed2(0.0, m_window->numberFormat())));
    }

    setState([](ChargerState& s) {
        s.chargerStatus = "Diag_Test_Charge";
        s.chargeVoltage = 11.40;
        s.elapsedSeconds = 11;
    });
    m_window->TimerloopTimer();
    setState([](ChargerState& s) {
        s.testResultTag = "0";
        s.test = {300, 6.5, 11.4, 12.5, "GOOD"};
    });
    m_window->TimerloopTimer();
    const QString volts =
        QString::fromStdString(formatFixed2(12.5, m_window->numberFormat())) + " V";
    EXPECT_EQ(text("LVoltage"), volts);
    EXPECT_EQ(text("LProgress"), "GOOD");
    EXPECT_EQ(text("LCCA"), "300");
    m_window->TimerloopTimer();  // the same reading again: the result stays
    setState([](ChargerState& s) {
        s.chargerStatus = "STANDBY";
        s.unseenStatusWord = "STANDBY";
    });
    m_window->TimerloopTimer();
    EXPECT_EQ(text("LVoltage"), volts);
    EXPECT_EQ(text("LProgress"), "GOOD");
    setState([](ChargerState& s) { s.batteryStatus = "Baterai_Detected"; });
    m_window->TimerloopTimer();
    EXPECT_EQ(text("LProgress"), "BATTERY DETECTED");
}
