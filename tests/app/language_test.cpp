#include "widgets/Language.h"

#include <QAbstractAxis>
#include <QChartView>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <functional>

#include "journal/SessionListModel.h"
#include "link/SimulatedDevices.h"
#include "monitor/ChartPlot.h"
#include "monitor/ChartScreen.h"
#include "shell/OptionScreen.h"
#include "window_fixture.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

// A text of the window in both languages, and how the user brings it up.
struct Text {
    const char* where;
    std::function<void()> show;
    std::function<QString()> read;
    const char* indonesian;
    const char* english;
};

// The window's texts on the dashboard, in a dialog, in a message and in a table.
class WindowTextsTest : public WindowTest {
protected:
    void press(const char* name) { control<QAbstractButton>(name)->click(); }
    std::vector<Text> texts() {
        return {
            {"print button's tip", [] {}, [this] { return control("BTPrint")->toolTip(); },
             "Cetak struk", "Print receipt"},
            {"lost link panel", [] {}, [this] { return text("LLinkLostTitle"); },
             "Koneksi terputus", "Connection lost"},
            {"diagnostic heading", [this] { m_window->BT2DiagnosticClick(); },
             [this] { return text("LDataReference"); }, "DATA REFERENSI", "REFERENCE DATA"},
            {"chart's caption", [this] { m_window->BT3ChartClick(); },
             [this] {
                 return m_window->chartScreen()
                     ->ChartVoltage->chart()
                     ->axes(Qt::Vertical)
                     .constFirst()
                     ->titleText();
             },
             "Tegangan ( V )", "Voltage ( V )"},
            {"chart's time caption", [this] { m_window->BT3ChartClick(); },
             [this] {
                 return m_window->chartScreen()
                     ->ChartVoltage->chart()
                     ->axes(Qt::Horizontal)
                     .constFirst()
                     ->titleText();
             },
             "Waktu", "Time"},
            {"chart's stage", [this] { m_window->BT3ChartClick(); },
             [this] { return m_window->chartScreen()->ChartCurrent->chart()->title(); }, "Tahap 1",
             "Stage 1"},
            {"result heading", [] {}, [this] { return text("RBeforeTitle"); }, "Sebelum Pengisian",
             "Before Charging"},
            {"name box prompt", [this] { press("BTSave"); },
             [this] { return control<QLineEdit>("Edit2")->placeholderText(); }, "Ketik di sini",
             "Type here"},
            {"charger guide", [this] { m_window->R3UseClick(); }, [this] { return text("LGuide"); },
             "Panduan Charger & Aplikasi", "Charger & App Guide"},
            // A dialog: the question before a charge is stopped.
            {"force stop question", [this] { press("BTForceStop"); },
             [this] { return text("LayoutForceStopLine1"); }, "Proses pengisian daya belum selesai",
             "Charging is not finished yet"},
            {"force stop answer", [this] { press("BTForceStop"); },
             [this] { return control<QAbstractButton>("RForceYes")->text(); }, "Iya", "Yes"},
            // A message: a log saved without a name.
            {"message for a missing name",
             [this] {
                 press("BTSave");
                 control<QLineEdit>("Edit2")->clear();
                 press("ROKSave");
             },
             [this] { return m_messages.isEmpty() ? QString() : m_messages.back(); },
             "Isi nama file", "Enter a file name"},
            // A table's texts: the history list's column headings.
            {"history heading",
             [this] {
                 m_window->BT4OptionClick();
                 press("RRiwayat");
             },
             [this] {
                 return control<QTableView>("ListRiwayat")
                     ->model()
                     ->headerData(SessionListModel::Duration, Qt::Horizontal)
                     .toString();
             },
             "Durasi", "Duration"},
        };
    }
};

// The window made after the English translation was applied; Indonesian again after.
class EnglishWindowTest : public WindowTextsTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(ui::applyLanguage(ui::Language::English));
        WindowTextsTest::SetUp();
    }
    void TearDown() override {
        WindowTextsTest::TearDown();
        ui::applyLanguage(ui::Language::Indonesian);
    }
};

}  // namespace

TEST_F(WindowTextsTest, TheWindowSpeaksIndonesianByDefault) {
    EXPECT_EQ(ui::appliedLanguage(), ui::Language::Indonesian);
    for (const Text& text : texts()) {
        text.show();
        EXPECT_EQ(text.read(), QString::fromUtf8(text.indonesian)) << text.where;
    }
}

TEST_F(EnglishWindowTest, TheWindowSpeaksEnglishWhenItIsApplied) {
    for (const Text& text : texts()) {
        text.show();
        EXPECT_EQ(text.read(), QString::fromUtf8(text.english)) << text.where;
    }
    m_window->BT4OptionClick();
    EXPECT_EQ(control<QComboBox>("ComboLanguage")->currentText(), "English");
}

// The pictures with words in them: the intro guide and the charger guide.
TEST_F(EnglishWindowTest, PicturesWithWordsAreTheEnglishOnes) {
    for (int page = 1; page <= 5; ++page) {
        const QString path = QStringLiteral(":/img/intro%1.svg").arg(page);
        EXPECT_EQ(ui::localizedPicture(path), QStringLiteral(":/img/intro%1_en.svg").arg(page));
    }
    EXPECT_EQ(ui::localizedPicture(QStringLiteral(":/img/guide_charger.svg")),
              ":/img/guide_charger_en.svg");
    // Pictures without words have no English copy.
    EXPECT_EQ(ui::localizedPicture(QStringLiteral(":/img/logo.svg")), ":/img/logo.svg");
    ui::applyLanguage(ui::Language::Indonesian);
    EXPECT_EQ(ui::localizedPicture(QStringLiteral(":/img/intro1.svg")), ":/img/intro1.svg");
}

// The simulated devices are named in the window's language; their addresses, which the
// settings and the command line use, stay as they are.
TEST_F(EnglishWindowTest, SimulatedDevicesAreNamedInTheWindowsLanguage) {
    const auto listed = [] {
        DevicePlatform devices(nullptr, true, {QStringLiteral("tcp:127.0.0.1:5555")});
        QStringList rows;
        for (const DeviceInfo& device : devices.pairedDevices())
            rows << device.name + " = " + device.address;
        return rows;
    };
    EXPECT_EQ(listed(),
              QStringList(
                  {"Simulated Charger = sim:charger", "Simulated Charger (Test) = sim:charger-test",
                   "Simulated Charger (tcp:127.0.0.1:5555) = tcp:127.0.0.1:5555",
                   "Simulated Printer = sim:printer", "Simulated Charger 2 = sim:charger-2",
                   "Simulated Charger 3 = sim:charger-3", "Simulated Charger 4 = sim:charger-4",
                   "Simulated Charger 5 = sim:charger-5"}));
    ui::applyLanguage(ui::Language::Indonesian);
    EXPECT_EQ(
        listed(),
        QStringList({"Charger Simulasi = sim:charger", "Charger Simulasi (Tes) = sim:charger-test",
                     "Charger Simulasi (tcp:127.0.0.1:5555) = tcp:127.0.0.1:5555",
                     "Printer Simulasi = sim:printer", "Charger Simulasi 2 = sim:charger-2",
                     "Charger Simulasi 3 = sim:charger-3", "Charger Simulasi 4 = sim:charger-4",
                     "Charger Simulasi 5 = sim:charger-5"}));
}

TEST_F(EnglishWindowTest, NumbersFollowTheUsersLocaleInEitherLanguage) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German));  // a comma user reading English
    TVLForm window(std::make_unique<FakePlatform>(m_bt), 1366);
    QLocale::setDefault(saved);
    window.state().modify([](ChargerState& s) {
        s.stageNumber = 2;
        s.chargeVoltage = 13.47;
    });
    window.TimerloopTimer();
    EXPECT_EQ(window.control<QLabel>(QStringLiteral("LVoltage"))->text(), "13,47 V");
    EXPECT_EQ(window.control<QLabel>(QStringLiteral("LChargingProgress"))->text(),
              "CONSTANT CURRENT");
}

// The charts on a receipt are the receipt's: the same picture whatever the window speaks.
TEST_F(WindowTest, ReceiptChartsAreTheSameInEnglish) {
    m_window->BT3ChartClick();
    ChartScreen* charts = m_window->chartScreen();
    charts->buildCharts();
    setState([](ChargerState& s) { s.stageNumber = 2; });
    m_window->TimerloopTimer();
    const QImage indonesian = charts->renderForPrint(kVoltageKind, QSize(384, 300));
    ASSERT_TRUE(ui::applyLanguage(ui::Language::English));
    const QImage english = charts->renderForPrint(kVoltageKind, QSize(384, 300));
    ui::applyLanguage(ui::Language::Indonesian);
    EXPECT_FALSE(indonesian.isNull());
    EXPECT_EQ(english, indonesian);
}

TEST(LanguageTest, CodesAreReadExactly) {
    const struct {
        const char* code;
        std::optional<ui::Language> language;
    } cases[] = {{"id", ui::Language::Indonesian},
                 {"en", ui::Language::English},
                 {"", std::nullopt},
                 {"EN", std::nullopt},
                 {"de", std::nullopt},
                 {"en ", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(ui::languageFromCode(QString::fromLatin1(c.code)), c.language) << c.code;
}

TEST_F(WindowTest, TheChosenLanguageIsRememberedAndSaidToComeAtTheNextStart) {
    m_window->BT4OptionClick();
    auto* box = control<QComboBox>("ComboLanguage");
    EXPECT_EQ(box->currentText(), "Bahasa Indonesia");  // the language spoken
    const int english = box->findText(QStringLiteral("English"));
    ASSERT_GE(english, 0);
    box->setCurrentIndex(english);
    emit box->activated(english);
    EXPECT_EQ(ui::rememberedLanguage(), ui::Language::English);
    ASSERT_FALSE(m_messages.isEmpty());
    // Said in the language chosen: its reader may not read the other.
    EXPECT_EQ(m_messages.back(), "The language changes when the app is started again");
    // The window itself stays in the language it was started in.
    EXPECT_EQ(ui::appliedLanguage(), ui::Language::Indonesian);
    EXPECT_EQ(control<QLabel>("LRRiwayat")->text(), "Riwayat");

    // Back to the language spoken now: kept, and nothing to wait for.
    m_messages.clear();
    const int indonesian = box->findText(QStringLiteral("Bahasa Indonesia"));
    box->setCurrentIndex(indonesian);
    emit box->activated(indonesian);
    EXPECT_EQ(ui::rememberedLanguage(), ui::Language::Indonesian);
    EXPECT_TRUE(m_messages.isEmpty()) << m_messages.join(QLatin1Char('|')).toStdString();
}
