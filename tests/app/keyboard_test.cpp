// The window by keyboard alone: Tab round the shown screen or dialog in reading order with
// a visible ring, Space and Enter on the focused button, Enter and Escape answering every
// slide-in dialog, Ctrl+1..4 for the top bar's screens.
#include <QComboBox>
#include <QGraphicsView>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <functional>
#include <vector>

#include "gui_wait.h"
#include "journal/HistoryDialog.h"
#include "journal_window_fixture.h"
#include "printing/ReceiptPreview.h"
#include "shell/UserGuide.h"
#include "widgets/KeyboardFocus.h"
#include "widgets/MessageDialog.h"
#include "widgets/SlideInDialog.h"

// Readable names in failures.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using namespace velmora;
using namespace velmora::testing;

namespace {

class KeyboardTest : public JournalWindowTest {
protected:
    void SetUp() override {
        JournalWindowTest::SetUp();
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(m_window->windowHandle(), static_cast<Qt::Key>(key), modifiers);
    }
    void type(const char* text) {
        for (; *text; ++text) QTest::keyClick(m_window->windowHandle(), *text);
    }
    QWidget* focused() { return m_window->content()->focusWidget(); }
    QString focusedName() { return focused() ? focused()->objectName() : QString(); }
    ui::SlideInDialog* dialog(const char* name) { return control<ui::SlideInDialog>(name); }
    void press(const char* name) { control<QAbstractButton>(name)->click(); }
    QWidget* ring() { return m_window->content()->findChild<QWidget*>("FocusRing"); }
    // Where the ring should lie around a control, in content coordinates.
    QRect ringAround(QWidget* control) {
        const int m = ui::FocusRing::kMargin;
        return QRect(control->mapTo(m_window->content(), QPoint(0, 0)), control->size())
            .adjusted(-m, -m, m, m);
    }
    // A mouse click at a point of the window, as the user makes it.
    void clickAt(QPoint point) {
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, point);
    }
    std::string sent() {
        std::string all;
        if (m_bt->peers.empty()) return all;
        for (std::string chunk; !(chunk = m_bt->peers.back()->receive(0)).empty();) all += chunk;
        return all;
    }
    // The names focus passes through on `count` presses of Tab or Shift+Tab.
    QStringList tabs(int count, bool forward = true) {
        QStringList names;
        for (int i = 0; i < count; ++i) {
            key(Qt::Key_Tab, forward ? Qt::NoModifier : Qt::ShiftModifier);
            names << focusedName();
        }
        return names;
    }
};

// Every slide-in dialog, opened as the user opens it: Enter does its positive action,
// Escape closes it with nothing done. The rows run in order on one window: the connection
// made by Enter serves the dialogs after it.
TEST_F(KeyboardTest, EnterAndEscapeAnswerEverySlideInDialog) {
    QStringList openedFolders;
    QSignalSpy connections(m_window.get(), &TVLForm::connectionFinished);
    struct Row {
        const char* layout;
        std::function<void()> open;
        std::function<void()> afterEnter;   // checks; leaves the dialog closed
        std::function<void()> afterEscape;  // checks beyond the dialog being closed
    } rows[] = {
        {"LayoutQuestionSave",
         [&] {
             setState([](ChargerState& s) { s.before.cca = 410; });
             m_window->BT2DiagnosticClick();
             press("ImageAccu");
         },
         [&] {
             EXPECT_TRUE(dialog("LayoutSave")->isVisible());  // "Iya" asks for a name
             key(Qt::Key_Escape);
             EXPECT_FALSE(dialog("LayoutSave")->isVisible());
         },
         [&] {
             // Nothing cleared: "Tidak" would have reset the results.
             EXPECT_EQ(m_window->state().snapshot().before.cca, 410);
             EXPECT_FALSE(dialog("LayoutSave")->isVisible());
         }},
        {"LayoutSave",
         [&] {
             m_window->BT1Dashboard2Click();
             press("BTSave");
             control<QLineEdit>("Edit2")->clear();
             type("aki");  // the name box has the keys
             EXPECT_EQ(control<QLineEdit>("Edit2")->text(), "aki");
         },
         [&] { EXPECT_EQ(m_messages, QStringList{"Berhasil disimpan"}); },  // saved once
         [&] {
             EXPECT_TRUE(m_messages.isEmpty());
             EXPECT_EQ(control<QLineEdit>("Edit2")->text(), "aki");
         }},
        {"LayoutConnection", [&] { press("BTConnection"); },
         [&] {
             ASSERT_TRUE(connections.count() == 1 || connections.wait(20000));
             EXPECT_TRUE(connections.at(0).at(0).toBool());
             EXPECT_TRUE(m_window->link().connected());
             m_window->Timerloop()->stop();
             sent();
         },
         [&] {
             EXPECT_FALSE(m_window->connecting());
             EXPECT_EQ(connections.count(), 1);
         }},
        {"LayoutForceStop", [&] { press("BTForceStop"); }, [&] { EXPECT_EQ(sent(), "#4|1*"); },
         [&] { EXPECT_EQ(sent(), ""); }},
        {"LayoutTambah",
         [&] {
             m_window->BT2DiagnosticClick();
             press("BTTambah");
             control<QComboBox>("ComboIndeksT")->setCurrentIndex(0);
             control<QComboBox>("ComboJenisT")->setCurrentIndex(0);
         },
         [&] {
             EXPECT_EQ(m_messages, QStringList{"Sukses Mengirim"});
             EXPECT_NE(sent(), "");
         },
         [&] {
             EXPECT_TRUE(m_messages.isEmpty());
             EXPECT_EQ(sent(), "");
         }},
        {"LayoutInformation",
         [&] {
             m_window->BT4OptionClick();
             press("R1Use");
         },
         [&] { EXPECT_NE(sent(), ""); }, [&] { EXPECT_EQ(sent(), ""); }},
        {"LayoutRiwayat",
         [&] {
             if (kept().empty()) {  // a session to show
                 startCharge();
                 charging(13.1, 3.0);
                 ASSERT_EQ(kept().size(), 1u);
             }
             m_window->BT4OptionClick();
             press("RRiwayat");
         },
         [&] {
             // "Lihat": the latest session's page; Escape goes back to the list first.
             auto* history = control<HistoryDialog>("LayoutRiwayat");
             EXPECT_TRUE(history->sessionPageShown());
             EXPECT_EQ(m_messages, QStringList());
             key(Qt::Key_Escape);
             EXPECT_TRUE(history->isVisible());
             EXPECT_FALSE(history->sessionPageShown());
             key(Qt::Key_Escape);
         },
         [] {}},
        {"LayoutStruk",
         [&] {
             auto* preview = control<ReceiptPreview>("LayoutStruk");
             preview->setFolderOpener([&](const QString& folder) {
                 openedFolders << folder;
                 return true;
             });
             QImage paper(384, 600, QImage::Format_RGB32);
             paper.fill(Qt::white);
             preview->showReceipt(paper, m_documents.filePath("Struk/struk.png"), QString());
         },
         [&] {
             EXPECT_EQ(openedFolders, QStringList{m_documents.filePath("Struk")});
             key(Qt::Key_Escape);
         },
         [&] { EXPECT_EQ(openedFolders.size(), 1); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.layout);
        for (const bool enter : {true, false}) {
            SCOPED_TRACE(enter ? "Enter" : "Escape");
            row.open();
            m_messages.clear();
            ui::SlideInDialog* d = dialog(row.layout);
            ASSERT_NE(d, nullptr);
            ASSERT_TRUE(d->isVisible());
            ASSERT_NE(focused(), nullptr);
            EXPECT_TRUE(focused() == d || d->isAncestorOf(focused()))
                << focusedName().toStdString();
            key(enter ? Qt::Key_Return : Qt::Key_Escape);
            (enter ? row.afterEnter : row.afterEscape)();
            EXPECT_TRUE(d->isHidden());
        }
    }
}

// Tab and Shift+Tab go round the controls of the shown screen or the open dialog only,
// left to right and top to bottom, and come back to the first.
TEST_F(KeyboardTest, TabGoesRoundTheScreenOrDialogInReadingOrder) {
    struct Row {
        const char* what;
        std::function<void()> show;
        QString startsOn;  // where the keyboard is before the first Tab ("" nowhere)
        QStringList round;
    } rows[] = {
        {"dashboard",
         [] {},
         "",
         {"BT5Bench", "BT1Dashboard", "BT2Diagnostic", "BT3Chart", "BT4Option", "BTPrint", "BTSave",
          "BTConnection", "BTForceStop"}},
        // The start-up connect and the language are reached too.
        {"option",
         [&] { key(Qt::Key_4, Qt::ControlModifier); },
         "",
         {"BT5Bench", "BT1Dashboard", "BT2Diagnostic", "BT3Chart", "BT4Option", "ListBox1",
          "BTRefresh", "BTLoad", "R1Use", "R3Use", "R2Use", "RRiwayat", "CheckAutoConnect",
          "CheckNotify", "CheckCertificate", "BTPeriksa", "ComboLanguage"}},
        // The chosen charging mode only: the arrows choose the other.
        {"diagnostic",
         [&] { key(Qt::Key_2, Qt::ControlModifier); },
         "",
         {"BT5Bench", "BT1Dashboard", "BT2Diagnostic", "BT3Chart", "BT4Option", "Edit1",
          "ComboMerk", "ComboJenis", "ComboTipe", "RadioNormal", "BTSendData", "ImageAccu"}},
        {"bench",
         [&] { key(Qt::Key_5, Qt::ControlModifier); },
         "",
         // The window's own bay has its card from the start.
         {"BT5Bench", "BT1Dashboard", "BT2Diagnostic", "BT3Chart", "BT4Option", "BTTambahCharger",
          "BayCard0", "BTUbahNama", "BTHapusBay"}},
        {"dealer dialog",
         [&] { m_window->R1UseClick(); },
         "EditStore",
         {"EditStore", "EditAddress", "EditCity", "EditPhone", "ComboShowPrinter", "RExportKey",
          "RNewKey", "RCheckCertificate", "RCancelInformation", "RSendInformation"}},
        {"printer connection",
         [&] { m_window->BTPrintClick(); },
         "ComboDevice",
         {"ComboDevice", "BTAddPrinter", "BTConnect", "BTReport"}},
        {"save question",
         [&] { m_window->ImageAccuClick(); },
         "LayoutQuestionSave",
         {"RNO", "RYES"}},
        {"add dialog",
         [&] { m_window->BTTambahClick(); },
         "ComboIndeksT",
         {"ComboIndeksT", "ComboJenisT", "SpinKapasitasT", "SpinArusCCT", "SpinCCAT", "RTambahNo",
          "RTambahYes"}},
        {"receipt preview",
         [&] {
             QImage paper(384, 900, QImage::Format_RGB32);
             paper.fill(Qt::white);
             control<ReceiptPreview>("LayoutStruk")->showReceipt(paper, "struk.png", QString());
         },
         "StrukPaper",
         {"StrukPaper", "RStrukClose", "RStrukFolder"}},
        {"exit question",
         [&] { key(Qt::Key_Back); },
         "ExitDialog",
         {"ExitDialogCancel", "ExitDialogOK"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (focused()) focused()->clearFocus();
        row.show();
        EXPECT_EQ(focusedName(), row.startsOn);
        const int at = row.round.indexOf(row.startsOn);  // -1: Tab starts at the first
        QStringList forward = row.round.mid(at + 1) + row.round.mid(0, at + 1);
        if (at < 0) forward << row.round.first();
        EXPECT_EQ(tabs(forward.size()), forward);
        // Shift+Tab walks the same round backwards from where Tab left it.
        QStringList backward = row.round;
        std::reverse(backward.begin(), backward.end());
        const int from = backward.indexOf(focusedName());
        backward = backward.mid(from + 1) + backward.mid(0, from + 1);
        EXPECT_EQ(tabs(backward.size(), false), backward);
        if (ui::SlideInDialog* open = ui::SlideInDialog::topmostOpen(m_window->content()))
            open->close();
    }
}

// The ring shows where the keyboard is once Tab is used, follows it into a dialog opened
// by Space or Enter and back to the button on closing, and goes with the next click.
TEST_F(KeyboardTest, FocusedButtonIsRingedAndPressedBySpaceOrEnter) {
    EXPECT_FALSE(ring()->isVisible());  // nothing drawn for the mouse
    m_window->BTForceStopClick();
    EXPECT_FALSE(ring()->isVisible());
    m_window->RForceNoClick();
    EXPECT_EQ(focused(), nullptr);

    auto* stop = control<QAbstractButton>("BTForceStop");
    for (int i = 0; i < 20 && focused() != stop; ++i) key(Qt::Key_Tab);
    ASSERT_EQ(focused(), stop);
    ASSERT_TRUE(processEventsUntil([&] { return ring()->isVisible(); }));
    EXPECT_EQ(ring()->geometry(), ringAround(stop));
    auto* question = dialog("LayoutForceStop");
    for (const int press : {int(Qt::Key_Space), int(Qt::Key_Return), int(Qt::Key_Enter)}) {
        key(press);
        ASSERT_TRUE(question->isVisible()) << press;
        EXPECT_EQ(focused(), question);  // Enter and Escape answer there
        key(Qt::Key_Tab);
        EXPECT_EQ(focusedName(), "RForceNo");
        ASSERT_TRUE(processEventsUntil(
            [&] { return ring()->geometry() == ringAround(control("RForceNo")); }));
        key(Qt::Key_Escape);
        EXPECT_TRUE(question->isHidden());
        EXPECT_EQ(focused(), stop);  // back where it was
        ASSERT_TRUE(processEventsUntil([&] { return ring()->geometry() == ringAround(stop); }));
        EXPECT_TRUE(ring()->isVisible());
    }
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focusedName(), "BTConnection");
    key(Qt::Key_Space);
    EXPECT_TRUE(dialog("LayoutConnection")->isVisible());
    EXPECT_EQ(focusedName(), "ComboDevice");  // the keyboard in use: on the first control
    ASSERT_TRUE(processEventsUntil(
        [&] { return ring()->geometry() == ringAround(control("ComboDevice")); }));
    key(Qt::Key_Escape);  // as a click beside the panel
    EXPECT_TRUE(dialog("LayoutConnection")->isHidden());
    // A dialog opened without a key (a message after a failed connection) takes the ring.
    m_window->BTPrintClick();
    ASSERT_TRUE(processEventsUntil(
        [&] { return ring()->geometry() == ringAround(control("ComboDevice")); }));
    m_window->RectLayoutBTClick();
    ASSERT_TRUE(processEventsUntil(
        [&] { return ring()->geometry() == ringAround(control("BTConnection")); }));

    clickAt(QPoint(400, 530));  // the mouse again: no ring
    ASSERT_TRUE(processEventsUntil([&] { return !ring()->isVisible(); }));
    m_window->R1UseClick();
    EXPECT_EQ(focusedName(), "LayoutInformation");  // no control looks different
    QCoreApplication::processEvents();
    EXPECT_FALSE(ring()->isVisible());
    key(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), "EditStore");
}

TEST_F(KeyboardTest, CtrlDigitsShowTheTopBarScreensUnlessADialogIsOpen) {
    const char* screens[] = {"M1Dashboard", "M2Diagnostic", "M3Chart", "M4Option", "M6Bench"};
    for (const int digit : {2, 3, 5, 4, 1, 4, 2}) {
        key(Qt::Key_0 + digit, Qt::ControlModifier);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(control(screens[i])->isVisible(), i + 1 == digit) << digit << screens[i];
    }
    EXPECT_EQ(text("LTittle"), "DIAGNOSTIC");
    m_window->BTTambahClick();
    key(Qt::Key_1, Qt::ControlModifier);
    EXPECT_TRUE(control("M2Diagnostic")->isVisible());
    EXPECT_TRUE(dialog("LayoutTambah")->isVisible());
    key(Qt::Key_Escape);
    key(Qt::Key_1, Qt::ControlModifier);
    EXPECT_TRUE(control("M1Dashboard")->isVisible());
}

// The keys reach the focused control at every window scale.
// What the keys reach while something covers the window: every press of a button of the
// window is noted by its name.
class CoveredKeysTest : public KeyboardTest {
protected:
    void SetUp() override {
        KeyboardTest::SetUp();
        for (QAbstractButton* button : m_window->content()->findChildren<QAbstractButton*>())
            QObject::connect(button, &QAbstractButton::pressed, m_window.get(), [this, button] {
                m_pressed << button->objectName();
                m_pressedButtons << button;
            });
    }
    void clearPressed() {
        m_pressed.clear();
        m_pressedButtons.clear();
    }
    // Presses made of buttons that do not lie inside `cover`.
    QStringList pressedOutside(QWidget* cover) {
        QStringList outside;
        for (QAbstractButton* button : m_pressedButtons)
            if (!cover->isAncestorOf(button)) outside << button->objectName();
        return outside;
    }
    // Keys that would act on a control holding the keyboard, or move it.
    void pressCoveredKeys() {
        for (const int press : {int(Qt::Key_Space), int(Qt::Key_Down), int(Qt::Key_Up),
                                int(Qt::Key_A), int(Qt::Key_Tab)})
            key(press);
        key(Qt::Key_Tab, Qt::ShiftModifier);
        key(Qt::Key_2, Qt::ControlModifier);
    }

    QStringList m_pressed;
    QList<QAbstractButton*> m_pressedButtons;  // the window's own, alive as long as it
};

// The intro guide covers the window whole: its keys turn its pages and close it, and none
// of them reaches the screen under it, where the keyboard waits for its return.
TEST_F(CoveredKeysTest, KeysOverTheIntroGuideReachNothingBehindIt) {
    auto* guide = m_window->findChild<UserGuide*>("UserGuide");
    ASSERT_NE(guide, nullptr);
    m_window->BT4OptionClick();
    auto* guideRow = control<QAbstractButton>("R2Use");
    for (int i = 0; i < 30 && focused() != guideRow; ++i) key(Qt::Key_Tab);
    ASSERT_EQ(focused(), guideRow);
    key(Qt::Key_Return);  // "Informasi Pengguna" by keyboard
    ASSERT_TRUE(guide->isVisible());
    clearPressed();

    // Opened by keyboard, the way on holds the keyboard, ringed.
    EXPECT_EQ(QApplication::focusWidget(), guide->bRight);
    EXPECT_TRUE(guide->ringShown());
    key(Qt::Key_Space);
    EXPECT_EQ(guide->pageIndex(), 1);
    key(Qt::Key_Left);
    EXPECT_EQ(guide->pageIndex(), 0);
    key(Qt::Key_Right);
    key(Qt::Key_Return);
    EXPECT_EQ(guide->pageIndex(), 2);
    // Tab goes round the guide's own hit areas: "Lewati", back, on.
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), guide->BTSkip);
    key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), guide->bLeft);
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), guide->BTSkip);
    EXPECT_TRUE(guide->ringShown());
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    for (const int press : {int(Qt::Key_Down), int(Qt::Key_A), int(Qt::Key_Back)}) key(press);
    key(Qt::Key_1, Qt::ControlModifier);
    EXPECT_FALSE(guide->isHidden());  // the Back key closes it: it is fading
    // The last page ends the guide: "Selesai", and Enter there finishes.
    guide->present(true);
    for (int i = 0; i < 5; ++i) key(Qt::Key_Right);
    EXPECT_EQ(guide->pageIndex(), UserGuide::kPages - 1);
    EXPECT_EQ(guide->BTSkip->accessibleName(), "Selesai");
    EXPECT_EQ(QApplication::focusWidget(), guide->BTSkip);  // the way on is gone
    key(Qt::Key_Return);
    ASSERT_TRUE(processEventsUntil([&] { return guide->isHidden(); }));

    EXPECT_EQ(m_pressed, QStringList());  // no button of the window was pressed
    EXPECT_TRUE(control("M4Option")->isVisible());
    EXPECT_EQ(focused(), guideRow);  // the keyboard is back where it was
    key(Qt::Key_Space);
    EXPECT_TRUE(guide->isVisible());
    EXPECT_EQ(guide->BTSkip->accessibleName(), "Selesai");
    key(Qt::Key_Escape);
    ASSERT_TRUE(processEventsUntil([&] { return guide->isHidden(); }));
    EXPECT_EQ(m_pressed, QStringList{"R2Use"});
}

// Opened with the mouse, the guide holds the keyboard all the same, with no ring.
TEST_F(CoveredKeysTest, TheIntroGuideTakesTheKeyboardFromTheMouseToo) {
    auto* guide = m_window->findChild<UserGuide*>("UserGuide");
    auto* save = control<QAbstractButton>("BTSave");
    save->setFocus();  // a control of the dashboard that Enter or Space would press
    m_window->R2UseClick();
    EXPECT_FALSE(guide->ringShown());
    pressCoveredKeys();
    key(Qt::Key_Return);
    EXPECT_EQ(m_pressed, QStringList());
    EXPECT_TRUE(control("M1Dashboard")->isVisible());
    EXPECT_EQ(guide->pageIndex(), 2);  // Space and Enter went on, Tab stayed on the guide
    EXPECT_TRUE(guide->ringShown());
}

// Every kind of overlay in the content holds the keyboard: no key presses, moves or changes
// a control it covers.
TEST_F(CoveredKeysTest, KeysOverAnOverlayReachNothingBehindIt) {
    struct Row {
        const char* name;
        std::function<QWidget*()> open;
        std::function<void()> close;
    } rows[] = {
        {"force stop question",
         [&]() -> QWidget* {
             m_window->BTForceStopClick();
             return dialog("LayoutForceStop");
         },
         [&] { m_window->RForceNoClick(); }},
        {"history",
         [&]() -> QWidget* {
             m_window->RRiwayatClick();
             return dialog("LayoutRiwayat");
         },
         [&] { press("RRiwayatTutup"); }},
        {"message over the connection dialog",
         [&]() -> QWidget* {
             m_window->BTConnectionClick();
             auto* message = new ui::MessageDialog(m_window->content(), "LayoutMessage", "Pesan",
                                                   ui::MessageDialog::Buttons::OkCancel);
             message->present();
             return message;
         },
         [&] {
             delete control<ui::MessageDialog>("LayoutMessage");
             m_window->RectLayoutBTClick();
         }},
    };
    m_window->BT2DiagnosticClick();
    auto* brands = control<QComboBox>("ComboMerk");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        brands->setCurrentIndex(2);
        brands->setFocus();  // arrows and letters would change it
        QWidget* cover = row.open();
        clearPressed();
        pressCoveredKeys();
        EXPECT_EQ(pressedOutside(cover), QStringList());
        EXPECT_EQ(brands->currentIndex(), 2);
        EXPECT_TRUE(control("M2Diagnostic")->isVisible());
        ASSERT_NE(focused(), nullptr);
        EXPECT_TRUE(focused() == cover || cover->isAncestorOf(focused()))
            << focusedName().toStdString();
        row.close();
    }
}

TEST(KeyboardScaleTest, TabAndEnterWorkAtEveryScale) {
    for (const int screenWidth : {1024, 1366, 1920}) {
        SCOPED_TRACE(screenWidth);
        auto bt = std::make_shared<FakePlatform::Shared>();
        TVLForm window(std::make_unique<FakePlatform>(bt), screenWidth);
        window.setMessageSink([](const QString&) {});
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        // The bench, the dashboard, then the diagnostic button.
        for (int i = 0; i < 3; ++i) QTest::keyClick(window.windowHandle(), Qt::Key_Tab);
        EXPECT_EQ(window.content()->focusWidget()->objectName(), "BT2Diagnostic");
        QTest::keyClick(window.windowHandle(), Qt::Key_Return);
        EXPECT_TRUE(window.control<QWidget>("M2Diagnostic")->isVisible());
    }
}

}  // namespace
