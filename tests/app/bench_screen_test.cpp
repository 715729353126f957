// The bench screen: one card per bay driven by plain views, the cards that must be seen
// from across the room, and adding, removing, renaming and choosing bays by mouse and
// keyboard.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <limits>

#include "monitor/AddBayDialog.h"
#include "monitor/BayCard.h"
#include "monitor/BayCurve.h"
#include "monitor/BenchScreen.h"
#include "widgets/FittedLabel.h"
#include "widgets/Picture.h"
#include "widgets/QuestionDialog.h"

using namespace velmora;

namespace {

using Link = BayView::Link;
using Outcome = BayView::Outcome;

BayView bay(int n, Link link = Link::Live) {
    BayView v;
    v.label = QStringLiteral("Rak %1").arg(n);
    v.deviceName = QStringLiteral("VELMORA-CHG-%1").arg(n);
    v.deviceAddress = QStringLiteral("00:11:22:33:44:%1").arg(n, 2, 10, QLatin1Char('0'));
    v.link = link;
    return v;
}

QVector<BayView> bays(int count) {
    QVector<BayView> all;
    for (int i = 1; i <= count; ++i) all.append(bay(i));
    return all;
}

// The window's content as the screens have it: 960 x 540 with the screens' area below the
// top bar, shown on the offscreen platform so that painting happens.
class BenchScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_content.setFixedSize(960, 540);
        m_main = new QWidget(&m_content);
        m_main->setGeometry(0, 62, 960, 478);
        m_screen = new BenchScreen(m_main, NumberFormat{','});
        m_content.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_content));
    }

    BayCard* card(int i) {
        return m_screen->findChild<BayCard*>(QStringLiteral("BayCard%1").arg(i));
    }
    template <typename T = QLabel>
    T* part(int i, const char* name) {
        BayCard* c = card(i);
        EXPECT_NE(c, nullptr) << i;
        return c ? c->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    }
    QString shown(int i, const char* name) {
        QLabel* label = part(i, name);
        return label && label->isVisibleTo(card(i)) ? label->text() : QString();
    }
    QWidget* named(const char* name) {
        auto* found = m_content.findChild<QWidget*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QWidget m_content;
    QWidget* m_main = nullptr;
    BenchScreen* m_screen = nullptr;
};

// What a card says for the states a bay goes through; the large word and the fill only
// for a finished charge, a battery fault and a lost link.
TEST_F(BenchScreenTest, EachCardShowsItsBaysView) {
    struct Row {
        const char* what;
        std::function<void(BayView&)> set;
        const char* link;
        const char* stageOrResult;
        const char* word;  // "" for none: voltage and current are shown instead
        BayLook look;
    } rows[] = {
        {"connecting", [](BayView& v) { v.link = Link::Connecting; }, "Menyambungkan…", "-", "",
         BayLook::Waiting},
        {"live charging",
         [](BayView& v) {
             v.stage = 3;
             v.progress = 57;
         },
         "Terhubung", "Tahap 3 · CONSTANT VOLTAGE 1", "", BayLook::Normal},
        {"reconnecting",
         [](BayView& v) {
             v.link = Link::Reconnecting;
             v.attempt = 4;
             v.stage = 2;
         },
         "Menyambung ulang (percobaan 4)", "Tahap 2 · CONSTANT CURRENT", "", BayLook::Waiting},
        // The large word says the link went; the line keeps the last readings.
        {"lost", [](BayView& v) { v.link = Link::Lost; }, "Bacaan terakhir 14,40 V · 1,25 A", "-",
         "TERPUTUS", BayLook::Lost},
        {"finished",
         [](BayView& v) {
             v.stage = 6;
             v.result = QStringLiteral("GOOD");
             v.outcome = Outcome::Finished;
         },
         "Terhubung", "GOOD", "SELESAI", BayLook::Finished},
        {"battery fault",
         [](BayView& v) {
             v.result = QStringLiteral("REPLACE");
             v.outcome = Outcome::BatteryFault;
         },
         "Terhubung", "REPLACE", "AKI RUSAK", BayLook::Fault},
        // A known outcome outlasts the link; the link line still tells it went.
        {"finished, then lost",
         [](BayView& v) {
             v.link = Link::Lost;
             v.result = QStringLiteral("GOOD");
             v.outcome = Outcome::Finished;
         },
         "Terputus", "GOOD", "SELESAI", BayLook::Finished},
        {"test result without outcome", [](BayView& v) { v.result = QStringLiteral("WEAK"); },
         "Terhubung", "WEAK", "", BayLook::Normal},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        BayView v = bay(1);
        v.battery = QStringLiteral("Yuasa YTZ5S");
        v.voltage = 14.4;
        v.current = 1.25;
        v.elapsedSeconds = 3 * 3600 + 7 * 60 + 5;
        row.set(v);
        m_screen->setBays({v});
        EXPECT_EQ(shown(0, "LBayLabel"), "Rak 1");
        EXPECT_EQ(shown(0, "LBayDevice"), "VELMORA-CHG-1");
        EXPECT_EQ(shown(0, "LBayLink"), row.link);
        EXPECT_EQ(shown(0, "LBayBattery"), "Yuasa YTZ5S");
        EXPECT_EQ(shown(0, "LBayElapsed"), "3:07:05");
        const QString stage = shown(0, "LBayStage") + shown(0, "LBayResult");
        EXPECT_EQ(stage, row.stageOrResult);
        EXPECT_EQ(shown(0, "LBayWord"), row.word);
        const bool word = *row.word != 0;
        EXPECT_EQ(shown(0, "LBayVoltage"), word ? "" : "14,40 V");
        EXPECT_EQ(shown(0, "LBayCurrent"), word ? "" : "1,25 A");
        EXPECT_EQ(card(0)->look(), row.look);
    }
}

TEST_F(BenchScreenTest, TextsOfTheCardsParts) {
    EXPECT_EQ(elapsedText(0), "0:00:00");
    EXPECT_EQ(elapsedText(59), "0:00:59");
    EXPECT_EQ(elapsedText(3600 + 61), "1:01:01");
    EXPECT_EQ(elapsedText(30 * 3600), "30:00:00");  // a charge left over a weekend
    EXPECT_EQ(elapsedText(-5), "0:00:00");
    EXPECT_EQ(bayStageText(0), "-");
    EXPECT_EQ(bayStageText(7), "-");
    EXPECT_EQ(bayStageText(6), "Tahap 6 · FLOATING");
    BayView v = bay(1, Link::Reconnecting);
    EXPECT_EQ(bayLinkText(v), "Menyambung ulang…");  // before its first attempt
    m_screen->setBays({bay(1)});
    BayView empty = bay(1);
    empty.battery.clear();
    m_screen->setBays({empty});
    EXPECT_EQ(shown(0, "LBayBattery"), "Aki belum dipilih");
    EXPECT_EQ(shown(0, "LBayProgress"), "0%");
}

// Filled cards differ from each other and from the others in their whole colour, not in a
// detail: sampled inside each card's body, clear of its texts.
TEST_F(BenchScreenTest, FinishedFaultAndLostCardsStandOutInTheirFill) {
    QVector<BayView> all = bays(6);
    all[1].link = Link::Reconnecting;
    all[2].link = Link::Lost;
    all[3].outcome = Outcome::Finished;
    all[4].outcome = Outcome::BatteryFault;
    m_screen->setBays(all);
    auto fillOf = [&](int i) {
        const QImage picture = card(i)->grab().toImage();
        return picture.pixelColor(picture.width() - 12, picture.height() / 2);
    };
    const QColor live = fillOf(0), waiting = fillOf(1), lost = fillOf(2), finished = fillOf(3),
                 fault = fillOf(4);
    EXPECT_EQ(waiting, live);  // a reconnect only rings its card
    for (const QColor& filled : {lost, finished, fault}) EXPECT_GT(filled.saturation(), 150);
    EXPECT_LT(live.saturation(), 60);
    EXPECT_GT(finished.green(), finished.red() * 2);
    EXPECT_GT(fault.red(), fault.green() * 2);
    EXPECT_GT(lost.red(), lost.blue() * 2);
    EXPECT_GT(lost.green(), fault.green() * 2);  // amber, not the fault's red
    for (int i : {2, 3, 4})
        EXPECT_GE(part<ui::FittedLabel>(i, "LBayWord")->fittedFont().pixelSize(), 30) << i;
}

TEST_F(BenchScreenTest, CardsAreMadeAndRemovedToMatchTheBays) {
    struct Row {
        int count;
        int across;
    } rows[] = {{3, 3}, {6, 3}, {8, 4}, {7, 4}, {2, 3}, {0, 0}, {1, 3}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.count);
        m_screen->setBays(bays(row.count));
        EXPECT_EQ(m_screen->bayCount(), row.count);
        EXPECT_EQ(card(row.count), nullptr);
        for (int i = 0; i < row.count; ++i) {
            ASSERT_NE(card(i), nullptr) << i;
            EXPECT_EQ(shown(i, "LBayLabel"), QStringLiteral("Rak %1").arg(i + 1));
            EXPECT_EQ(card(i)->x() > card(0)->x(), i % row.across != 0) << i;
            EXPECT_EQ(card(i)->y() > card(0)->y(), i >= row.across) << i;
        }
        EXPECT_EQ(named("LBenchEmpty")->isVisible(), row.count == 0);
        EXPECT_EQ(named("LBenchHint")->isVisible(), row.count > 0);
    }
}

// The grid fills the screen: three or four across, two rows, inside the screen; more
// than eight run on below and the screen scrolls to them.
TEST_F(BenchScreenTest, CardPlacesFillTheScreen) {
    const QSize area = m_screen->BayScroll->size();
    for (int count : {6, 8}) {
        const QVector<QRect> places = BenchScreen::cardPlaces(count, area);
        const QRect last = places.back();
        EXPECT_GT(last.right(), area.width() - 20) << count;
        EXPECT_GT(last.bottom(), area.height() - 20) << count;
        EXPECT_LE(last.right(), area.width()) << count;
        EXPECT_LE(last.bottom(), area.height()) << count;
        for (int i = 1; i < count; ++i) EXPECT_FALSE(places[i].intersects(places[i - 1]));
    }
    m_screen->setBays(bays(10));
    QWidget* grid = m_screen->BayScroll->widget();
    EXPECT_GT(grid->height(), area.height());
    card(9)->setFocus();
    m_screen->BayScroll->ensureWidgetVisible(card(9));
    EXPECT_GT(m_screen->BayScroll->verticalScrollBar()->value(), 0);
}

// A card is drawn again only when its view changed: six cards updated once a second
// must not redraw the whole screen.
TEST_F(BenchScreenTest, OnlyTheCardWhoseViewChangedIsRedrawn) {
    QVector<BayView> all = bays(3);
    for (BayView& v : all) v.curve = {{0, 12.5}, {60, 13.1}, {120, 13.9}};
    m_screen->setBays(all);
    QTest::qWait(50);
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Paint) ++paints;
            return false;
        }
    } counters[3];
    for (int i = 0; i < 3; ++i) {
        card(i)->installEventFilter(&counters[i]);
        for (QWidget* child : card(i)->findChildren<QWidget*>())
            child->installEventFilter(&counters[i]);
    }
    m_screen->setBays(all);  // the same views again
    all[1].voltage = 13.95;
    all[1].curve.append({180, 13.95});
    m_screen->setBays(all);
    QTest::qWait(50);
    EXPECT_EQ(counters[0].paints, 0);
    EXPECT_GT(counters[1].paints, 0);
    EXPECT_EQ(counters[2].paints, 0);
    for (int i = 0; i < 3; ++i) {
        card(i)->removeEventFilter(&counters[i]);
        for (QWidget* child : card(i)->findChildren<QWidget*>())
            child->removeEventFilter(&counters[i]);
    }
}

TEST_F(BenchScreenTest, TheCurveKeepsItsPointsInsideItsBox) {
    const QRectF box(0, 0, 200, 40);
    // A steady voltage draws a line across the middle, not a full-height zigzag.
    const QPolygonF steady = BayCurve::scaled({{0, 13.60}, {10, 13.61}, {20, 13.60}}, box);
    ASSERT_EQ(steady.size(), 3);
    for (const QPointF& p : steady) EXPECT_NEAR(p.y(), 20, 2);
    EXPECT_DOUBLE_EQ(steady.front().x(), 0);
    EXPECT_DOUBLE_EQ(steady.back().x(), 200);
    const QPolygonF rising = BayCurve::scaled(
        {{0, 12.0}, {50, std::numeric_limits<double>::quiet_NaN()}, {100, 14.4}}, box);
    ASSERT_EQ(rising.size(), 2);  // the unreadable point is left out
    EXPECT_DOUBLE_EQ(rising.front().y(), 40);
    EXPECT_DOUBLE_EQ(rising.back().y(), 0);
    EXPECT_TRUE(BayCurve::scaled({{0, 12.0}}, box).isEmpty());
    EXPECT_EQ(BayCurve::scaled({{5, 12.0}, {5, 12.2}}, box).size(), 2);  // no division by 0
}

TEST_F(BenchScreenTest, ChoosingACardByMouseAndKeyboard) {
    m_screen->setBays(bays(6));
    QSignalSpy chosen(m_screen, &BenchScreen::baySelected);
    QTest::mouseClick(card(4), Qt::LeftButton, {}, QPoint(40, 100));
    card(2)->setFocus();
    QTest::keyClick(card(2), Qt::Key_Return);
    QTest::keyClick(card(2), Qt::Key_Space);
    ASSERT_EQ(chosen.count(), 3);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 4);
    EXPECT_EQ(chosen.at(1).at(0).toInt(), 2);
    // The arrows walk the grid, three across, and stop at its edges.
    struct Step {
        Qt::Key key;
        int from, to;
    } steps[] = {{Qt::Key_Right, 0, 1}, {Qt::Key_Down, 1, 4}, {Qt::Key_Left, 4, 3},
                 {Qt::Key_Left, 3, 3},  {Qt::Key_Up, 3, 0},   {Qt::Key_Up, 0, 0},
                 {Qt::Key_Right, 2, 2}, {Qt::Key_Down, 5, 5}};
    for (const Step& s : steps) {
        card(s.from)->setFocus();
        QTest::keyClick(card(s.from), s.key);
        EXPECT_TRUE(card(s.to)->hasFocus()) << s.from << " -> " << s.to;
    }
    m_screen->setSelected(2);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(card(i)->isSelected(), i == 2) << i;
    m_screen->setSelected(-1);
    for (int i = 0; i < 6; ++i) EXPECT_FALSE(card(i)->isSelected()) << i;
}

TEST_F(BenchScreenTest, AddingOffersThePairedChargersNotWatched) {
    QSignalSpy added(m_screen, &BenchScreen::addRequested);
    auto* dialog = m_screen->LayoutTambahCharger;
    auto* list = dialog->ListTambahCharger;
    m_screen->setAddable({{QStringLiteral("VELMORA-CHG-7"), QStringLiteral("AA:00:00:00:00:07")},
                          {QStringLiteral("VELMORA-CHG-8"), QStringLiteral("AA:00:00:00:00:08")}});
    m_screen->BTTambahCharger->click();
    ASSERT_TRUE(dialog->isVisible());
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "VELMORA-CHG-8\nAA:00:00:00:00:08");
    EXPECT_FALSE(named("LTidakAdaCharger")->isVisible());
    // The mouse: a row, then "Tambahkan".
    list->setCurrentRow(1);
    dialog->RTambahChargerYes->click();
    EXPECT_FALSE(dialog->isVisible());
    // The keyboard: Enter on the list's row; Escape closes without adding.
    m_screen->BTTambahCharger->click();
    list->setFocus();
    list->setCurrentRow(0);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    m_screen->BTTambahCharger->click();
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    ASSERT_EQ(added.count(), 2);
    EXPECT_EQ(added.at(0).at(0).toString(), "AA:00:00:00:00:08");
    EXPECT_EQ(added.at(1).at(0).toString(), "AA:00:00:00:00:07");

    // A list that changes while open keeps the row picked.
    m_screen->BTTambahCharger->click();
    list->setCurrentRow(1);
    m_screen->setAddable({{QStringLiteral("VELMORA-CHG-6"), QStringLiteral("AA:00:00:00:00:06")},
                          {QStringLiteral("VELMORA-CHG-7"), QStringLiteral("AA:00:00:00:00:07")},
                          {QStringLiteral("VELMORA-CHG-8"), QStringLiteral("AA:00:00:00:00:08")}});
    EXPECT_EQ(list->currentItem()->text(), "VELMORA-CHG-8\nAA:00:00:00:00:08");
    // Nothing left to add: said so, and "Tambahkan" does nothing.
    m_screen->setAddable({});
    EXPECT_TRUE(named("LTidakAdaCharger")->isVisible());
    EXPECT_EQ(qobject_cast<QLabel*>(named("LTidakAdaCharger"))->text(),
              "Tidak ada charger lain yang dipasangkan");
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(dialog->RTambahChargerYes->isEnabled());
    QTest::keyClick(dialog, Qt::Key_Return);
    EXPECT_EQ(added.count(), 2);
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(BenchScreenTest, RemovingABayAsksFirst) {
    m_screen->setBays(bays(3));
    QSignalSpy removed(m_screen, &BenchScreen::removeRequested);
    QuestionDialog* question = m_screen->LayoutHapusBay;
    part<ui::PictureButton>(1, "BTHapusBay")->click();
    ASSERT_TRUE(question->isVisible());
    EXPECT_EQ(question->line1->text(), "Berhenti memantau Rak 2?");
    question->left->click();  // "Tidak"
    EXPECT_FALSE(question->isVisible());
    EXPECT_EQ(removed.count(), 0);

    // Delete on a card asks too; "Iya" removes the bay asked about.
    card(2)->setFocus();
    QTest::keyClick(card(2), Qt::Key_Delete);
    ASSERT_TRUE(question->isVisible());
    EXPECT_EQ(question->line1->text(), "Berhenti memantau Rak 3?");
    question->right->click();
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(0).toInt(), 2);

    // The cards shift while the question is open: the answer goes to the same bay.
    part<ui::PictureButton>(2, "BTHapusBay")->click();
    m_screen->setBays({bay(2), bay(3)});
    ASSERT_TRUE(question->isVisible());
    question->right->click();
    ASSERT_EQ(removed.count(), 2);
    EXPECT_EQ(removed.at(1).at(0).toInt(), 1);
    // The bay went meanwhile: nothing is left to ask about.
    part<ui::PictureButton>(0, "BTHapusBay")->click();
    m_screen->setBays({bay(3)});
    EXPECT_FALSE(question->isVisible());
    EXPECT_EQ(removed.count(), 2);
}

TEST_F(BenchScreenTest, RenamingInPlace) {
    m_screen->setBays(bays(2));
    QSignalSpy edited(m_screen, &BenchScreen::labelEdited);
    auto* editor = part<QLineEdit>(1, "EBayLabel");
    auto* label = part(1, "LBayLabel");
    struct Row {
        const char* what;
        std::function<void()> start;
        QString typed;
        Qt::Key end;
        const char* kept;  // "" nothing sent
    } rows[] = {
        {"double-click, Enter",
         [&] { QTest::mouseDClick(card(1), Qt::LeftButton, {}, label->geometry().center()); },
         QStringLiteral("Rak Depan"), Qt::Key_Return, "Rak Depan"},
        {"pencil, Escape", [&] { part<ui::PictureButton>(1, "BTUbahNama")->click(); },
         QStringLiteral("Rak Belakang"), Qt::Key_Escape, ""},
        {"F2, trimmed",
         [&] {
             card(1)->setFocus();
             QTest::keyClick(card(1), Qt::Key_F2);
         },
         QStringLiteral("  Meja 2 "), Qt::Key_Enter, "Meja 2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const QString before = label->text();
        edited.clear();
        row.start();
        ASSERT_TRUE(editor->isVisible());
        EXPECT_EQ(editor->text(), before);
        editor->selectAll();
        QTest::keyClicks(editor, row.typed);
        QTest::keyClick(editor, row.end);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_TRUE(label->isVisible());
        if (*row.kept) {
            ASSERT_EQ(edited.count(), 1);
            EXPECT_EQ(edited.at(0).at(0).toInt(), 1);
            EXPECT_EQ(edited.at(0).at(1).toString(), row.kept);
            EXPECT_EQ(label->text(), row.kept);
        } else {
            EXPECT_EQ(edited.count(), 0);
            EXPECT_EQ(label->text(), before);
        }
    }

    // An empty name is refused: the box stays open and says why, until Escape.
    edited.clear();
    part<ui::PictureButton>(1, "BTUbahNama")->click();
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("   "));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_TRUE(part(1, "LBayLabelRefused")->isVisible());
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_FALSE(editor->isVisible());
    EXPECT_FALSE(part(1, "LBayLabelRefused")->isVisible());
    EXPECT_EQ(edited.count(), 0);
    EXPECT_EQ(label->text(), "Meja 2");
    // Control characters never reach the name: it ends up in the journal and on paper.
    part<ui::PictureButton>(1, "BTUbahNama")->click();
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Rak\t9"));
    EXPECT_FALSE(editor->text().contains(QLatin1Char('\t')));
    QTest::keyClick(editor, Qt::Key_Escape);
    // A card given another bay drops a rename begun for the one before.
    part<ui::PictureButton>(1, "BTUbahNama")->click();
    m_screen->setBays({bay(1), bay(5)});
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(label->text(), "Rak 5");
}

}  // namespace
