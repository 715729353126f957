// Drop-down lists of the window: every selection box, at every content scale, opens its
// list inside the window, scrolls it by bar and wheel when long, and shows the selection.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QGraphicsProxyWidget>
#include <QGraphicsView>
#include <QScrollBar>
#include <QWheelEvent>

#include "fake_platform.h"
#include "gui_wait.h"
#include "shell/TVLForm.h"
#include "widgets/ComboPopups.h"

using namespace velmora;
using velmora::testing::FakePlatform;

namespace {

TEST(ComboPopupPlacementTest, BelowThenAboveThenTheRoomierSideCutToFit) {
    const QRect bounds(4, 4, 952, 532);  // x 4..955, y 4..535
    struct Case {
        const char* what;
        QRect box;
        QSize list;
        QRect expected;
    } cases[] = {
        {"fits below", {100, 100, 200, 32}, {200, 202}, {100, 132, 200, 202}},
        {"fits above only", {100, 400, 200, 32}, {200, 202}, {100, 198, 200, 202}},
        {"cut below, more room there", {100, 200, 200, 32}, {200, 600}, {100, 232, 200, 304}},
        {"cut above, more room there", {100, 380, 200, 32}, {200, 600}, {100, 4, 200, 376}},
        {"pushed in from the right edge", {850, 100, 200, 32}, {200, 100}, {756, 132, 200, 100}},
        {"pushed in from the left edge", {-20, 100, 200, 32}, {200, 100}, {4, 132, 200, 100}},
        {"narrowed to the bounds", {0, 100, 200, 32}, {1200, 100}, {4, 132, 952, 100}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ui::ComboPopupGuard::placement(c.box, c.list, bounds), c.expected) << c.what;
}

// Every box the window holds, on any screen, in any dialog: found by type, so a box added
// later is checked without being named here.
class ComboPopupTest : public ::testing::TestWithParam<int> {
protected:
    ComboPopupTest() : m_window(std::make_unique<FakePlatform>(manyDevices()), GetParam()) {
        m_window.setMessageSink([](const QString&) {});
        m_window.show();
        m_view = m_window.findChild<QGraphicsView*>(QStringLiteral("ContentView"));
    }

    // The device box lists the paired devices afresh when opened: make them many.
    static std::shared_ptr<FakePlatform::Shared> manyDevices() {
        auto bt = std::make_shared<FakePlatform::Shared>();
        for (int i = 0; i < 30; ++i)
            bt->devices.append({QStringLiteral("Device %1").arg(i),
                                QStringLiteral("00:00:00:00:00:%1").arg(i, 2, 10, QLatin1Char('0')),
                                true});
        return bt;
    }
    // Makes the box reachable as the user would see it: its screen or dialog shown.
    void reveal(QComboBox* box) {
        for (QWidget* w = box; w && w != m_window.content(); w = w->parentWidget()) w->show();
    }
    // A long list: enough rows that it must scroll.
    static void makeLong(QComboBox* box) {
        for (int i = box->count(); i < 30; ++i) box->addItem(QStringLiteral("Item %1").arg(i));
    }
    // The open list as the user sees it, in window pixels.
    QRect shownRect(QWidget* popup) const {
        QGraphicsProxyWidget* proxy = popup->graphicsProxyWidget();
        if (!proxy) return QRect(popup->mapTo(popup->window(), QPoint(0, 0)), popup->size());
        const QRect inView = m_view->mapFromScene(proxy->sceneBoundingRect()).boundingRect();
        return QRect(m_view->mapTo(&m_window, inView.topLeft()), inView.size());
    }
    // One wheel notch over the middle of the open list, delivered where a mouse would.
    void wheelOver(QWidget* popup, int delta) {
        const QPoint at = m_view->viewport()->mapFrom(
            &m_window, shownRect(popup).center() - m_view->mapTo(&m_window, QPoint(0, 0)) +
                           m_view->viewport()->mapTo(m_view, QPoint(0, 0)));
        QWheelEvent wheel(at, m_view->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_view->viewport(), &wheel);
    }
    static bool selectedRowShown(QComboBox* box) {
        QAbstractItemView* view = box->view();
        const QRect row = view->visualRect(view->model()->index(box->currentIndex(), 0));
        return !row.isEmpty() && view->viewport()->rect().contains(row);
    }

    TVLForm m_window;
    QGraphicsView* m_view = nullptr;
};

TEST_P(ComboPopupTest, EveryListOpensInsideScrollsAndShowsTheSelection) {
    // Dialogs made at their first opening have their boxes covered too.
    m_window.tambahDialog();
    m_window.informationDialog();
    // The content lives in the view's scene, not under the window.
    const QList<QComboBox*> boxes =
        m_window.content()->findChildren<QComboBox*>() + m_window.findChildren<QComboBox*>();
    ASSERT_GE(boxes.size(), 7);  // the catalogue and option boxes and the device box
    const QRect window = m_window.rect();
    for (QComboBox* box : boxes) {
        SCOPED_TRACE(box->objectName().toStdString());
        reveal(box);
        box->setEnabled(true);
        makeLong(box);
        for (int selected : {box->count() - 1, 0}) {
            SCOPED_TRACE(selected);
            box->setCurrentIndex(selected);
            box->showPopup();
            QWidget* popup = box->view()->window();
            ASSERT_TRUE(processEventsUntil([&] { return popup->isVisible(); }));
            QApplication::processEvents();
            EXPECT_TRUE(window.contains(shownRect(popup)))
                << "window " << window.height() << ", list at " << shownRect(popup).top() << ".."
                << shownRect(popup).bottom();
            QScrollBar* bar = box->view()->verticalScrollBar();
            EXPECT_TRUE(bar->isVisible());
            EXPECT_GT(bar->maximum(), 0);
            EXPECT_TRUE(selectedRowShown(box));

            const int before = bar->value();
            wheelOver(popup, before > 0 ? 120 : -120);  // away from the end it sits at
            EXPECT_NE(bar->value(), before) << "the wheel does not scroll the list";
            box->hidePopup();
        }
    }
}

TEST_P(ComboPopupTest, ABoxRestyledLaterStillGetsAScrollingList) {
    auto* box = m_window.control<QComboBox>(QStringLiteral("ComboMerk"));
    m_window.BT2DiagnosticClick();
    box->setStyleSheet(QString());  // as a colleague's code might, after start-up
    makeLong(box);
    box->setCurrentIndex(box->count() - 1);
    box->showPopup();
    QWidget* popup = box->view()->window();
    ASSERT_TRUE(processEventsUntil([&] { return popup->isVisible(); }));
    EXPECT_TRUE(m_window.rect().contains(shownRect(popup)));
    EXPECT_LE(box->view()->viewport()->height(),
              box->maxVisibleItems() * box->view()->sizeHintForRow(0));
    EXPECT_TRUE(box->view()->verticalScrollBar()->isVisible());
    EXPECT_TRUE(selectedRowShown(box));
    box->hidePopup();
}

INSTANTIATE_TEST_SUITE_P(EveryContentScale, ComboPopupTest, ::testing::Values(1280, 1366, 1920));

}  // namespace
