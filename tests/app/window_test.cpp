#include <QComboBox>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QSlider>
#include <QTest>

#include "gui_wait.h"
#include "link/LinkController.h"
#include "shell/ExitQuestion.h"
#include "shell/OptionScreen.h"
#include "shell/UserGuide.h"
#include "widgets/Picture.h"
#include "widgets/SlideInDialog.h"
#include "widgets/Theme.h"
#include "window_fixture.h"

using namespace velmora;
using namespace velmora::testing;

TEST(WindowSizingTest, ScreenWidthPicksWindowSizeAndScale) {
    struct Case {
        int screen, width, height;
        double scale;
    } cases[] = {{960, 672, 399, 0.7},    {1280, 893, 530, 0.93}, {1366, 960, 570, 1.0},
                 {1600, 1123, 667, 1.17}, {1920, 1344, 798, 1.4}, {2560, 1795, 1065, 1.87},
                 {1536, 960, 570, 1.0},   {0, 960, 570, 1.0}};
    for (const Case& c : cases) {
        WindowSizing s = windowSizingFor(c.screen);
        EXPECT_EQ(s.width, c.width) << c.screen;
        EXPECT_EQ(s.height, c.height) << c.screen;
        EXPECT_DOUBLE_EQ(s.scale, c.scale) << c.screen;
    }
}

TEST(WindowSizingTest, WindowIsFixedAndContentScaledAsAWhole) {
    auto bt = std::make_shared<FakePlatform::Shared>();
    TVLForm window(std::make_unique<FakePlatform>(bt), 1920);
    EXPECT_EQ(window.windowTitle(), "Velmora Tester");
    EXPECT_EQ(window.size(), QSize(1344, 756));  // client area: 540 units at 1.4
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    auto* view = window.findChild<QGraphicsView*>("ContentView");
    ASSERT_NE(view, nullptr);
    EXPECT_DOUBLE_EQ(view->transform().m11(), 1.4);
    EXPECT_DOUBLE_EQ(view->transform().m22(), 1.4);
    EXPECT_EQ(window.content()->size(), QSize(960, 540));
    EXPECT_EQ(window.pos(), QPoint(0, 0));
}

TEST_F(WindowTest, NavigationAppliesTheScreensTable) {
    struct Row {
        void (TVLForm::*handler)();
        const char* title;
        bool chartBackground;
        QColor text;
        const char* icon;
        int highlight;
        const char* screen;
    } rows[] = {
        {&TVLForm::BT3ChartClick, "CHART", true, ui::kBlack, ":/img/option_black.svg", 3,
         "M3Chart"},
        {&TVLForm::BT1Dashboard2Click, "DASHBOARD", false, ui::kWhite, ":/img/option_white.svg", 1,
         "M1Dashboard"},
        {&TVLForm::BT4OptionClick, "OPTION", false, ui::kWhite, ":/img/option_white.svg", 4,
         "M4Option"},
        {&TVLForm::BT2DiagnosticClick, "DIAGNOSTIC", false, ui::kWhite, ":/img/option_white.svg", 2,
         "M2Diagnostic"},
        {&TVLForm::BT5BenchClick, "RAK", false, ui::kWhite, ":/img/option_white.svg", 5, "M6Bench"},
    };
    const char* screens[] = {"M1Dashboard", "M2Diagnostic", "M3Chart",
                             "M4Option",    "M5Guide",      "M6Bench"};
    for (const Row& row : rows) {
        (m_window.get()->*row.handler)();
        SCOPED_TRACE(row.title);
        EXPECT_EQ(text("LTittle"), row.title);
        EXPECT_EQ(ui::textColor(control("LTittle")), row.text);
        for (const char* button : {"BT1Dashboard", "BT2Diagnostic", "BT3Chart", "BT5Bench"})
            EXPECT_EQ(control(button)->palette().color(QPalette::ButtonText), row.text) << button;
        EXPECT_EQ(control<ui::PictureButton>("BT4Option")->source(), row.icon);
        for (int i = 1; i <= 5; ++i) {
            auto* highlight = control<ui::Picture>(QStringLiteral("IBT%1").arg(i).toLatin1());
            EXPECT_EQ(highlight->opacity(), i == row.highlight ? 1.0 : 0.0) << i;
        }
        EXPECT_EQ(control("Background")->isVisibleTo(m_window->content()), !row.chartBackground);
        EXPECT_EQ(control("BackgroundChart")->isVisibleTo(m_window->content()),
                  row.chartBackground);
        for (const char* screen : screens)
            EXPECT_EQ(control(screen)->isVisibleTo(m_window->content()),
                      QString::fromLatin1(screen) == row.screen)
                << screen;
    }
}

TEST_F(WindowTest, DiagnosticButtonWithoutProfileOnlySwitches) {
    m_window->BT2DiagnosticClick();
    EXPECT_EQ(text("LTittle"), "DIAGNOSTIC");
    EXPECT_EQ(control<QComboBox>("ComboMerk")->currentIndex(), -1);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(WindowTest, GuideViewerAndZoom) {
    m_window->BT4OptionClick();
    m_window->R3UseClick();
    EXPECT_TRUE(control("M5Guide")->isVisibleTo(m_window->content()));
    EXPECT_FALSE(control("M4Option")->isVisibleTo(m_window->content()));
    EXPECT_EQ(text("LGuide"), "Panduan Charger & Aplikasi");
    EXPECT_EQ(text("LTittle"), "OPTION");  // the top bar keeps the option screen's settings
    auto* picture = control<GuidePicture>("GuideCharger");
    EXPECT_DOUBLE_EQ(picture->pictureScale(), 0.8);
    auto* zoom = control<QSlider>("TrackBar1");
    EXPECT_EQ(zoom->minimum(), 4);
    EXPECT_EQ(zoom->maximum(), 30);
    zoom->setValue(30);
    EXPECT_DOUBLE_EQ(picture->pictureScale(), 3.0);
    m_window->BackGuideClick();
    EXPECT_TRUE(control("M4Option")->isVisibleTo(m_window->content()));
    m_window->R3UseClick();
    m_window->BT1Dashboard2Click();  // another screen button also leaves the viewer
    EXPECT_FALSE(control("M5Guide")->isVisibleTo(m_window->content()));
}

TEST_F(WindowTest, DialogsMadeAtTheirFirstOpeningTakeTheirPlaceInTheStack) {
    QWidget* content = m_window->content();
    EXPECT_EQ(content->findChild<QWidget*>("LayoutTambah"), nullptr);
    EXPECT_EQ(content->findChild<QWidget*>("LayoutInformation"), nullptr);
    m_window->BT2DiagnosticClick();
    m_window->BTTambahClick();  // the upper one first
    m_window->RTambahNoClick();
    m_window->R1UseClick();
    m_window->RCancelInformationClick();
    int previousIndex = -1;
    for (const char* layout : {"LayoutQuestionSave", "LayoutInformation", "LayoutForceStop",
                               "LayoutTambah", "LayoutStruk"}) {
        const int index = content->children().indexOf(content->findChild<QWidget*>(layout));
        EXPECT_GT(index, previousIndex) << layout;
        previousIndex = index;
    }
    // Made once: the answers' buttons work and a second opening finds the same dialog.
    auto* tambah = control<ui::SlideInDialog>("LayoutTambah");
    m_window->BTTambahClick();
    EXPECT_TRUE(tambah->isVisibleTo(content));
    control<QAbstractButton>("RTambahNo")->click();
    EXPECT_FALSE(tambah->isVisibleTo(content));
    EXPECT_EQ(content->findChildren<QWidget*>("LayoutTambah").size(), 1);
}

TEST_F(WindowTest, SlideInDialogsRiseFromBelowAndStackInFixedOrder) {
    struct Dialog {
        const char* layout;
        const char* animation;
        QSize size;
        int restingY;
    } dialogs[] = {
        {"LayoutConnection", "FloatConnection", {400, 300}, 120},
        {"LayoutSave", "FloatSave", {350, 150}, 195},
        {"LayoutQuestionSave", "FloatQS", {350, 150}, 195},
        {"LayoutInformation", "FloatInformation", {400, 480}, 30},  // with the dealer key
        {"LayoutForceStop", "FloatForce", {350, 150}, 195},
        {"LayoutTambah", "FloatTambah", {420, 320}, 100},
    };
    QWidget* content = m_window->content();
    int previousIndex = -1;
    // Opened from top to bottom: the stacking order must not follow the opening order.
    for (int i = 5; i >= 0; --i) {
        const Dialog& d = dialogs[i];
        auto* dialog = control<ui::SlideInDialog>(d.layout);
        EXPECT_FALSE(dialog->isVisible());
        dialog->open();
        EXPECT_TRUE(dialog->isVisibleTo(content));
        EXPECT_EQ(dialog->panel()->size(), d.size);
        EXPECT_EQ(dialog->geometry(), content->rect());
        auto* animation = dialog->findChild<QPropertyAnimation*>(d.animation);
        ASSERT_NE(animation, nullptr) << d.animation;
        EXPECT_EQ(animation->startValue().toInt(), 780);
        EXPECT_EQ(animation->endValue().toInt(), d.restingY);
        EXPECT_EQ(animation->duration(), 250);
    }
    for (const Dialog& d : dialogs) {
        const int index = content->children().indexOf(control(d.layout));
        EXPECT_GT(index, previousIndex) << d.layout;
        previousIndex = index;
    }
    auto* connection = control<ui::SlideInDialog>("LayoutConnection");
    emit connection->backdropClicked();
    EXPECT_FALSE(connection->isVisible());
}

TEST_F(WindowTest, IntroGuidePagesSkipAndBluetoothStartUpOnce) {
    auto* guide = m_window->findChild<UserGuide*>("UserGuide");
    ASSERT_NE(guide, nullptr);
    EXPECT_FALSE(guide->isVisible());
    m_window->R2UseClick();
    EXPECT_TRUE(guide->isVisibleTo(m_window.get()));
    EXPECT_EQ(guide->opacity(), 1.0);
    m_window->bLeftClick();
    EXPECT_EQ(guide->pageIndex(), 0);
    for (int i = 0; i < 6; ++i) m_window->bRightClick();
    EXPECT_EQ(guide->pageIndex(), 4);
    m_window->bLeftClick();
    EXPECT_EQ(guide->pageIndex(), 3);

    m_bt->throwOnList = true;  // start-up after the guide fails quietly: enable request only
    m_window->BTSkipClick();
    EXPECT_EQ(guide->FloatAnimation1->endValue().toReal(), 0.0);
    EXPECT_EQ(guide->FloatAnimation1->duration(), 1000);
    ASSERT_TRUE(processEventsUntil([&] { return !guide->isVisibleTo(m_window.get()); }));
    EXPECT_TRUE(m_window->guideInitDone());
    EXPECT_EQ(m_bt->enableRequests, 1);
    EXPECT_TRUE(m_messages.isEmpty());

    m_window->R2UseClick();
    EXPECT_EQ(guide->pageIndex(), 3);  // shown on the page it was left on
    m_window->FloatAnimation1Finish();
    EXPECT_EQ(m_bt->enableRequests, 1);  // the start-up runs once until the reset
    m_window->rest();
    EXPECT_FALSE(m_window->guideInitDone());
}

TEST_F(WindowTest, BackKeyAsksBeforeExit) {
    m_window->show();
    QKeyEvent other(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window.get(), &other);
    EXPECT_EQ(m_window->control<QWidget>("ExitDialog"), nullptr);

    QKeyEvent back(QEvent::KeyRelease, Qt::Key_Back, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window.get(), &back);
    auto* dialog = m_window->control<QWidget>("ExitDialog");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(control<QLabel>("ExitDialogText")->text(),
              "Apakah anda yakin ingin keluar dari aplikasi ?");
    control<QAbstractButton>("ExitDialogCancel")->click();
    ASSERT_TRUE(processEventsUntil([&] { return !dialog->isVisible(); }));
    EXPECT_TRUE(m_window->isVisible());

    QCoreApplication::sendEvent(m_window.get(), &back);
    control<QAbstractButton>("ExitDialogOK")->click();
    ASSERT_TRUE(processEventsUntil([&] { return !m_window->isVisible(); }));
}

// The window's close button (and Alt+F4) close at once when nothing would be cut off, and
// ask first during a charge or a reconnection, saying which.
TEST_F(WindowTest, ClosingTheWindowAsksWhenItWouldCutSomethingOff) {
    using CutOff = ExitQuestion::CutOff;
    const auto closeQuestion = [this] { return m_window->control<QWidget>("CloseDialog"); };
    const auto closeByTheSystem = [this] { return m_window->windowHandle()->close(); };
    m_window->show();
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    m_window->Timerloop()->stop();  // the test ticks by hand

    setState([](ChargerState& s) { s.stageNumber = 2; });  // charging, watched
    EXPECT_FALSE(closeByTheSystem());
    ASSERT_NE(closeQuestion(), nullptr);
    EXPECT_TRUE(closeQuestion()->isVisible());
    EXPECT_EQ(text("CloseDialogText"), ExitQuestion::closeQuestion(CutOff::Charge));
    EXPECT_FALSE(closeByTheSystem());  // asked again: the same question, once
    EXPECT_EQ(m_window->content()->findChildren<QWidget*>("CloseDialog").size(), 1);
    control<QAbstractButton>("CloseDialogCancel")->click();
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_TRUE(m_window->linkControl().chargerLinkUp());  // nothing was cut off

    // The link lost, the window tries the charger again by itself.
    m_window->linkControl().setReconnectSchedule({{60000}, 60000, 600000});
    m_bt->peers.back()->release();
    ASSERT_TRUE(processEventsUntil([&] {
        m_window->TimerloopTimer();
        return m_window->linkControl().reconnecting();
    }));
    EXPECT_FALSE(closeByTheSystem());
    EXPECT_EQ(text("CloseDialogText"), ExitQuestion::closeQuestion(CutOff::Reconnect));
    control<QAbstractButton>("CloseDialogOK")->click();
    ASSERT_TRUE(processEventsUntil([&] { return !m_window->isVisible(); }));
}

TEST_F(WindowTest, ClosingTheIdleWindowOrAfterTheExitQuestionAsksNothing) {
    m_window->show();
    EXPECT_TRUE(m_window->windowHandle()->close());  // nothing going on
    EXPECT_EQ(m_window->control<QWidget>("CloseDialog"), nullptr);

    m_window->show();
    m_window->FormShow();
    ASSERT_TRUE(connectCharger());
    setState([](ChargerState& s) { s.stageNumber = 3; });
    QKeyEvent back(QEvent::KeyRelease, Qt::Key_Back, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window.get(), &back);
    control<QAbstractButton>("ExitDialogOK")->click();  // already asked: no second question
    ASSERT_TRUE(processEventsUntil([&] { return !m_window->isVisible(); }));
    EXPECT_EQ(m_window->control<QWidget>("CloseDialog"), nullptr);
}

TEST_F(WindowTest, KeysReachNoControlOfAHiddenScreen) {
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    m_window->BT2DiagnosticClick();
    auto* brands = control<QComboBox>("ComboMerk");
    brands->setCurrentIndex(0);
    brands->setFocus();
    QTest::keyClick(m_window->windowHandle(), Qt::Key_Down);
    ASSERT_EQ(brands->currentIndex(), 1);  // the keys reach it while it is shown
    m_window->BT1Dashboard2Click();
    QTest::keyClick(m_window->windowHandle(), Qt::Key_Down);
    EXPECT_EQ(brands->currentIndex(), 1);
}

TEST_F(WindowTest, GoesAwayCleanlyWhileShownAfterClicksOnNoControl) {
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    // Clicks where no control is (the dashboard, then a dialog's backdrop) leave the
    // keyboard with the content as a whole, and no control of it holding the focus.
    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, QPoint(400, 530));
    m_window->BTForceStopClick();
    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, QPoint(400, 530));
    m_window.reset();  // crashed here: that focus was passed on through the dying content
    SUCCEED();
}
