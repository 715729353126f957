// The chart screen: the chart step through the window, the charts' look and time axis,
// long charges, and the offscreen picture for the receipt.
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineSeries>
#include <QSignalSpy>
#include <QValueAxis>
#include <cmath>
#include <optional>

#include "chart/ChartClock.h"
#include "gui_wait.h"
#include "monitor/ChartPlot.h"
#include "monitor/ChartScreen.h"
#include "window_fixture.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

constexpr double kSecond = 1.0 / 86400;

class ChartTest : public WindowTest {
protected:
    // The charts as the chart screen shows them (made on first use).
    ChartScreen* charts() {
        m_window->chartScreen()->buildCharts();
        return m_window->chartScreen();
    }

    // The charger's history of the charge so far, sent as it stands at the history's end.
    void sendHistory(std::vector<std::string> volts, std::vector<std::string> milliamps) {
        setState([&](ChargerState& s) {
            s.elapsedSeconds = 10 * static_cast<int>(volts.size());
            s.voltageHistory = std::move(volts);
            s.currentHistory = std::move(milliamps);
            s.historyReady = true;
        });
    }
    // A charge history of `samples` samples around 13 V and 2 A.
    void sendLongHistory(int samples) {
        std::vector<std::string> volts, milliamps;
        for (int i = 0; i < samples; ++i) {
            volts.push_back(std::to_string(1300 + static_cast<int>(60 * std::sin(i / 50.0))));
            milliamps.push_back(std::to_string(2000 + (i % 9) * 10));
        }
        sendHistory(volts, milliamps);
    }
    // A reading at the charger's time `elapsed`; without one, at the time it stands.
    void setLive(int stage, double volts, double amperes, std::optional<int> elapsed = {}) {
        setState([&](ChargerState& s) {
            s.stageNumber = stage;
            s.chargeVoltage = volts;
            s.chargeCurrent = amperes;
            if (elapsed) s.elapsedSeconds = *elapsed;
        });
    }
    void showCharts() {
        m_window->show();
        m_window->BT3ChartClick();
        ASSERT_TRUE(processEventsUntil([&] {
            return charts()->ChartVoltage->chart()->plotArea().width() > 0 &&
                   charts()->ChartCurrent->chart()->plotArea().width() > 0;
        }));
    }
    static QCategoryAxis* timeAxis(QChartView* view) {
        return qobject_cast<QCategoryAxis*>(view->chart()->axes(Qt::Horizontal).value(0));
    }
    static QValueAxis* valueAxis(QChartView* view) {
        return qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).value(0));
    }
};

std::vector<double> ys(const QLineSeries* series) {
    std::vector<double> values;
    for (const QPointF& p : series->points()) values.push_back(p.y());
    return values;
}

// Rows holding dark pixels in the middle third of the area above the plot: the title.
int titleInkHeight(const QImage& image, double plotTop) {
    int first = -1, last = -1;
    for (int y = 0; y < static_cast<int>(plotTop) - 8; ++y)
        for (int x = image.width() / 3; x < image.width() * 2 / 3; ++x)
            if (qGray(image.pixel(x, y)) < 100) {
                if (first < 0) first = y;
                last = y;
                break;
            }
    return first < 0 ? 0 : last - first + 1;
}

}  // namespace

TEST_F(ChartTest, TickPlotsTheHistoryThenTheLivePointInOneBatch) {
    sendHistory({"1250", "1300", "1320"}, {"2000", "1500", "500"});
    setLive(2, 13.47, 3.2);
    QSignalSpy replaced(charts()->Series1, &QXYSeries::pointsReplaced);
    QSignalSpy added(charts()->Series1, &QXYSeries::pointAdded);
    m_window->TimerloopTimer();

    std::vector<double> volts(10, 12.5), amps(10, 2.0);
    volts.insert(volts.end(), 10, 13.0);
    volts.insert(volts.end(), 10, 13.2);
    volts.push_back(13.47);
    amps.insert(amps.end(), 10, 1.5);
    amps.insert(amps.end(), 10, 0.5);
    amps.push_back(3.2);
    EXPECT_EQ(ys(charts()->Series1), volts);
    EXPECT_EQ(ys(charts()->Series2), amps);
    EXPECT_EQ(charts()->data().voltage.size(), 31u);
    EXPECT_EQ(charts()->Series1->at(0).x(), 0.0);  // the history fills from the charge's start
    EXPECT_NEAR(charts()->Series1->at(30).x(), 30 * kSecond, 1e-12);
    EXPECT_NEAR(charts()->chartClock(), 31 * kSecond, 1e-12);
    EXPECT_EQ(replaced.count(), 1);  // 31 points, one redraw
    EXPECT_EQ(added.count(), 0);
    EXPECT_TRUE(m_messages.isEmpty());

    setLive(5, 13.1, 0);
    m_window->TimerloopTimer();
    EXPECT_EQ(charts()->Series1->count(), 31);
}

// On a fast link the charger's last history and the empty end marker "#|5|*" come in one
// receive: the marker must not wipe the current history before the tick plots it.
TEST_F(ChartTest, HistoryAndEndMarkerInOneReceiveArePlotted) {
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    m_bt->peers[0]->send(
        "#|1|5|1310|0|20|100|*\r\n#|4|1250|1300|*\r\n#|5|2000|1500|*\r\n#|5|*\r\n");
    ASSERT_TRUE(processEventsUntil([&] { return m_window->state().snapshot().endOfTest; }));
    m_window->TimerloopTimer();

    std::vector<double> volts(10, 12.5), amps(10, 2.0);
    volts.insert(volts.end(), 10, 13.0);
    amps.insert(amps.end(), 10, 1.5);
    EXPECT_EQ(ys(charts()->Series1), volts);
    EXPECT_EQ(ys(charts()->Series2), amps);
    EXPECT_TRUE(m_window->state().snapshot().endOfTest);  // results still read as reversed
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(ChartTest, ChartsMadeAtTheFirstLookShowWhatWasPlottedBefore) {
    ChartScreen* screen = m_window->chartScreen();
    sendHistory({"1250", "1300"}, {"2000", "1500"});
    setLive(3, 13.6, 1.1);
    m_window->TimerloopTimer();
    m_window->TimerloopTimer();
    EXPECT_FALSE(screen->chartsBuilt());
    EXPECT_EQ(m_window->content()->findChildren<QChartView*>().size(), 0);
    EXPECT_EQ(screen->stageTitle(), "Stage 3");

    showCharts();
    ASSERT_EQ(screen->data().voltage.size(), 21u);  // the second tick had no new reading
    ASSERT_GT(screen->Series1->count(), 1);
    EXPECT_EQ(screen->Series1->at(0), QPointF(0, 12.5));
    EXPECT_NEAR(screen->Series1->points().back().x(), 20 * kSecond, 1e-12);
    EXPECT_EQ(screen->Series1->points().back().y(), 13.6);
    EXPECT_EQ(screen->Series2->points().back().y(), 1.1);
    EXPECT_EQ(screen->ChartVoltage->chart()->title(), "Tahap 3");
    EXPECT_EQ(screen->ChartCurrent->chart()->title(), "Tahap 3");
    EXPECT_EQ(m_window->content()->findChildren<QChartView*>().size(), 2);
    EXPECT_TRUE(screen->ChartVoltage->isVisible());
    EXPECT_TRUE(screen->ChartCurrent->isVisible());
}

TEST_F(ChartTest, BadHistoryItemIsReportedAndThePointsBeforeItStay) {
    sendHistory({"1250", "13x0", "1320"}, {"2000", "1500", "500"});
    setLive(2, 13.47, 3.2);
    m_window->chart();
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("'13x0' bukan angka desimal yang sah")});
    EXPECT_EQ(charts()->Series1->count(), 10);
    EXPECT_EQ(charts()->Series2->count(), 10);
    EXPECT_FALSE(m_window->state().snapshot().historyReady);

    m_window->chart();  // the next tick plots the live point again
    EXPECT_EQ(charts()->Series1->count(), 11);
    EXPECT_EQ(m_messages.size(), 1);
}

TEST_F(ChartTest, StageOneAndTheResetStartTheChartsAgainAtZero) {
    for (const bool byReset : {false, true}) {
        SCOPED_TRACE(byReset);
        charts()->clearSeries();
        setLive(3, 14.4, 1.2, 700);
        m_window->chart();
        setLive(3, 14.4, 1.2, 701);
        m_window->chart();
        EXPECT_EQ(charts()->Series1->count(), 2);
        if (byReset) {
            m_window->rest();
        } else {
            setLive(1, 12.4, 0, 1);
            m_window->display();
        }
        EXPECT_EQ(charts()->Series1->count(), 0);
        EXPECT_EQ(charts()->Series2->count(), 0);
        EXPECT_TRUE(charts()->data().voltage.empty());
        EXPECT_TRUE(charts()->data().current.empty());
        EXPECT_EQ(charts()->chartClock(), 0.0);
        EXPECT_EQ(timeAxis(charts()->ChartVoltage)->min(), 0.0);
        setLive(2, 13.0, 2.5, 9);
        m_window->chart();
        EXPECT_NEAR(charts()->Series1->at(0).x(), 9 * kSecond, 1e-12);
    }
}

// The live chart is on the charge's own time, as the charger counts it and the dashboard
// shows it: a receipt or a lost link leaves that time alone, and the axis starts at 0:00.
TEST_F(ChartTest, ThePointsLieOnTheChargesOwnTime) {
    setLive(2, 13.0, 2.5, 3725);  // 1:02:05 into the charge
    m_window->TimerloopTimer();
    EXPECT_EQ(control<QLabel>("LHour")->text() + ":" + control<QLabel>("LMinute")->text(), "01:02");
    EXPECT_NEAR(charts()->data().voltage.points().front().x, 3725 * kSecond, 1e-12);
    m_window->TimerloopTimer();  // no new reading, no new point
    EXPECT_EQ(charts()->data().voltage.size(), 1u);
    setLive(2, 13.1, 2.5, 3790);  // a minute later, as after a receipt
    m_window->TimerloopTimer();
    ASSERT_EQ(charts()->data().voltage.size(), 2u);
    EXPECT_NEAR(charts()->data().voltage.points().back().x, 3790 * kSecond, 1e-12);
    showCharts();
    EXPECT_EQ(timeAxis(charts()->ChartVoltage)->min(), 0.0);
    EXPECT_EQ(timeAxis(charts()->ChartVoltage)->categoriesLabels().value(0), "0:00");
}

TEST_F(ChartTest, BothChartsHaveTheScreensLook) {
    struct Row {
        QChartView* view;
        QLineSeries* series;
        const char* name;
        QRect geometry;
        const char* caption;
        double minimum, maximum, step;
    } rows[] = {
        {charts()->ChartVoltage,
         charts()->Series1,
         "ChartVoltage",
         {0, 0, 960, 240},
         "Tegangan ( V )",
         10,
         15,
         1},
        {charts()->ChartCurrent,
         charts()->Series2,
         "ChartCurrent",
         {0, 240, 960, 240},
         "Arus ( A )",
         0,
         20,
         4},
    };
    showCharts();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.view->objectName(), row.name);
        EXPECT_EQ(row.view->geometry(), row.geometry);
        QChart* chart = row.view->chart();
        EXPECT_EQ(chart->series(), QList<QAbstractSeries*>{row.series});
        EXPECT_EQ(chart->title(), "Tahap 1");
        EXPECT_TRUE(chart->titleFont().bold());
        EXPECT_EQ(chart->titleBrush().color(), QColor(Qt::black));
        EXPECT_FALSE(chart->legend()->isVisible());
        EXPECT_EQ(chart->backgroundBrush().color(), QColor(Qt::white));
        EXPECT_EQ(chart->margins(), QMargins(1, 1, 1, 1));
        EXPECT_EQ(row.series->pen().color(), QColor(Qt::black));
        EXPECT_FALSE(row.series->pointsVisible());

        QValueAxis* y = valueAxis(row.view);
        ASSERT_NE(y, nullptr);
        EXPECT_EQ(y->titleText(), row.caption);
        EXPECT_EQ(y->min(), row.minimum);
        EXPECT_EQ(y->max(), row.maximum);
        EXPECT_EQ(y->tickInterval(), row.step);
        EXPECT_EQ(y->tickAnchor(), row.minimum);
        QCategoryAxis* x = timeAxis(row.view);
        ASSERT_NE(x, nullptr);
        EXPECT_EQ(x->titleText(), "Waktu");
        EXPECT_FALSE(x->isGridLineVisible());
        // Right after start-up: ten minutes from 0:00, a label every minute.
        EXPECT_EQ(x->min(), 0.0);
        EXPECT_NEAR(x->max(), 10 * kMinuteInDays, 1e-12);
        EXPECT_EQ(x->categoriesLabels().mid(0, 3), (QStringList{"0:00", "0:01", "0:02"}));
    }
}

TEST_F(ChartTest, TimeAxisCoversTheWholeChargeAndItsLabelsNeverMeet) {
    showCharts();
    sendLongHistory(9000);  // a day's charge: 90 000 points
    m_window->chart();
    setLive(4, 14.7, 0.3);
    for (int i = 0; i < 5; ++i) m_window->chart();
    QCoreApplication::processEvents();

    for (QChartView* view : {charts()->ChartVoltage, charts()->ChartCurrent}) {
        SCOPED_TRACE(view->objectName().toStdString());
        QCategoryAxis* x = timeAxis(view);
        QChart* chart = view->chart();
        EXPECT_EQ(x->min(), 0.0);
        EXPECT_GE(x->max(), 90000 * kSecond);  // to the last point, within two pixels
        EXPECT_LT(x->max(), 90000 * kSecond * (1 + 2 / chart->plotArea().width()));
        const QStringList labels = x->categoriesLabels();
        ASSERT_GE(labels.size(), 5);
        EXPECT_EQ(labels.first(), "0:00");
        const QFontMetricsF metrics(x->labelsFont());
        double previousRight = -1e9;
        for (const QString& label : labels) {
            const double centre = chart->mapToPosition(QPointF(x->endValue(label), 12)).x();
            const double half = metrics.horizontalAdvance(label) / 2;
            EXPECT_GT(centre - half, previousRight) << label.toStdString();
            EXPECT_LE(centre + half, chart->size().width()) << label.toStdString();
            previousRight = centre + half;
        }
    }
}

TEST_F(ChartTest, DayLongChargeDrawsAFewPointsAndStoresEveryOne) {
    showCharts();
    std::vector<std::string> volts(9000, "1350"), milliamps(9000, "2000");
    volts[4321] = "1790";  // one spike and one dip among 90 000 points
    milliamps[6000] = "100";
    sendHistory(volts, milliamps);
    m_window->chart();

    EXPECT_EQ(charts()->data().voltage.size(), 90000u);
    EXPECT_EQ(charts()->data().current.size(), 90000u);
    const double plotWidth = charts()->ChartVoltage->chart()->plotArea().width();
    EXPECT_LE(charts()->Series1->count(), 2 * plotWidth + 2);
    const std::vector<double> drawnVolts = ys(charts()->Series1);
    EXPECT_EQ(*std::max_element(drawnVolts.begin(), drawnVolts.end()), 17.9);
    const std::vector<double> drawnAmps = ys(charts()->Series2);
    EXPECT_EQ(*std::min_element(drawnAmps.begin(), drawnAmps.end()), 0.1);
}

TEST_F(ChartTest, PrintPictureIsLaidOutForItsSizeAndLeavesTheScreenAlone) {
    showCharts();
    sendLongHistory(300);
    setState([](ChargerState& s) { s.stageNumber = 2; });
    m_window->TimerloopTimer();
    QCoreApplication::processEvents();
    QChartView* view = charts()->ChartVoltage;
    const QRect geometry = view->geometry();
    const QSizeF chartSize = view->chart()->size();
    const QList<QPointF> drawn = charts()->Series1->points();
    const QImage screen = view->grab().toImage();

    const QImage voltage = charts()->renderForPrint(kVoltageKind, QSize(384, 300));
    const QImage current = charts()->renderForPrint(kCurrentKind, QSize(384, 300));
    ASSERT_EQ(voltage.size(), QSize(384, 300));
    ASSERT_EQ(current.size(), QSize(384, 300));
    EXPECT_NE(voltage, current);
    EXPECT_EQ(voltage.pixelColor(0, 0), QColor(Qt::white));
    // Titles and labels keep their size (laid out anew), not shrunk to 40 %.
    const int screenTitle = titleInkHeight(screen, view->chart()->plotArea().top());
    ASSERT_GT(screenTitle, 8);
    EXPECT_NEAR(titleInkHeight(voltage, 40), screenTitle, 1);
    // The screen's chart kept its size, points and title.
    EXPECT_EQ(view->geometry(), geometry);
    EXPECT_EQ(view->chart()->size(), chartSize);
    EXPECT_EQ(charts()->Series1->points(), drawn);
    EXPECT_EQ(view->chart()->title(), "Tahap 2");

    EXPECT_TRUE(charts()->renderForPrint(kVoltageKind, QSize(0, 300)).isNull());
}
