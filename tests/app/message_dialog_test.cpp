// Messages and questions in the window's own look: a panel inside the scaled content,
// modal to the window, answered by its buttons, Enter and Escape.
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGraphicsView>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <deque>
#include <stdexcept>

#include "gui_wait.h"
#include "shell/ErrorReportingApplication.h"
#include "widgets/SlideInDialog.h"
#include "widgets/Theme.h"
#include "window_fixture.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

// Works through the messages and questions the window opens, from inside their waits:
// each one, once slid in, goes to the next scripted step, or is answered OK when no step
// is left. A system message box opened instead is closed and reported, so a test fails
// rather than hangs.
class DialogScript : public QObject {
public:
    using Step = std::function<void(ui::SlideInDialog*)>;

    explicit DialogScript(TVLForm& window) : m_window(window) {
        connect(&m_poll, &QTimer::timeout, this, &DialogScript::poll);
        m_poll.start(10);
    }
    void then(Step step) { m_steps.push_back(std::move(step)); }
    int seen() const { return m_seen; }

private:
    void poll() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "a system box opened: " << modal->metaObject()->className();
            modal->close();
            return;
        }
        m_handled.removeIf(
            [](const QPointer<ui::SlideInDialog>& d) { return !d || d->isHidden(); });
        for (auto* dialog : m_window.content()->findChildren<ui::SlideInDialog*>(
                 QString(), Qt::FindDirectChildrenOnly)) {
            const QString name = dialog->objectName();
            if (name != "LayoutMessage" && name != "ExitDialog") continue;
            if (dialog->isHidden() || m_handled.contains(dialog)) continue;
            if (dialog->animation()->state() != QAbstractAnimation::Stopped) continue;
            m_handled.append(dialog);
            ++m_seen;
            if (m_steps.empty()) {
                dialog->findChild<QAbstractButton*>(name + "OK")->click();
                continue;
            }
            Step step = std::move(m_steps.front());
            m_steps.pop_front();
            step(dialog);
        }
    }

    TVLForm& m_window;
    QTimer m_poll;
    std::deque<Step> m_steps;
    QList<QPointer<ui::SlideInDialog>> m_handled;
    int m_seen = 0;
};

// A window showing its own messages (no sink), shown and active as a user has it.
class MessageTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        m_window->setMessageSink(nullptr);
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    QWindow* handle() { return m_window->windowHandle(); }
    QGraphicsView* view() { return m_window->findChild<QGraphicsView*>("ContentView"); }
    // A rectangle of the content in window pixels, as the user sees it.
    QRect onWindow(QWidget* widget) {
        const QRect inContent(widget->mapTo(m_window->content(), QPoint(0, 0)), widget->size());
        const QRect inViewport = view()->mapFromScene(QRectF(inContent)).boundingRect();
        return inViewport.translated(view()->viewport()->mapTo(m_window.get(), QPoint(0, 0)));
    }
    void click(QWidget* widget) {
        QTest::mouseClick(handle(), Qt::LeftButton, {}, onWindow(widget).center());
    }
    void key(Qt::Key key) { QTest::keyClick(handle(), key); }
    void type(const char* text) {
        for (; *text; ++text) QTest::keyClick(handle(), *text);
    }
    QStringList visibleButtonTexts(QWidget* dialog) {
        QStringList texts;
        for (auto* button : dialog->findChildren<QAbstractButton*>())
            if (button->isVisible()) texts << button->text();
        return texts;
    }
    QLabel* textOf(QWidget* dialog) {
        return dialog->findChild<QLabel*>(dialog->objectName() + "Text");
    }
};

TEST_F(MessageTest, EveryMessageIsAPanelOfTheWindowWithOneOk) {
    struct Row {
        const char* text;
        std::function<void(TVLForm&)> cause;
    } rows[] = {
        {"Isi nama file",
         [](TVLForm& w) {
             w.BTSaveClick();
             w.ROKSaveClick();
         }},
        {"Nyalakan bluetooth anda",
         [this](TVLForm& w) {
             m_bt->radio = false;
             w.checkBT();
         }},
        {"Opsi ada yang kosong",
         [](TVLForm& w) {
             w.BTTambahClick();
             w.control<QComboBox>("ComboIndeksT")->setCurrentIndex(-1);
             w.RTambahYesClick();
         }},
        {"Koneksi terputus", [](TVLForm& w) { w.reportError("Koneksi terputus"); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        bool returned = false, inspected = false;
        DialogScript script(*m_window);
        script.then([&](ui::SlideInDialog* dialog) {
            inspected = true;
            EXPECT_FALSE(returned);  // the caller waits for the answer
            EXPECT_EQ(dialog->parentWidget(), m_window->content());  // scaled with it
            EXPECT_EQ(dialog->geometry(), m_window->content()->rect());
            EXPECT_TRUE(dialog->geometry().contains(dialog->panel()->geometry()));
            EXPECT_EQ(dialog->panel()->width(), 400);
            EXPECT_EQ(dialog->panel()->x(), (960 - 400) / 2);
            QLabel* label = textOf(dialog);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), row.text);
            EXPECT_EQ(label->font().family(), "Roboto");
            EXPECT_EQ(ui::textColor(label), ui::kWhite);
            EXPECT_EQ(visibleButtonTexts(dialog), QStringList{"OK"});
            auto* ok = dialog->findChild<QAbstractButton*>("LayoutMessageOK");
            ASSERT_NE(ok, nullptr);
            EXPECT_EQ(ok->size(), QSize(100, 40));
            for (QWidget* top : QApplication::topLevelWidgets())
                EXPECT_FALSE(top->isVisible() && qobject_cast<QDialog*>(top))
                    << top->metaObject()->className();
            click(ok);
        });
        row.cause(*m_window);
        returned = true;
        EXPECT_TRUE(inspected);
        EXPECT_EQ(script.seen(), 1);
        EXPECT_EQ(m_window->content()->findChild<QWidget*>("LayoutMessage"), nullptr);
        m_window->RCancelSaveClick();
        m_window->RTambahNoClick();
    }
}

TEST_F(MessageTest, LongTextsWrapAndStayInsideThePanel) {
    const QString sentence = QStringLiteral(
        "org.bluez.Error.Failed: br-connection-profile-unavailable. Perangkat tidak menjawab "
        "permintaan sambungan RFCOMM pada kanal 1; periksa apakah charger menyala, sudah "
        "dipasangkan dengan komputer ini dan tidak sedang tersambung ke perangkat lain.");
    const QString path = "/home/bengkel/Documents/Velmora Tester/Log/" + QString(120, 'X') + ".log";
    const QString lines = QStringLiteral("Baris pertama\nBaris kedua\r\nBaris ketiga");
    const QString huge = QString("kesalahan ").repeated(500);
    struct Row {
        QString text;
        bool fitsWhole;
    } rows[] = {{sentence, true}, {path, true}, {lines, true}, {huge, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.left(40).toStdString());
        DialogScript script(*m_window);
        script.then([&](ui::SlideInDialog* dialog) {
            QLabel* label = textOf(dialog);
            ASSERT_NE(label, nullptr);
            ui::Panel* panel = dialog->panel();
            EXPECT_TRUE(QRect(QPoint(0, 0), panel->size()).contains(label->geometry()));
            EXPECT_TRUE(m_window->content()->rect().contains(panel->geometry()));
            EXPECT_GE(label->height(), 2 * label->fontMetrics().lineSpacing());  // wrapped
            if (row.fitsWhole) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height());
            }

            // Seen as the user sees it: no letter lies outside the panel, and some inside.
            const QImage shot = m_window->grab().toImage();
            const QRect panelArea = onWindow(panel).adjusted(-1, -1, 1, 1);
            const QRect textArea = onWindow(label);
            int brightOutside = 0, brightInText = 0;
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x) {
                    if (qGray(shot.pixel(x, y)) < 160) continue;
                    if (!panelArea.contains(x, y)) ++brightOutside;
                    if (textArea.contains(x, y)) ++brightInText;
                }
            EXPECT_EQ(brightOutside, 0);
            EXPECT_GT(brightInText, 50);
            key(Qt::Key_Return);
        });
        m_window->reportError(row.text);
        EXPECT_EQ(script.seen(), 1);
    }
}

TEST_F(MessageTest, KeyboardStaysWithTheMessageAndComesBack) {
    // The user presses Enter in the empty name box of the save dialog.
    m_window->BTSaveClick();
    auto* edit = control<QLineEdit>("Edit2");
    edit->clear();
    ASSERT_EQ(edit->window()->focusWidget(), edit);
    DialogScript script(*m_window);
    script.then([&](ui::SlideInDialog* dialog) {
        EXPECT_EQ(textOf(dialog)->text(), "Isi nama file");
        type("abc");
        key(Qt::Key_Tab);
        QTest::keyClick(handle(), Qt::Key_Back);
        EXPECT_EQ(edit->text(), "");
        QWidget* exitDialog = m_window->content()->findChild<QWidget*>("ExitDialog");
        EXPECT_TRUE(!exitDialog || exitDialog->isHidden());
        key(Qt::Key_Enter);  // answers the message, and only the message
    });
    key(Qt::Key_Return);
    EXPECT_EQ(script.seen(), 1);
    EXPECT_TRUE(control("LayoutSave")->isVisible());
    EXPECT_EQ(edit->window()->focusWidget(), edit);
    type("aki");
    EXPECT_EQ(edit->text(), "aki");
}

TEST_F(MessageTest, NothingBehindAMessageReactsToTheMouse) {
    m_window->BT2DiagnosticClick();
    auto* brands = control<QComboBox>("ComboMerk");
    brands->setCurrentIndex(0);
    const auto wheelOver = [&](QWidget* widget) {
        const QPointF at = view()->viewport()->mapFrom(m_window.get(), onWindow(widget).center());
        QWheelEvent wheel(at, view()->viewport()->mapToGlobal(at), {}, QPoint(0, -120),
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view()->viewport(), &wheel);
    };
    DialogScript script(*m_window);
    script.then([&](ui::SlideInDialog*) {
        click(control("BT1Dashboard"));  // covered by the backdrop
        wheelOver(brands);
        EXPECT_TRUE(control("M2Diagnostic")->isVisible());
        EXPECT_EQ(brands->currentIndex(), 0);
        key(Qt::Key_Escape);  // a message has only OK: Escape closes it too
    });
    m_window->reportError("Koneksi terputus");
    EXPECT_EQ(script.seen(), 1);
    EXPECT_EQ(brands->currentIndex(), 0);
    wheelOver(brands);  // the window answers again
    EXPECT_EQ(brands->currentIndex(), 1);
    click(control("BT1Dashboard"));
    EXPECT_TRUE(control("M1Dashboard")->isVisible());
}

TEST_F(MessageTest, ExitQuestionAnswersByKeysAndButtons) {
    struct Row {
        std::function<void(QWidget*)> answer;
        bool leaves;
    } rows[] = {
        {[this](QWidget*) { key(Qt::Key_Escape); }, false},
        {[this](QWidget* d) { click(d->findChild<QWidget*>("ExitDialogCancel")); }, false},
        {[this](QWidget*) { key(Qt::Key_Return); }, true},
    };
    for (const Row& row : rows) {
        ASSERT_TRUE(m_window->isVisible());
        QTest::keyClick(handle(), Qt::Key_Back);
        auto* dialog = m_window->content()->findChild<ui::SlideInDialog*>("ExitDialog");
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(processEventsUntil(
            [&] { return dialog->animation()->state() == QAbstractAnimation::Stopped; }));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(textOf(dialog)->text(), "Apakah anda yakin ingin keluar dari aplikasi ?");
        EXPECT_EQ(visibleButtonTexts(dialog), (QStringList{"OK", "Cancel"}));
        QTest::keyClick(handle(), Qt::Key_Back);  // asked once, not twice
        EXPECT_EQ(m_window->content()->findChildren<QWidget*>("ExitDialog").size(), 1);
        row.answer(dialog);
        EXPECT_TRUE(dialog->isHidden());
        EXPECT_EQ(m_window->isVisible(), !row.leaves);
    }
}

TEST_F(MessageTest, UncaughtErrorsSpeakInTheWindow) {
    struct Row {
        std::function<bool()> deliver;
        const char* text;
    } rows[] = {
        {[]() -> bool { throw std::runtime_error("Gagal membaca berkas"); },
         "Gagal membaca berkas"},
        {[]() -> bool { throw 42; }, "Terjadi kesalahan yang tidak diketahui"},
    };
    for (const Row& row : rows) {
        QString shown;
        DialogScript script(*m_window);
        script.then([&](ui::SlideInDialog* dialog) {
            shown = textOf(dialog)->text();
            key(Qt::Key_Return);
        });
        EXPECT_FALSE(ErrorReportingApplication::deliverReportingErrors(row.deliver));
        EXPECT_EQ(shown, row.text);
        EXPECT_TRUE(m_window->isVisible());  // the window stays open
    }
}

TEST(MessageScaleTest, MessageScalesWithTheContent) {
    auto bt = std::make_shared<FakePlatform::Shared>();
    TVLForm window(std::make_unique<FakePlatform>(bt), 1920);
    window.show();
    auto* view = window.findChild<QGraphicsView*>("ContentView");
    DialogScript script(window);
    script.then([&](ui::SlideInDialog* dialog) {
        QWidget* panel = dialog->panel();
        const QRect design(panel->mapTo(window.content(), QPoint(0, 0)), panel->size());
        const QRectF seen = view->mapFromScene(QRectF(design)).boundingRect();
        EXPECT_NEAR(seen.width(), 400 * 1.4, 2);
        EXPECT_NEAR(seen.height(), panel->height() * 1.4, 2);
        EXPECT_NEAR(seen.center().x(), 1344 / 2.0, 2);
        dialog->findChild<QAbstractButton*>("LayoutMessageOK")->click();
    });
    window.reportError("Sukses Mengirim");
    EXPECT_EQ(script.seen(), 1);
}

}  // namespace
