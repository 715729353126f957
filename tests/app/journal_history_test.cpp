// The "Riwayat" row: the kept sessions listed newest first, filtered, one shown with its
// results and charts, exported as CSV, deleted after asking.
#include <unistd.h>

#include <QApplication>
#include <QCategoryAxis>
#include <QChartView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsProxyWidget>
#include <QHeaderView>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "gui_wait.h"
#include "journal/HistoryDialog.h"
#include "journal/Schema.h"
#include "journal/SessionListModel.h"
#include "journal/SessionPage.h"
#include "journal/WallTime.h"
#include "journal_window_fixture.h"
#include "monitor/ChartScreen.h"
#include "printing/EscPosReader.h"
#include "printing/ReceiptPrinter.h"
#include "shell/Dialogs.h"
#include "widgets/Language.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

// Three kept sessions: (newest first) a Yuasa test, a forced stop on a GS Astra, a whole
// Yuasa charge; all at Jakarta time (UTC+7).
class JournalHistoryTest : public JournalWindowTest {
protected:
    void SetUp() override {
        JournalWindowTest::SetUp();
        auto journal = journal::Journal::open(m_path);
        m_charge = keep(*journal, "2025-12-08", 9 * 60 + 5, "Yuasa", "MF", "YTZ5S",
                        journal::SessionKind::Charge, 3725, "finished",
                        journal::TestResult{455, 3.8, 11.64, 13.12, "GOOD"});
        keep(*journal, "2025-12-09", 14 * 60 + 30, "GSAstra", "MF", "GM5Z-3B",
             journal::SessionKind::Charge, 900, "forceStop", std::nullopt);
        keep(*journal, "2025-12-10", 8 * 60 + 0, "Yuasa", "Konvensional", "YB9-B",
             journal::SessionKind::Test, 12, "finished",
             journal::TestResult{285, 7.25, 10.86, 12.38, "WEAK"});
    }

    int64_t keep(journal::Journal& journal, const char* day, int minuteOfDay, const char* brand,
                 const char* variety, const char* type, journal::SessionKind kind, int seconds,
                 const char* stop, std::optional<journal::TestResult> result,
                 const char* bay = "") {
        journal::SessionStart start;
        start.kind = kind;
        start.bayLabel = bay;
        start.utcOffsetMinutes = 420;
        start.startMs = *journal::parseLocalDate(day) + (minuteOfDay - 420) * int64_t{60'000};
        start.deviceName = "VELMORA-CHG";
        start.profile = {0, 1, 2, "1", brand, variety, type, "Normal Mode", "5 Ah", ""};
        const int64_t id = journal.beginSession(start);
        journal::SessionUpdate update;
        for (int t = 0; t < seconds; ++t)
            update.points.push_back(
                {t * 1000LL, 12.0 + t % 300 / 100.0, 3.0 - t % 3000 / 1000.0, 2 + t % 3});
        if (kind == journal::SessionKind::Test)
            update.results.test = result;
        else {
            update.results.before = journal::TestResult{410, 4.5, 11.02, 12.71, ""};
            update.results.after = result;
        }
        update.endMs = start.startMs + seconds * 1000LL;
        update.stopReason = journal::stopReasonFromName(stop);
        journal.write(id, update);
        return id;
    }

    HistoryDialog* dialog() { return control<HistoryDialog>("LayoutRiwayat"); }
    QTableView* list() { return control<QTableView>("ListRiwayat"); }
    QString cell(int row, int column) {
        return list()->model()->index(row, column).data().toString();
    }
    void typeFilter(const char* text) {
        control<QLineEdit>("EditCariRiwayat")->setText(QString::fromUtf8(text));
    }
    // Selects the row and presses "Lihat".
    void view(int row) {
        list()->selectRow(row);
        control<QAbstractButton>("RRiwayatLihat")->click();
    }

    int64_t m_charge = 0;
};

TEST_F(JournalHistoryTest, ListsNewestFirstAndFiltersByEveryWordTyped) {
    m_window->BT4OptionClick();
    control<QAbstractButton>("RRiwayat")->click();
    ASSERT_TRUE(dialog()->isVisibleTo(m_window->content()));
    ASSERT_EQ(list()->model()->rowCount(), 3);
    const QString sep = QString::fromStdString(
        receiptLocaleOf(QLocale(), m_window->numberFormat()).time.dateSeparator);
    EXPECT_EQ(cell(0, SessionListModel::Start), "10" + sep + "12" + sep + "2025 08:00");
    EXPECT_EQ(cell(0, SessionListModel::Kind), "Tes");
    EXPECT_EQ(cell(0, SessionListModel::Status), "WEAK");
    EXPECT_EQ(cell(1, SessionListModel::Brand), "GSAstra");
    EXPECT_EQ(cell(1, SessionListModel::Status), "-");
    EXPECT_EQ(cell(1, SessionListModel::Stop), "Dihentikan");
    EXPECT_EQ(cell(2, SessionListModel::Type), "YTZ5S");
    EXPECT_EQ(cell(2, SessionListModel::Duration), "01:02:05");
    EXPECT_EQ(cell(2, SessionListModel::Stop), "Selesai");
    EXPECT_EQ(text("LRiwayatInfo"), "3 sesi");

    const struct {
        QString typed;
        QStringList types;  // the rows left, by battery type
    } filters[] = {
        {"yuasa", {"YB9-B", "YTZ5S"}},
        {"YUASA good", {"YTZ5S"}},
        {"konvensional", {"YB9-B"}},  // a text the columns do not show
        {"dihentikan", {"GM5Z-3B"}},
        {"09" + sep + "12", {"GM5Z-3B"}},  // a day, as the dates are written
        {"tidak ada", {}},
        {"", {"YB9-B", "GM5Z-3B", "YTZ5S"}},
    };
    for (const auto& f : filters) {
        control<QLineEdit>("EditCariRiwayat")->setText(f.typed);
        QStringList shown;
        for (int row = 0; row < list()->model()->rowCount(); ++row)
            shown << cell(row, SessionListModel::Type);
        EXPECT_EQ(shown, f.types) << f.typed.toStdString();
    }
    typeFilter("gsastra");
    EXPECT_EQ(text("LRiwayatInfo"), "1 dari 3 sesi");
}

// A charge whose link was lost for five minutes and found again: the page says so and the
// charts leave the time open.
TEST_F(JournalHistoryTest, ASessionWithAGapShowsItOpenAndSaysHowLong) {
    {
        auto journal = journal::Journal::open(m_path);
        const int64_t id = keep(*journal, "2025-12-11", 10 * 60, "Yuasa", "MF", "YTZ5S",
                                journal::SessionKind::Charge, 0, "finished", std::nullopt);
        journal::SessionUpdate update;
        for (int t = 0; t < 600; ++t)
            update.points.push_back({(t < 300 ? t : t + 300) * 1000LL, 13.0, 2.0, 3});
        journal->write(id, update);
    }
    m_window->RRiwayatClick();
    view(0);
    ASSERT_TRUE(dialog()->sessionPageShown());
    EXPECT_TRUE(text("LSesiAkhir").contains("Terputus 1 kali (00:05:01)"))
        << text("LSesiAkhir").toStdString();
    SessionPage* page = dialog()->PageSesi;
    EXPECT_EQ(page->data().voltage.lineStarts().size(), 1u);
    EXPECT_EQ(page->data().current.lineStarts().size(), 1u);

    view(1);  // the whole charge has no gap
    EXPECT_FALSE(text("LSesiAkhir").contains("Terputus"));
}

TEST_F(JournalHistoryTest, SessionShowsItsResultsAndChartsLeavingTheLiveChartsAlone) {
    ChartScreen* live = m_window->chartScreen();
    live->buildCharts();
    for (int elapsed : {40, 41}) {
        m_window->state().modify([elapsed](ChargerState& s) {
            s.stageNumber = 2;
            s.chargeVoltage = 13.5;
            s.chargeCurrent = 2.5;
            s.elapsedSeconds = elapsed;
        });
        m_window->chart();
    }
    const size_t livePoints = live->data().voltage.size();
    const QString liveTitle = live->stageTitle();
    const int liveDrawn = live->Series1->count();
    ASSERT_EQ(livePoints, 2u);

    m_window->RRiwayatClick();
    view(2);
    ASSERT_TRUE(dialog()->sessionPageShown());
    SessionPage* page = dialog()->PageSesi;
    const QString before = text("LSesiBefore"), after = text("LSesiAfter");
    EXPECT_TRUE(before.startsWith("Sebelum Pengisian\nCCA = 410\n")) << before.toStdString();
    EXPECT_TRUE(after.contains("CCA = 455")) << after.toStdString();
    EXPECT_TRUE(after.endsWith("Status  = GOOD")) << after.toStdString();
    EXPECT_FALSE(control("LSesiTest")->isVisibleTo(page));
    EXPECT_TRUE(text("LSesiAkhir").startsWith("Akhir: Selesai"));
    EXPECT_TRUE(text("LSesiProfile").startsWith("Yuasa"));

    // Every point of the session on the page's own charts, on its own time from 0:00.
    const auto session = keptSession(m_charge);
    ASSERT_TRUE(session);
    ASSERT_EQ(page->data().voltage.size(), session->points.size());
    EXPECT_DOUBLE_EQ(page->data().voltage.points()[100].y, session->points[100].voltage);
    EXPECT_DOUBLE_EQ(page->data().current.points()[100].y, session->points[100].current);
    EXPECT_EQ(page->data().voltage.points().front().x, 0.0);
    EXPECT_EQ(hourMinuteText(page->data().voltage.points().back().x), "1:02");
    EXPECT_EQ(live->data().voltage.size(), livePoints);
    EXPECT_EQ(live->Series1->count(), liveDrawn);
    EXPECT_EQ(live->stageTitle(), liveTitle);

    // A test shows its own group only.
    control<QAbstractButton>("BackSesi")->click();
    EXPECT_FALSE(dialog()->sessionPageShown());
    view(0);
    EXPECT_TRUE(text("LSesiTest").contains("Status  = WEAK"));
    EXPECT_FALSE(control("LSesiBefore")->isVisibleTo(page));

    // Nothing selected: the user is asked to choose.
    control<QAbstractButton>("BackSesi")->click();
    list()->clearSelection();
    control<QAbstractButton>("RRiwayatLihat")->click();
    EXPECT_EQ(m_messages, QStringList{"Pilih sesi yang akan dilihat"});
}

TEST_F(JournalHistoryTest, DeleteAsksFirstAndRemovesOnlyOnYes) {
    m_window->RRiwayatClick();
    view(1);
    auto* question = control<QuestionDialog>("LayoutHapusRiwayat");
    control<QAbstractButton>("RSesiHapus")->click();
    ASSERT_TRUE(question->isVisibleTo(m_window->content()));
    control<QAbstractButton>("RHapusTidak")->click();
    EXPECT_FALSE(question->isVisibleTo(m_window->content()));
    EXPECT_EQ(kept().size(), 3u);

    control<QAbstractButton>("RSesiHapus")->click();
    control<QAbstractButton>("RHapusIya")->click();
    const auto sessions = kept();
    ASSERT_EQ(sessions.size(), 2u);
    for (const auto& s : sessions) EXPECT_NE(s.start.profile.brand, "GSAstra");
    EXPECT_FALSE(dialog()->sessionPageShown());
    EXPECT_EQ(list()->model()->rowCount(), 2);
    EXPECT_EQ(text("LRiwayatInfo"), "2 sesi");
}

TEST_F(JournalHistoryTest, SessionBeingRecordedIsNotDeleted) {
    connect();
    startCharge();
    charging(13.1, 3.0);
    m_window->journal().sync();
    m_window->RRiwayatClick();
    ASSERT_EQ(list()->model()->rowCount(), 4);
    EXPECT_EQ(cell(0, SessionListModel::Stop), "Sedang direkam");
    view(0);
    control<QAbstractButton>("RSesiHapus")->click();
    // Refused at once: no question whose "Iya" then cannot be done.
    EXPECT_EQ(m_messages, QStringList{"Sesi sedang direkam, tidak dapat dihapus"});
    EXPECT_FALSE(control("LayoutHapusRiwayat")->isVisibleTo(m_window->content()));
    charging(13.2, 3.0);
    tick([](ChargerState& s) { s.chargerStatus = "STANDBY"; });
    const auto sessions = kept();
    ASSERT_EQ(sessions.size(), 4u);
    EXPECT_EQ(sessions[0].pointCount, 2);  // recording went on
}

TEST_F(JournalHistoryTest, KeptChargesReceiptGoesToThePrinterChosenAndLeavesTheLiveChartsAlone) {
    m_window->FormShow();
    const double liveClock = m_window->chartScreen()->chartClock();
    m_window->RRiwayatClick();
    view(2);
    control<QAbstractButton>("RSesiCetak")->click();
    // The printer is chosen as for any receipt, in place of the history.
    EXPECT_FALSE(dialog()->isVisibleTo(m_window->content()));
    ASSERT_TRUE(control("LayoutConnection")->isVisibleTo(m_window->content()));
    EXPECT_EQ(control<QAbstractButton>("BTConnect")->text(), "Cetak Riwayat");
    EXPECT_FALSE(control("LBTPrint")->isVisibleTo(m_window->content()));
    control<QComboBox>("ComboDevice")->setCurrentIndex(1);  // RPP02N
    QSignalSpy printed(m_window.get(), &TVLForm::printFinished);
    m_window->BTConnectClick();
    ASSERT_TRUE(printed.wait(20000));
    EXPECT_EQ(printed.at(0).at(0).toString(), "");

    std::string bytes;
    for (std::string chunk; !(chunk = m_bt->peers.back()->receive(0)).empty();) bytes += chunk;
    const printing::Paper paper = printing::readEscPos(bytes);
    QStringList lines;
    int imageRows = 0;
    for (const printing::PrintedLine& line : paper.lines) {
        lines << QString::fromStdString(line.text()).trimmed();
        for (const printing::PrintedImage& image : line.images) imageRows += image.height;
    }
    // Printed as it would have been when the charge ended (09:05 + 1:02:05).
    const printing::ReceiptLocale locale = receiptLocaleOf(QLocale(), m_window->numberFormat());
    EXPECT_TRUE(lines.contains(
        QString::fromStdString(printing::dateTimeText({2025, 12, 8, 10, 7, 5, 0}, locale.time))))
        << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("SERI         : YTZ5S"));
    EXPECT_TRUE(lines.contains("CCA          : 455"));
    EXPECT_TRUE(lines.contains("STATUS       : GOOD"));
    EXPECT_GE(imageRows, 90 + 2 * 300);  // the logo and the session's two charts
    EXPECT_EQ(m_window->chartScreen()->chartClock(), liveClock);

    // The dashboard's print button prints the live results again.
    m_window->BTPrintClick();
    EXPECT_EQ(control<QAbstractButton>("BTConnect")->text(), "Print Charge");
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join('\n').toStdString();
}

TEST_F(JournalHistoryTest, KeptReceiptAsAPdfPageOfThePapersWidth) {
    const QString target = m_documents.filePath("sesi.pdf");
    m_window->history().setSavePathAsker([&](const QString& suggested, const QString& filter) {
        EXPECT_TRUE(suggested.endsWith(".pdf"));
        EXPECT_EQ(filter, "PDF (*.pdf)");
        return target;
    });
    m_window->RRiwayatClick();
    view(0);
    control<QAbstractButton>("RSesiPdf")->click();
    EXPECT_EQ(m_messages, QStringList{"Berhasil disimpan"});
    QFile pdf(target);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    // One page, 58 mm (164 points) wide.
    EXPECT_EQ(bytes.count("/Type /Page\n"), 1) << bytes.left(2000).toStdString();
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 164.")) << bytes.left(600).toStdString();
    EXPECT_TRUE(bytes.contains("/BitsPerComponent 1"));  // the dots as printed, no JPEG
}

// Reads a CSV file the way a spreadsheet splits it.
std::vector<QStringList> readCsv(const QString& path, QChar separator) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));  // spreadsheets see UTF-8
    std::vector<QStringList> rows;
    for (const QString& line : QString::fromUtf8(bytes.mid(3)).split("\r\n", Qt::SkipEmptyParts))
        rows.push_back(line.split(separator));
    return rows;
}

TEST_F(JournalHistoryTest, CsvUnderACommaLocaleRoundTrips) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German));
    m_window = std::make_unique<TVLForm>(std::make_unique<FakePlatform>(m_bt), 1366);
    m_window->setMessageSink([this](const QString& text) { m_messages << text; });
    useJournalFolder();
    ASSERT_EQ(m_window->numberFormat().decimalSeparator, ',');
    QString asked;
    const QString target = m_documents.filePath("out/sesi.csv");
    QDir().mkpath(m_documents.filePath("out"));
    m_window->history().setSavePathAsker([&](const QString& suggested, const QString&) {
        asked = suggested;
        return target;
    });

    m_window->RRiwayatClick();
    view(2);
    control<QAbstractButton>("RSesiCsv")->click();
    EXPECT_EQ(m_messages, QStringList{"Berhasil disimpan"});
    EXPECT_TRUE(asked.endsWith(".csv"));
    EXPECT_TRUE(asked.contains("Velmora Tester"));
    const auto rows = readCsv(target, ';');
    const auto session = keptSession(m_charge);
    ASSERT_EQ(rows.size(), session->points.size() + 1);
    EXPECT_EQ(rows[0], QStringList({"Session", "Time", "Seconds", "Stage", "Voltage (V)",
                                    "Current (A)", "Bay"}));
    for (size_t i = 1; i < rows.size(); i += 97) {
        const journal::Point& p = session->points[i - 1];
        ASSERT_EQ(rows[i].size(), 7) << i;
        bool ok = false;
        EXPECT_DOUBLE_EQ(QLocale().toDouble(rows[i][4], &ok), p.voltage) << i;
        EXPECT_TRUE(ok) << rows[i][4].toStdString();
        EXPECT_DOUBLE_EQ(QLocale().toDouble(rows[i][5], &ok), p.current) << i;
        EXPECT_EQ(rows[i][3].toInt(), p.stage);
    }
    EXPECT_EQ(rows[1][1], "2025-12-08 09:05:00");

    // The list as shown (filtered) goes out one session a row.
    control<QAbstractButton>("BackSesi")->click();
    typeFilter("yuasa");
    m_messages.clear();
    control<QAbstractButton>("RRiwayatEkspor")->click();
    EXPECT_EQ(m_messages, QStringList{"Berhasil disimpan"});
    const auto list = readCsv(target, ';');
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1][8], "Yuasa");
    EXPECT_EQ(list[2][19], "3,8");  // after iR with the user's separator
    QLocale::setDefault(saved);
}

// Sessions of several chargers: the list says each one's bay and shows one bay's alone,
// with the typed words too; the export, the session page and a delete go by it. A journal
// without bays (the fixture's three) shows neither the choice nor the column.
TEST_F(JournalHistoryTest, BayChoiceShowsOneBaysSessionsWhereThereAreBays) {
    m_window->RRiwayatClick();
    auto* bays = control<QComboBox>("ComboRakRiwayat");
    EXPECT_FALSE(bays->isVisibleTo(dialog()));
    EXPECT_TRUE(list()->isColumnHidden(SessionListModel::Bay));
    control<QAbstractButton>("RRiwayatTutup")->click();
    {
        auto journal = journal::Journal::open(m_path);
        keep(*journal, "2025-12-11", 9 * 60, "Yuasa", "MF", "YTX7L", journal::SessionKind::Charge,
             60, "finished", std::nullopt, "Rak 10");
        keep(*journal, "2025-12-11", 10 * 60, "GSAstra", "MF", "GTZ6V",
             journal::SessionKind::Charge, 60, "linkLost", std::nullopt, "Rak 2");
        keep(*journal, "2025-12-11", 11 * 60, "Yuasa", "MF", "YTZ10S", journal::SessionKind::Test,
             5, "finished", journal::TestResult{300, 6.0, 11.2, 12.6, "GOOD"}, "Rak 2");
    }
    const QString target = m_documents.filePath("rak.csv");
    m_window->history().setSavePathAsker([&](const QString&, const QString&) { return target; });
    m_window->RRiwayatClick();
    ASSERT_TRUE(bays->isVisibleTo(dialog()));
    EXPECT_FALSE(list()->isColumnHidden(SessionListModel::Bay));
    QStringList offered;
    for (int i = 0; i < bays->count(); ++i) offered << bays->itemText(i);
    EXPECT_EQ(offered, QStringList({"Semua rak", "Rak 2", "Rak 10"}));  // counted, not spelt
    EXPECT_EQ(bays->currentIndex(), 0);
    EXPECT_EQ(cell(0, SessionListModel::Bay), "Rak 2");
    EXPECT_EQ(cell(5, SessionListModel::Bay), "");  // kept with no bay
    EXPECT_EQ(text("LRiwayatInfo"), "6 sesi");

    const auto typesShown = [this] {
        QStringList types;
        for (int row = 0; row < list()->model()->rowCount(); ++row)
            types << cell(row, SessionListModel::Type);
        return types;
    };
    const struct {
        int bay;  // the choice's position
        const char* typed;
        QStringList types;
        const char* info;
    } choices[] = {
        {1, "", {"YTZ10S", "GTZ6V"}, "2 dari 6 sesi"},
        {2, "", {"YTX7L"}, "1 dari 6 sesi"},  // "Rak 10" is not "Rak 1..."
        {1, "yuasa", {"YTZ10S"}, "1 dari 6 sesi"},
        {0, "yuasa", {"YTZ10S", "YTX7L", "YB9-B", "YTZ5S"}, "4 dari 6 sesi"},
        {0, "rak", {"YTZ10S", "GTZ6V", "YTX7L"}, "3 dari 6 sesi"},  // the bay is a word too
    };
    for (const auto& c : choices) {
        SCOPED_TRACE(std::to_string(c.bay) + " " + c.typed);
        bays->setCurrentIndex(c.bay);
        typeFilter(c.typed);
        EXPECT_EQ(typesShown(), c.types);
        EXPECT_EQ(text("LRiwayatInfo"), c.info);
    }
    typeFilter("");
    bays->setFocus();
    QTest::keyClick(bays, Qt::Key_Down);  // the keyboard chooses as well: "Rak 2"
    ASSERT_EQ(bays->currentText(), "Rak 2");
    EXPECT_EQ(typesShown(), QStringList({"YTZ10S", "GTZ6V"}));

    // "Ekspor Daftar" saves the bay's sessions, its label in the last column.
    control<QAbstractButton>("RRiwayatEkspor")->click();
    const auto rows = readCsv(target, ',');
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].last(), "Bay");
    EXPECT_EQ(rows[1].last(), "Rak 2");
    EXPECT_EQ(rows[2].last(), "Rak 2");

    view(1);
    EXPECT_TRUE(text("LSesiTitle").startsWith("Rak 2  ·  Isi daya  ·  "))
        << text("LSesiTitle").toStdString();
    control<QAbstractButton>("RSesiHapus")->click();
    control<QAbstractButton>("RHapusIya")->click();
    EXPECT_EQ(bays->currentText(), "Rak 2");  // still chosen while it has sessions
    EXPECT_EQ(typesShown(), QStringList({"YTZ10S"}));
    view(0);
    control<QAbstractButton>("RSesiHapus")->click();
    control<QAbstractButton>("RHapusIya")->click();
    EXPECT_EQ(bays->currentText(), "Semua rak");  // its last one gone: every bay again
    EXPECT_EQ(bays->count(), 2);
    EXPECT_EQ(text("LRiwayatInfo"), "4 sesi");
}

// The bays offered are each label once, counted as a person counts them, whatever the
// platform's collation: numbers by their value, letters without regard to case.
TEST(SessionListModelTest, BayLabelsComeOnceInCountingOrder) {
    const std::vector<const char*> kept = {"Rak 10", "",           "rak 3",  "Rak 2",
                                           "Rak 10", "B",          "Rak 2a", "Rak 002",
                                           "a",      "Rak 9 kiri", "Rak 9"};
    std::vector<journal::SessionSummary> sessions;
    for (const char* label : kept) {
        journal::SessionSummary s;
        s.id = static_cast<int64_t>(sessions.size()) + 1;
        s.start.bayLabel = label;
        sessions.push_back(s);
    }
    SessionListModel model;
    model.setSessions(sessions, {}, QStringLiteral("/"));
    EXPECT_EQ(model.bayLabels(), QStringList({"a", "B", "Rak 002", "Rak 2", "Rak 2a", "rak 3",
                                              "Rak 9", "Rak 9 kiri", "Rak 10"}));
}

// With a recorder per bay, every session being recorded is marked and none is deleted.
TEST_F(JournalHistoryTest, EveryBaysRecordingIsMarkedAndKept) {
    const std::vector<journal::SessionSummary> sessions = kept();
    const std::vector<int64_t> recording{sessions[0].id, sessions[2].id};
    std::vector<bool> askedUpToDate;
    m_window->history().setRecordingSessions([&](bool upToDate) {
        askedUpToDate.push_back(upToDate);
        return recording;
    });
    m_window->RRiwayatClick();
    EXPECT_EQ(cell(0, SessionListModel::Stop), "Sedang direkam");
    EXPECT_EQ(cell(1, SessionListModel::Stop), "Dihentikan");
    EXPECT_EQ(cell(2, SessionListModel::Stop), "Sedang direkam");
    view(2);
    askedUpToDate.clear();
    control<QAbstractButton>("RSesiHapus")->click();
    EXPECT_EQ(m_messages, QStringList{"Sesi sedang direkam, tidak dapat dihapus"});
    EXPECT_EQ(askedUpToDate, std::vector<bool>{true});  // the writers caught up before saying so
    EXPECT_FALSE(control("LayoutHapusRiwayat")->isVisibleTo(m_window->content()));
    EXPECT_EQ(kept().size(), 3u);
}

// No export may land on the journal: saving onto it, a link to it or its log would replace
// the whole history with a CSV or PDF file.
TEST_F(JournalHistoryTest, ExportsRefuseTheJournalUnderEveryName) {
    const QString journal = QString::fromStdString(m_path);
    const QString hardLink = m_documents.filePath("hard link.csv");
    const QString symbolicLink = m_documents.filePath("link.csv");
    ASSERT_EQ(::link(m_path.c_str(), hardLink.toLocal8Bit().constData()), 0);
    ASSERT_TRUE(QFile::link(journal, symbolicLink));
    m_window->RRiwayatClick();
    view(2);
    const char* exports[] = {"RSesiCsv", "RSesiPdf", "BackSesi", "RRiwayatEkspor"};
    for (const QString& target : {journal, hardLink, symbolicLink, journal + "-wal"}) {
        m_window->history().setSavePathAsker(
            [&](const QString&, const QString&) { return target; });
        for (const char* button : exports) {
            SCOPED_TRACE(target.toStdString() + " " + button);
            m_messages.clear();
            control<QAbstractButton>(button)->click();
            if (QByteArray(button) == "BackSesi") continue;
            EXPECT_EQ(m_messages,
                      QStringList{"Berkas itu adalah riwayat sendiri, pilih nama lain"});
        }
        view(2);
        ASSERT_EQ(kept().size(), 3u);
    }
}

// Browsing an older journal leaves it as it is, so an older program sharing it still reads
// it; the first write (here a delete) upgrades it.
TEST_F(JournalHistoryTest, BrowsingLeavesAnOlderJournalAloneAndTheFirstWriteUpgradesIt) {
    m_window.reset();
    QFile::remove(QString::fromStdString(m_path));
    {
        static const std::vector<journal::Migration> firstOnly{journal::migrations().front()};
        journal::JournalOptions options;
        options.migrations = &firstOnly;
        auto old = journal::Journal::open(m_path, options);
        keep(*old, "2025-12-08", 9 * 60, "Yuasa", "MF", "YTZ5S", journal::SessionKind::Charge, 30,
             "finished", std::nullopt);
        keep(*old, "2025-12-09", 9 * 60, "GSAstra", "MF", "GM5Z-3B", journal::SessionKind::Charge,
             30, "finished", std::nullopt);
    }
    m_window = std::make_unique<TVLForm>(std::make_unique<FakePlatform>(m_bt), 1366);
    m_window->setMessageSink([this](const QString& text) { m_messages << text; });
    useJournalFolder();
    const auto version = [this] {
        journal::JournalOptions look;
        look.readOnly = true;
        look.create = false;
        return journal::Journal::open(m_path, look)->schemaVersion();
    };
    m_window->RRiwayatClick();
    ASSERT_EQ(list()->model()->rowCount(), 2);
    view(0);
    EXPECT_EQ(version(), 1);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(m_path) + "-wal"));

    control<QAbstractButton>("RSesiHapus")->click();
    control<QAbstractButton>("RHapusIya")->click();
    EXPECT_EQ(list()->model()->rowCount(), 1);
    EXPECT_EQ(version(), journal::latestVersion(journal::migrations()));
}

// The "Simpan sebagai" dialog of every export is a window of its own over the application's
// window: a dialog inside the scaled view is drawn as a black box that takes no input.
// A US user reads 12/10/2025 as 10 December: the dates follow the locale's order, and the
// filter takes them as written.
TEST_F(JournalHistoryTest, DatesFollowTheUsersLocaleOrder) {
    const QLocale saved;
    const struct {
        QLocale locale;
        const char* start;  // of the newest session, a test on 10 December 2025
        const char* day;    // typed into the filter
    } cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), "12/10/2025 08:00", "12/10"},
        {QLocale(QLocale::Indonesian, QLocale::Indonesia), "10/12/2025 08:00", "10/12"},
        {QLocale(QLocale::Japanese, QLocale::Japan), "2025/12/10 08:00", "2025/12/10"},
        {QLocale(QLocale::German, QLocale::Germany), "10.12.2025 08:00", "10.12."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        QLocale::setDefault(c.locale);
        m_window->RRiwayatClick();
        EXPECT_EQ(cell(0, SessionListModel::Start), c.start);
        typeFilter(c.day);
        ASSERT_EQ(list()->model()->rowCount(), 1);
        EXPECT_EQ(cell(0, SessionListModel::Type), "YB9-B");
        view(0);
        EXPECT_TRUE(text("LSesiTitle").contains(c.start)) << text("LSesiTitle").toStdString();
        typeFilter("");
        control<QAbstractButton>("RRiwayatTutup")->click();
    }
    QLocale::setDefault(saved);
}

// The save dialog speaks the window's language, wears its look and shows each date whole;
// the name it suggests is in the window's language too.
TEST_F(JournalHistoryTest, SaveDialogSpeaksTheWindowsLanguageInItsLook) {
    const struct {
        ui::Language language;
        const char *nameLabel, *suggested, *save, *cancel;
    } cases[] = {
        {ui::Language::Indonesian, "&Nama file:", "Riwayat.csv", "&Simpan", "Batalkan"},
        {ui::Language::English, "File &name:", "History.csv", "&Save", "Cancel"},
    };
    // A CSV saved before: the dialog lists it with its date.
    QFile before(QDir(QFileInfo(QString::fromStdString(m_path)).absolutePath())
                     .filePath(QStringLiteral("Riwayat lama.csv")));
    ASSERT_TRUE(before.open(QIODevice::WriteOnly));
    before.close();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.suggested);
        ASSERT_TRUE(ui::applyLanguage(c.language));
        m_window = std::make_unique<TVLForm>(std::make_unique<FakePlatform>(m_bt), 1366);
        m_window->setMessageSink([this](const QString& text) { m_messages << text; });
        useJournalFolder();
        m_window->show();
        m_window->RRiwayatClick();
        bool asked = false;
        const auto inspect = [&](QFileDialog* dialog) {
            EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
            EXPECT_EQ(dialog->findChild<QLabel*>("fileNameLabel")->text(), c.nameLabel);
            EXPECT_EQ(dialog->findChild<QLineEdit*>("fileNameEdit")->text(), c.suggested);
            auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
            EXPECT_EQ(buttons->button(QDialogButtonBox::Save)->text(), c.save);
            EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), c.cancel);
            EXPECT_LT(qGray(dialog->grab().toImage().pixel(4, 4)), 64);  // the window's dark
            // The folder it opens in ("Velmora Tester") lists the CSV with its whole date.
            auto* details = dialog->findChild<QTreeView*>("treeView");
            ASSERT_NE(details, nullptr);
            const QModelIndex folder = details->rootIndex();
            ASSERT_TRUE(
                processEventsUntil([&] { return details->model()->rowCount(folder) > 0; }, 5000));
            QCoreApplication::processEvents();
            for (int row = 0; row < details->model()->rowCount(folder); ++row) {
                const QString date = details->model()->index(row, 3, folder).data().toString();
                EXPECT_FALSE(date.isEmpty());
                EXPECT_LT(details->fontMetrics().horizontalAdvance(date),
                          details->header()->sectionSize(3))
                    << date.toStdString();
            }
        };
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            asked = true;
            inspect(dialog);
            QTest::keyClick(dialog, Qt::Key_Escape);  // whatever was found
        });
        control<QAbstractButton>("RRiwayatEkspor")->click();
        EXPECT_TRUE(asked);
        EXPECT_TRUE(m_messages.isEmpty());
    }
    ui::applyLanguage(ui::Language::Indonesian);
}

TEST_F(JournalHistoryTest, SaveDialogsAreWindowsOfTheirOwnAtEveryScale) {
    const struct {
        int screenWidth;
        const char* button;
        bool showSession;
    } cases[] = {{960, "RRiwayatEkspor", false},
                 {2560, "RRiwayatEkspor", false},
                 {960, "RSesiCsv", true},
                 {2560, "RSesiPdf", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.screenWidth << " " << c.button);
        m_window = std::make_unique<TVLForm>(std::make_unique<FakePlatform>(m_bt), c.screenWidth);
        m_window->setMessageSink([this](const QString& text) { m_messages << text; });
        useJournalFolder();
        m_window->show();
        m_window->RRiwayatClick();
        if (c.showSession) view(2);
        m_messages.clear();

        bool asked = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            asked = true;
            EXPECT_TRUE(dialog->isWindow());
            EXPECT_EQ(dialog->parentWidget(), m_window.get());
            for (QWidget* w = dialog; w; w = w->parentWidget())
                EXPECT_EQ(w->graphicsProxyWidget(), nullptr) << w->objectName().toStdString();
            EXPECT_EQ(dialog->windowTitle(), "Simpan sebagai");
            EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
            // Drawn: its own controls, not one flat colour.
            const QImage picture = dialog->grab().toImage();
            EXPECT_GT(picture.width(), 200);
            QSet<QRgb> colours;
            for (int y = 0; y < picture.height(); y += 3)
                for (int x = 0; x < picture.width(); x += 3) colours.insert(picture.pixel(x, y));
            EXPECT_GT(colours.size(), 3);
            QTest::keyClick(dialog, Qt::Key_Escape);  // the keyboard reaches it
        });
        control<QAbstractButton>(c.button)->click();

        EXPECT_TRUE(asked);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_TRUE(m_messages.isEmpty());  // cancelled: nothing saved, nothing said
    }
}

// A kept session's charts span that session's own time: a twelve-second test is not
// squeezed into the live charts' ten minutes; receipts and PDFs draw the same span.
TEST_F(JournalHistoryTest, KeptSessionChartsSpanTheirOwnTime) {
    const struct {
        int row;
        double minutes;  // span of the time axis, rounded up by less than two pixels
    } cases[] = {{0, 1.0}, {1, 15.0}, {2, 3725 / 60.0}};
    m_window->RRiwayatClick();
    auto* page = control<SessionPage>("PageSesi");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        view(c.row);
        for (QChartView* chart : {page->ChartSesiVoltage, page->ChartSesiCurrent}) {
            auto* axis =
                qobject_cast<QCategoryAxis*>(chart->chart()->axes(Qt::Horizontal).value(0));
            ASSERT_NE(axis, nullptr);
            const double minutes = (axis->max() - axis->min()) * 1440;
            EXPECT_GE(minutes, c.minutes - 1.5 / 60);  // the last point is a second before its end
            EXPECT_LT(minutes, c.minutes * 1.02 + 0.02);
        }
        control<QAbstractButton>("BackSesi")->click();
    }
}

}  // namespace
