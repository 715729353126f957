#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <condition_variable>
#include <mutex>

#include "catalogue/DiagnosticScreen.h"
#include "gui_wait.h"
#include "link/ConnectionDialog.h"
#include "link/SimulatedDevices.h"
#include "monitor/ChartPlot.h"
#include "monitor/ChartScreen.h"
#include "printing/ReceiptPreview.h"
#include "printing/ReceiptPrinter.h"
#include "printing/VirtualPrinter.h"
#include "shell/ExitQuestion.h"
#include "window_fixture.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

// A printer that takes each chunk only when the test lets it, and notes every send.
struct SlowPrinter {
    std::mutex mutex;
    std::condition_variable opened;
    bool open = false;
    std::vector<std::string> sends;
    int failAtSend = -1;  // 0-based send that breaks the link

    void operator()(const std::string& bytes) {
        std::unique_lock<std::mutex> lock(mutex);
        opened.wait(lock, [this] { return open; });
        if (static_cast<int>(sends.size()) == failAtSend) throw LinkError("Broken pipe");
        sends.push_back(bytes);
    }
    void letThrough() {
        {
            std::lock_guard<std::mutex> lock(mutex);
            open = true;
        }
        opened.notify_all();
    }
    size_t count() {
        std::lock_guard<std::mutex> lock(mutex);
        return sends.size();
    }
};

const QDateTime kPrintTime(QDate(2026, 12, 10), QTime(14, 5, 9));

class PrintingTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        m_printer = std::make_shared<SlowPrinter>();
        m_bt->beforeSend = [printer = m_printer](const std::string& bytes) { (*printer)(bytes); };
        m_window->receipts()->setClock([] { return kPrintTime; });
        setState([](ChargerState& s) {
            s.before.voltage = 12.71;
            s.before.cca = 410;
            s.after.voltage = 13.12;
            s.after.status = "GOOD";
            s.test.voltage = 12.38;
            s.test.cca = 285;
            s.test.status = "WEAK";
        });
        DiagnosticScreen* d = m_window->diagnostic();
        d->Edit1->setText(QStringLiteral("Bengkel Jaya Abadi Motor Sentosa Makmur"));  // > 32
        d->ComboMerk->setCurrentIndex(d->ComboMerk->findText("GSAstra"));
        d->ComboJenis->setCurrentIndex(d->ComboJenis->findText("MF"));
        d->ComboTipe->setCurrentIndex(d->ComboTipe->findText("GM5Z-3B"));
        m_window->FormShow();
    }
    void TearDown() override {
        m_printer->letThrough();  // never leave a sender waiting
        WindowTest::TearDown();
    }

    // Opens the dialog for the printer, picks RPP02N and presses a button; returns once
    // connected (the receipt may still be on its way).
    void pressPrint(void (TVLForm::*button)()) {
        m_window->BTPrintClick();
        control<QComboBox>("ComboDevice")->setCurrentIndex(1);
        QSignalSpy connected(m_window.get(), &TVLForm::connectionFinished);
        (m_window.get()->*button)();
        ASSERT_TRUE(connected.wait(20000));
    }
    std::string peerBytes() {
        std::string all;
        for (std::string chunk; !(chunk = m_bt->peers.back()->receive(0)).empty();) all += chunk;
        return all;
    }
    std::vector<std::string> expectedChunks(bool charge) {
        const ReceiptPrinter* r = m_window->receipts();
        const auto rasters = m_window->receipts()->images().rasters();
        const printing::ClockReading clock{2026, 12, 10, 14, 5, 9, 0};
        const ChargerState state = m_window->state().snapshot();
        return charge ? printing::chargeReceiptChunks(state, r->profileTexts(), clock, r->locale(),
                                                      rasters)
                      : printing::testReceiptChunks(state, r->profileTexts(), clock, r->locale(),
                                                    rasters.logo);
    }

    std::shared_ptr<SlowPrinter> m_printer;
};

TEST_F(PrintingTest, PrintChargeSendsTwelveChunksOnTheWorkerWhileTheWindowRuns) {
    m_window->Timerloop()->start();
    const double chartClock = m_window->chartScreen()->chartClock();
    pressPrint(&TVLForm::BTConnectClick);
    EXPECT_FALSE(m_window->Timerloop()->isActive());
    // The chart stays on the charge's own time: a receipt does not move it.
    EXPECT_EQ(m_window->chartScreen()->chartClock(), chartClock);

    // The printer holds the first chunk back; the window keeps handling events.
    EXPECT_TRUE(m_window->printing());
    EXPECT_EQ(control<QLabel>("LBusy")->text(), "Mencetak...");
    EXPECT_TRUE(control<QLabel>("LBusy")->isVisibleTo(m_window->content()));
    EXPECT_EQ(text("LLinkStatus"), "Mencetak ke RPP02N...");
    bool ticked = false;
    QTimer::singleShot(0, [&ticked] { ticked = true; });
    EXPECT_TRUE(processEventsUntil([&] { return ticked; }));
    m_window->BTConnectClick();  // pressed again while printing: nothing happens
    EXPECT_EQ(m_bt->peers.size(), 1u);
    EXPECT_EQ(m_printer->count(), 0u);

    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    m_printer->letThrough();
    ASSERT_TRUE(printed.wait(20000));
    EXPECT_EQ(printed.at(0).at(0).toString(), "");

    const auto expected = expectedChunks(true);
    EXPECT_EQ(m_printer->sends, expected);  // one send per chunk, in order
    std::string whole;
    for (const std::string& chunk : expected) whole += chunk;
    EXPECT_EQ(peerBytes(), whole);
    EXPECT_EQ(expected[0].size(), 6 + 4632 + 1u);
    EXPECT_EQ(expected[9].size(), 8 + 15054 + 1u);
    EXPECT_EQ(expected[1].substr(5), "10/12/2026 - 14:05:09\x1B\r\n");
    EXPECT_NE(expected[3].find("Bengkel Jaya Abadi Motor Sentosa Makmur"), std::string::npos);
    EXPECT_NE(expected[3].find("TYPE         : MF\x1B\r\nSERI         : GM5Z-3B\x1B\r\n"),
              std::string::npos);

    EXPECT_FALSE(m_window->printing());
    EXPECT_FALSE(control("LayoutConnection")->isVisible());
    EXPECT_TRUE(m_window->link().connected());  // the link stays with the printer
    EXPECT_FALSE(m_window->Timerloop()->isActive());
    EXPECT_TRUE(m_messages.isEmpty());
}

// Closing the window while a receipt is on its way asks first: the receipt would be cut off.
TEST_F(PrintingTest, ClosingWhilePrintingAsksFirst) {
    m_window->show();
    pressPrint(&TVLForm::BTConnectClick);
    ASSERT_TRUE(m_window->printing());
    EXPECT_FALSE(m_window->close());
    EXPECT_EQ(text("CloseDialogText"), ExitQuestion::closeQuestion(ExitQuestion::CutOff::Print));
    control<QAbstractButton>("CloseDialogCancel")->click();
    EXPECT_TRUE(m_window->isVisible());

    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    m_printer->letThrough();
    ASSERT_TRUE(printed.wait(20000));
    EXPECT_EQ(printed.at(0).at(0).toString(), "");  // the receipt went out whole
    EXPECT_TRUE(m_window->close());                 // nothing left to cut off
}

TEST_F(PrintingTest, PrintTestSendsSixChunksAndLeavesTheTimer) {
    m_window->Timerloop()->start();
    m_printer->letThrough();
    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    pressPrint(&TVLForm::BTReportClick);
    ASSERT_TRUE(printed.count() == 1 || printed.wait(20000));
    const auto expected = expectedChunks(false);
    EXPECT_EQ(m_printer->sends, expected);
    EXPECT_EQ(expected[0].size(), 6 + 4632 + 1u);
    EXPECT_NE(expected[3].find("Profile Name : "), std::string::npos);
    EXPECT_TRUE(m_window->Timerloop()->isActive());
    EXPECT_TRUE(m_window->receipts()->images().rasters().voltage.empty());  // no image pass
}

TEST_F(PrintingTest, SendErrorStopsTheReceiptAndReachesTheUser) {
    m_printer->failAtSend = 2;
    m_printer->letThrough();
    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    pressPrint(&TVLForm::BTConnectClick);
    ASSERT_TRUE(printed.count() == 1 || printed.wait(20000));
    EXPECT_EQ(printed.at(0).at(0).toString(), "Broken pipe");
    EXPECT_EQ(m_printer->sends.size(), 2u);  // the rest of the receipt was not sent
    EXPECT_EQ(m_messages, QStringList{"Broken pipe"});
    EXPECT_FALSE(m_window->printing());
    EXPECT_FALSE(control<QLabel>("LBusy")->isVisible());
}

TEST_F(PrintingTest, ClosingTheWindowWhileAReceiptIsOnItsWayEndsCleanly) {
    pressPrint(&TVLForm::BTConnectClick);
    ASSERT_TRUE(m_window->printing());
    m_printer->letThrough();
    m_window.reset();  // releases the printer's link under the sender and waits for it
    EXPECT_LE(m_printer->count(), 12u);
}

TEST_F(PrintingTest, SelectorAndConnectionRules) {
    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    m_window->DataPrint(1);  // no link: nothing, no message
    m_window->DataPrint2(1);
    EXPECT_FALSE(m_window->printing());

    m_printer->letThrough();
    pressPrint(&TVLForm::BTReportClick);
    ASSERT_TRUE(printed.count() == 1 || printed.wait(20000));
    const size_t sent = m_printer->count();
    for (int selector : {0, 2, 255}) {
        m_window->DataPrint(selector);
        m_window->DataPrint2(selector);
    }
    EXPECT_FALSE(m_window->printing());
    EXPECT_EQ(m_printer->count(), sent);
    // Two receipts in a row read the clock anew and go out one after the other.
    QDateTime now = kPrintTime;
    int clockReadings = 0;
    m_window->receipts()->setClock([&] {
        ++clockReadings;
        return now = now.addSecs(60);
    });
    m_window->DataPrint2(1);
    m_window->DataPrint2(1);
    EXPECT_EQ(clockReadings, 2);
    ASSERT_TRUE(processEventsUntil([&] { return printed.count() == 3; }));
    EXPECT_EQ(m_printer->count(), sent + 12);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(PrintingTest, ImagePassRendersBothChartsWithoutTouchingTheChartScreen) {
    ChartScreen* charts = m_window->chartScreen();
    // Charts never looked at are not made for printing either.
    m_window->saveimage();
    EXPECT_FALSE(charts->chartsBuilt());
    EXPECT_EQ(m_window->receipts()->images().ImageV().size(), QSize(384, 300));

    charts->buildCharts();
    const QRect voltageGeometry = charts->ChartVoltage->geometry();
    const QRect currentGeometry = charts->ChartCurrent->geometry();
    m_window->saveimage();
    EXPECT_EQ(charts->ChartVoltage->geometry(), voltageGeometry);
    EXPECT_EQ(charts->ChartCurrent->geometry(), currentGeometry);
    const PrinterImages& images = m_window->receipts()->images();
    EXPECT_EQ(images.ImageV().size(), QSize(384, 300));
    EXPECT_EQ(images.ImageI().size(), QSize(384, 300));
    const auto rasters = images.rasters();
    EXPECT_EQ(rasters.logo.size(), 4632u);
    EXPECT_EQ(rasters.voltage.size(), 15054u);
    EXPECT_EQ(rasters.current.size(), 15054u);
    // The chart is drawn, not blank: its axes and labels give black dots.
    const auto& dots = images.voltagePixels().flags;
    const auto black = std::count(dots.begin(), dots.end(), 1);
    EXPECT_GT(black, 500);
    EXPECT_LT(black, 384 * 300 / 2);
}

TEST_F(PrintingTest, FailedImagePassKeepsTheRastersAndTheReceiptGoesOut) {
    PrinterImages images;
    images.inisialprint();
    auto fails = [](const ChartKind&, const QSize&) { return QImage(); };
    EXPECT_THROW(images.saveimage(fails), std::runtime_error);
    EXPECT_TRUE(images.rasters().voltage.empty());  // never built: empty
    auto grey = [](const ChartKind&, const QSize& size) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(QColor(126, 126, 126));
        return picture;
    };
    images.saveimage(grey);
    const std::string built = images.rasters().voltage;
    EXPECT_EQ(built.size(), 15054u);
    EXPECT_EQ(static_cast<unsigned char>(built[5]), 0xFF);  // grey 126 prints black
    EXPECT_THROW(images.saveimage(fails), std::runtime_error);
    EXPECT_EQ(images.rasters().voltage, built);  // the last pass's raster stays
    // The stretched picture is read at the print size.
    images.setChartPictures(grey(kVoltageKind, QSize(960, 240)), QImage());
    images.SusunBitmap2();
    EXPECT_EQ(images.voltagePixels().height, 300);
}

TEST_F(PrintingTest, ShippedLogoIsAnOpaque384By90Picture) {
    const PrinterImages& images = m_window->receipts()->images();
    EXPECT_EQ(images.ImageLogo().size(), QSize(384, 90));
    EXPECT_FALSE(images.ImageLogo().hasAlphaChannel());
    m_window->SusunBitmap();
    const auto& dots = images.logoPixels().flags;
    const auto black = std::count(dots.begin(), dots.end(), 1);
    EXPECT_GT(black, 384 * 90 / 10);  // the mark and the name
    EXPECT_LT(black, 384 * 90 / 2);
}

TEST(ReceiptLocaleTest, LocaleFactsOfTheUsersLocale) {
    struct Case {
        const char* locale;
        const char* dateSeparator;
        const char* timeFormat;
    } cases[] = {{"en_US", "/", "h:mm:ss AP"},
                 {"de_DE", ".", "HH:mm:ss"},
                 {"id_ID", "/", "HH.mm.ss"},
                 {"nl_NL", "-", "HH:mm:ss"},
                 {"C", "/", "HH:mm:ss"}};
    for (const Case& c : cases) {
        const auto facts = receiptLocaleOf(QLocale(QString::fromLatin1(c.locale)), {','});
        EXPECT_EQ(facts.time.dateSeparator, c.dateSeparator) << c.locale;
        EXPECT_EQ(facts.time.longTimeFormat, c.timeFormat) << c.locale;
        EXPECT_EQ(facts.number.decimalSeparator, ',');
    }
}

}  // namespace
