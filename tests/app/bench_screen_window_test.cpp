// The bench screen in the window: its place in the top bar, the bay's name beside the
// detail screens' title, and a picture of a full bench in both languages.
#include <QDir>
#include <QGraphicsView>
#include <QImage>
#include <QLabel>
#include <QTest>

#include "monitor/AddBayDialog.h"
#include "monitor/BayCard.h"
#include "monitor/BenchScreen.h"
#include "shell/TopBar.h"
#include "widgets/FittedLabel.h"
#include "widgets/Language.h"
#include "widgets/Picture.h"
#include "widgets/QuestionDialog.h"
#include "widgets/Theme.h"
#include "window_fixture.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

using Link = BayView::Link;
using Outcome = BayView::Outcome;

// Six bays as a busy bench has them: one in each state a card can show.
QVector<BayView> busyBench() {
    auto charge = [](double from, double to, int seconds) {
        QVector<QPointF> curve;
        for (int t = 0; t <= seconds; t += 60)
            curve.append({double(t), to - (to - from) * std::exp(-3.0 * t / seconds)});
        return curve;
    };
    QVector<BayView> bays(6);
    const char* batteries[] = {"GS Astra GTZ5S",   "Yuasa YTX7L-BS", "Motobatt MTX9A",
                               "GS Astra GM5Z-3B", "Yuasa YB7C-A",   "Aspira AZ5S"};
    for (int i = 0; i < 6; ++i) {
        BayView& b = bays[i];
        b.label = QStringLiteral("Rak %1").arg(i + 1);
        b.deviceName = QStringLiteral("VELMORA-CHG-%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        b.deviceAddress = QStringLiteral("00:1A:7D:DA:71:%1").arg(i + 10);
        b.battery = QString::fromLatin1(batteries[i]);
        b.link = Link::Live;
    }
    bays[0].stage = 3;  // charging
    bays[0].voltage = 14.32;
    bays[0].current = 0.84;
    bays[0].progress = 72;
    bays[0].elapsedSeconds = 2 * 3600 + 14 * 60 + 9;
    bays[0].curve = charge(12.4, 14.4, 8000);
    bays[1].link = Link::Reconnecting;  // reconnecting
    bays[1].attempt = 3;
    bays[1].stage = 2;
    bays[1].voltage = 13.71;
    bays[1].current = 1.98;
    bays[1].progress = 41;
    bays[1].elapsedSeconds = 47 * 60 + 30;
    bays[1].curve = charge(12.1, 14.0, 2850);
    bays[2].link = Link::Lost;  // lost
    bays[2].stage = 2;
    bays[2].voltage = 13.2;
    bays[2].current = 1.5;
    bays[2].progress = 23;
    bays[2].elapsedSeconds = 18 * 60 + 2;
    bays[2].curve = charge(12.0, 13.3, 1080);
    bays[3].stage = 6;  // finished
    bays[3].voltage = 13.62;
    bays[3].current = 0.1;
    bays[3].progress = 100;
    bays[3].elapsedSeconds = 5 * 3600 + 2 * 60 + 44;
    bays[3].curve = charge(12.3, 14.4, 18000);
    bays[3].result = QStringLiteral("GOOD");
    bays[3].outcome = Outcome::Finished;
    bays[4].stage = 5;  // battery fault
    bays[4].voltage = 11.42;
    bays[4].progress = 100;
    bays[4].elapsedSeconds = 3 * 3600 + 40 * 60;
    bays[4].curve = charge(11.2, 12.9, 13200);
    bays[4].result = QStringLiteral("REPLACE BATTERY");
    bays[4].outcome = Outcome::BatteryFault;
    bays[5].voltage = 12.61;  // test result
    bays[5].elapsedSeconds = 95;
    bays[5].curve = charge(12.7, 11.4, 95);
    bays[5].result = QStringLiteral("GOOD - CCA 412");
    return bays;
}

class BenchScreenWindowTest : public WindowTest {
protected:
    BenchScreen* bench() { return control<BenchScreen>("M6Bench"); }
    TopBar* topBar() { return control<TopBar>("Footer"); }
};

TEST_F(BenchScreenWindowTest, TheTopBarNamesTheBayTheDetailScreensShow) {
    m_window->BT1Dashboard2Click();
    auto* name = control<QLabel>("LBayName");
    auto* title = control<QLabel>("LTittle");
    const int alone = title->height();
    EXPECT_FALSE(name->isVisibleTo(m_window->content()));
    topBar()->showBayName(QStringLiteral("Rak 2"));
    EXPECT_TRUE(name->isVisibleTo(m_window->content()));
    EXPECT_EQ(name->text(), "Rak 2");
    // Beneath the title, both inside the bar, neither over the other.
    EXPECT_LT(title->height(), alone);
    EXPECT_GE(name->y(), title->geometry().bottom() - 4);
    EXPECT_LE(name->geometry().bottom(), TopBar::kHeight);
    // On the chart's light background it takes the title's dark colour.
    m_window->BT3ChartClick();
    EXPECT_EQ(ui::textColor(name), ui::textColor(title));
    m_window->BT1Dashboard2Click();
    EXPECT_EQ(ui::textColor(name), ui::kAccent);
    topBar()->showBayName(QString());
    EXPECT_FALSE(name->isVisibleTo(m_window->content()));
    EXPECT_EQ(title->height(), alone);
}

// The bench's button joins the bar without moving the other four or running into the
// link's alert.
TEST_F(BenchScreenWindowTest, TheBenchButtonSitsBeforeTheOthers) {
    auto at = [&](const char* name) { return control(name)->mapTo(m_window->content(), QPoint()); };
    EXPECT_EQ(at("BT1Dashboard"), QPoint(540, 0));
    EXPECT_EQ(at("BT2Diagnostic"), QPoint(660, 0));
    EXPECT_EQ(at("BT3Chart"), QPoint(780, 0));
    const QRect bench(at("BT5Bench"), control("BT5Bench")->size());
    EXPECT_EQ(bench.right() + 1, 540);
    const QRect alert(at("LLinkAlert"), control("LLinkAlert")->size());
    EXPECT_LT(alert.right(), bench.left());
    // The longest alert still fits the bar's height.
    auto* label = control<QLabel>("LLinkAlert");
    label->setText(QStringLiteral("Charger terputus, menyambung ulang (percobaan 123)"));
    EXPECT_LE(label->heightForWidth(label->width()), TopBar::kHeight);
}

// A picture of a full bench in each language: every card readable, written to
// $VELMORA_BENCH_PICTURES when set so that it can be looked at.
TEST_F(BenchScreenWindowTest, AFullBenchInBothLanguages) {
    const QString folder = qEnvironmentVariable("VELMORA_BENCH_PICTURES");
    struct Row {
        ui::Language language;
        const char* code;
        const char* live;
        const char* done;
        const char* title;
    } rows[] = {{ui::Language::Indonesian, "id", "Terhubung", "SELESAI", "RAK"},
                {ui::Language::English, "en", "Connected", "DONE", "BENCH"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        ASSERT_TRUE(ui::applyLanguage(row.language));
        m_window = std::make_unique<TVLForm>(std::make_unique<FakePlatform>(m_bt), 1366);
        m_window->show();
        m_window->BT5BenchClick();
        BenchScreen* screen = bench();
        screen->setBays(busyBench());
        screen->setSelected(0);
        EXPECT_EQ(text("LTittle"), row.title);
        BayCard* first = screen->card(0);
        BayCard* finished = screen->card(3);
        ASSERT_TRUE(first && finished);
        EXPECT_EQ(first->LBayLink->text(), row.live);
        EXPECT_EQ(finished->LBayWord->text(), row.done);
        // Every text of every card whole, none cut short.
        for (int i = 0; i < screen->bayCount(); ++i)
            for (QLabel* label : screen->card(i)->findChildren<QLabel*>()) {
                if (!label->isVisibleTo(screen) || label->text().isEmpty()) continue;
                EXPECT_FALSE(label->text().endsWith(QChar(0x2026)) && !label->toolTip().isEmpty())
                    << i << " " << label->objectName().toStdString() << " "
                    << label->toolTip().toStdString();
            }
        const QImage picture = m_window->grab().toImage();
        EXPECT_FALSE(picture.isNull());
        if (!folder.isEmpty()) {
            const QDir out(folder);
            QDir().mkpath(folder);
            auto save = [&](const char* name) {
                QCoreApplication::processEvents();  // the view draws what changed
                EXPECT_TRUE(m_window->grab().toImage().save(
                    out.filePath(QStringLiteral("%1_%2.png")
                                     .arg(QLatin1String(name), QLatin1String(row.code)))));
            };
            save("bench");
            screen->setBays({});
            save("bench_empty");
            screen->setBays(busyBench());
            // Eight across four columns, the add list, the remove question.
            QVector<BayView> eight = busyBench() + busyBench().mid(0, 2);
            eight[6].label = QStringLiteral("Rak 7");
            eight[7].label = QStringLiteral("Rak 8");
            screen->setBays(eight);
            save("bench8");
            screen->setAddable(
                {{QStringLiteral("VELMORA-CHG-09"), QStringLiteral("00:1A:7D:DA:71:19")},
                 {QStringLiteral("tcp:127.0.0.1:5601"), QStringLiteral("tcp:127.0.0.1:5601")}});
            screen->BTTambahCharger->click();
            QTest::qWait(ui::SlideInDialog::kSlideMs + 50);
            save("bench_add");
            screen->LayoutTambahCharger->close();
            screen->card(2)->BTHapusBay->click();
            QTest::qWait(ui::SlideInDialog::kSlideMs + 50);
            save("bench_remove");
            screen->LayoutHapusBay->close();
            // The dashboard of the chosen bay, named beneath its title.
            m_window->BT1Dashboard2Click();
            topBar()->showBayName(QStringLiteral("Rak 1 · VELMORA-CHG-01"));
            save("dashboard_bay");
            m_window->BT3ChartClick();
            save("chart_bay");
        }
        m_window.reset();
    }
    ui::applyLanguage(ui::Language::Indonesian);
}

}  // namespace
