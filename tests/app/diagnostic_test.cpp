// The diagnostic screen: catalogue selection and profile sending, custom options and
// their add dialog, test results and the profile the charger reports.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "link/Commands.h"
#include "link/MemoryTransport.h"
#include "link/NumberText.h"
#include "link/SimulatedDevices.h"
#include "link/Transport.h"
#include "shell/TVLForm.h"
#include "widgets/Picture.h"
#include "widgets/SlideInDialog.h"
#include "widgets/Theme.h"

using namespace velmora;

namespace {

const QString kIncomplete = QStringLiteral("Opsi ada yang kosong");
const QString kSent = QStringLiteral("Sukses Mengirim");

QStringList items(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) texts << box->itemText(i);
    return texts;
}

QStringList options(std::initializer_list<int> numbers) {
    QStringList texts;
    for (int n : numbers) texts << QStringLiteral("OTHER %1").arg(n);
    return texts;
}

class DiagnosticTest : public ::testing::Test {
protected:
    DiagnosticTest() : m_window(std::make_unique<DevicePlatform>(nullptr, true), 1366) {
        m_window.setMessageSink([this](const QString& text) { m_messages << text; });
        auto [app, charger] = MemoryTransport::createPair();
        m_window.link().adopt(app);
        m_charger = charger;
    }

    // The user opens the connection panel for the charger and closes it again.
    void openChargerPanel() {
        m_window.BTConnectionClick();
        m_window.RectLayoutBTClick();
    }
    // Everything the charger end has received since the last call.
    std::string sent() {
        std::string all;
        for (std::string chunk; !(chunk = m_charger->receive(0)).empty();) all += chunk;
        return all;
    }

    template <typename T = QWidget>
    T* control(const char* name) {
        T* found = m_window.control<T>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QComboBox* combo(const char* name) { return control<QComboBox>(name); }
    QString text(const char* name) { return control<QLabel>(name)->text(); }
    // Shown within the diagnostic screen, whichever screen is in front.
    bool shown(const char* name) { return control(name)->isVisibleTo(control("M2Diagnostic")); }
    // Picks an entry by its text, as the user would; an empty text picks nothing.
    void pick(const char* box, const char* entry) {
        if (!*entry) return;
        const int index = combo(box)->findText(QString::fromUtf8(entry));
        ASSERT_GE(index, 0) << box << " has no " << entry;
        combo(box)->setCurrentIndex(index);
    }
    void choose(const char* brand, const char* variety = "", const char* type = "") {
        pick("ComboMerk", brand);
        pick("ComboJenis", variety);
        pick("ComboTipe", type);
    }
    void setState(const std::function<void(ChargerState&)>& change) {
        m_window.state().modify(change);
    }
    void defineSlots(const std::array<const char*, 5>& names) {
        setState([&](ChargerState& s) {
            for (size_t i = 0; i < names.size(); ++i) s.optionSlots[i].name = names[i];
        });
    }
    QString fixed2(double value) {
        return QString::fromStdString(formatFixed2(value, m_window.numberFormat()));
    }
    QString shortest(double value, const char* unit) {
        return QString::fromStdString(formatShortest(value, m_window.numberFormat())) +
               QLatin1Char(' ') + QLatin1String(unit);
    }
    QStringList dashboardLabels() {
        return {text("LBatteryBrand"), text("LBatteryType"), text("LBatterySeries")};
    }

    TVLForm m_window;
    std::shared_ptr<MemoryTransport> m_charger;
    QStringList m_messages;
};

TEST_F(DiagnosticTest, StartsWithBrandsOnlyAndNormalMode) {
    EXPECT_EQ(items(combo("ComboMerk")), QStringList({"Zentor", "Yuasa", "GSAstra", "Other"}));
    EXPECT_EQ(combo("ComboMerk")->currentIndex(), -1);
    EXPECT_EQ(combo("ComboJenis")->count(), 0);
    EXPECT_EQ(combo("ComboTipe")->count(), 0);
    EXPECT_EQ(text("LCap"), "");
    EXPECT_EQ(text("LBrand"), "Merk");
    EXPECT_EQ(control<QAbstractButton>("BTSendData")->text(), "   Kirim Data");
    EXPECT_TRUE(shown("RG1"));
    EXPECT_FALSE(shown("RG2"));
    EXPECT_FALSE(shown("IBTSPS"));
    EXPECT_TRUE(control<QRadioButton>("RadioNormal")->isChecked());
    EXPECT_EQ(dashboardLabels(), QStringList({"-", "-", "-"}));
}

// The name goes onto receipts: a pasted printer command must not get into the box.
TEST_F(DiagnosticTest, ProfileNameRefusesControlCharacters) {
    auto* name = control<QLineEdit>("Edit1");
    name->insert(QStringLiteral("Pak Budi"));
    for (const char* pasted : {"\x1D"
                               "V",
                               "a\x1B"
                               "p",
                               "\t", "\x7F",
                               "x\xC2\x9B"
                               "y"})
        name->insert(QString::fromUtf8(pasted));
    EXPECT_EQ(name->text(), QStringLiteral("Pak Budi"));
    name->insert(QString::fromUtf8(" Jaya \xC3\xA9"));
    EXPECT_EQ(name->text(), QString::fromUtf8("Pak Budi Jaya \xC3\xA9"));
}

TEST_F(DiagnosticTest, CatalogueSelectionSendsPositionsAndShowsCapacity) {
    struct Row {
        const char* brand;
        const char* variety;
        const char* type;
        bool fast;
        std::string command;
        double capacity;
        const char* title;
    } rows[] = {
        {"Yuasa", "Konvensional", "12N10-3B", false, "#2|1|0|11|1*", 9.5, "KONVENSIONAL"},
        {"Zentor", "Lithium", "ZRLP-7V", true, "#2|0|1|2|2*", 3, "LiFePO4"},
        // One name, two lists: the capacity comes from the selected list.
        {"GSAstra", "MF", "GM5Z-3B", false, "#2|2|1|3|1*", 6, "MAINTENANCE FREE"},
        {"GSAstra", "Konvensional", "GM5Z-3B", true, "#2|2|0|5|2*", 5, "KONVENSIONAL"},
        {"GSAstra", "Konvensional", "12N10-3B", false, "#2|2|0|11|1*", 10, "KONVENSIONAL"},
        {"Yuasa", "Konvensional", "YB2,5L-C", false, "#2|1|0|0|1*", 2.5, "KONVENSIONAL"},
    };
    openChargerPanel();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.command);
        choose(row.brand, row.variety, row.type);
        EXPECT_EQ(text("LCap"), shortest(row.capacity, "Ah"));
        control<QRadioButton>(row.fast ? "RadioFast" : "RadioNormal")->setChecked(true);
        m_window.BTSendDataClick();
        EXPECT_EQ(sent(), row.command);
        EXPECT_EQ(dashboardLabels(), QStringList({row.brand, row.title, row.type}));
        const ChargerState s = m_window.state().snapshot();
        EXPECT_EQ(commands::profile(s.profileBrandIndex, s.profileVarietyIndex, s.profileTypeIndex,
                                    s.profileMode == "1"),
                  row.command);
        EXPECT_EQ(s.profileMode, row.fast ? "2" : "1");
    }
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(DiagnosticTest, BrandAndVarietyListTheirOwnEntries) {
    choose("Zentor");
    EXPECT_EQ(items(combo("ComboJenis")), QStringList({"MF", "Lithium"}));
    EXPECT_EQ(combo("ComboJenis")->currentIndex(), -1);
    choose("Zentor", "Lithium");
    EXPECT_EQ(items(combo("ComboTipe")), QStringList({"ZRLP-5S", "ZRLP-7S", "ZRLP-7V"}));
    EXPECT_EQ(combo("ComboTipe")->currentIndex(), -1);
    choose("Yuasa");
    EXPECT_EQ(items(combo("ComboJenis")), QStringList({"Konvensional", "MF"}));
    choose("Yuasa", "MF");
    EXPECT_EQ(combo("ComboTipe")->count(), 13);
}

TEST_F(DiagnosticTest, ChangingBrandOrVarietyEmptiesWhatFollows) {
    choose("Yuasa", "Konvensional", "12N10-3B");
    choose("Yuasa", "MF");  // the same brand again: only the variety changes
    EXPECT_EQ(combo("ComboTipe")->currentIndex(), -1);
    EXPECT_EQ(combo("ComboTipe")->itemText(0), "YTX4L-BS");
    EXPECT_EQ(text("LCap"), "");

    choose("Yuasa", "Konvensional", "12N10-3B");
    choose("GSAstra");
    EXPECT_EQ(items(combo("ComboJenis")), QStringList({"Konvensional", "MF"}));
    EXPECT_EQ(combo("ComboJenis")->currentIndex(), -1);
    EXPECT_EQ(combo("ComboTipe")->count(), 0);
    EXPECT_EQ(text("LCap"), "");
}

TEST_F(DiagnosticTest, SettingTheSameBrandFromCodeDoesNotRefill) {
    choose("Yuasa", "Konvensional", "12N10-3B");
    combo("ComboMerk")->setCurrentIndex(1);
    EXPECT_EQ(combo("ComboJenis")->currentIndex(), 0);
    EXPECT_EQ(combo("ComboTipe")->currentIndex(), 11);
    EXPECT_EQ(text("LCap"), shortest(9.5, "Ah"));
}

TEST_F(DiagnosticTest, IncompleteSelectionSendsMinusOneForWhatIsMissing) {
    struct Row {
        const char* brand;
        const char* variety;
        std::string command;
        QStringList labels;
    } rows[] = {
        {"Yuasa", "", "#2|1|-1|-1|1*", {"Yuasa", "-", "-"}},
        {"Zentor", "MF", "#2|0|0|-1|1*", {"Zentor", "MAINTENANCE FREE", "-"}},
    };
    openChargerPanel();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.command);
        choose(row.brand, row.variety);
        m_window.BTSendDataClick();
        EXPECT_EQ(sent(), row.command);
        EXPECT_EQ(dashboardLabels(), row.labels);
    }
    m_window.rest();  // no brand at all
    m_window.BTSendDataClick();
    EXPECT_EQ(sent(), "#2|-1|-1|-1|1*");
    EXPECT_EQ(m_window.state().snapshot().profileBrandIndex, -1);
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(DiagnosticTest, SendingOutsideTheChargerPanelDoesNothing) {
    choose("Yuasa", "Konvensional", "12N10-3B");
    m_window.BTSendDataClick();  // the panel was never opened for the charger
    openChargerPanel();
    m_window.BTPrintClick();  // now it serves the printer
    m_window.RectLayoutBTClick();
    m_window.BTSendDataClick();
    EXPECT_EQ(sent(), "");
    EXPECT_EQ(m_window.state().snapshot().profileBrandIndex, -1);
    EXPECT_EQ(dashboardLabels(), QStringList({"-", "-", "-"}));
    EXPECT_TRUE(m_messages.isEmpty());
}

// "Kirim Data" / "Atur Data" say in a passing line whether the command went out.
TEST_F(DiagnosticTest, SendingSaysWhetherTheCommandWentOut) {
    const QString notSent =
        QStringLiteral("Data tidak terkirim: sambungkan charger terlebih dahulu");
    const auto notice = [this] {
        auto* line = m_window.control<QLabel>(QStringLiteral("LNotice"));
        return line && line->isVisibleTo(m_window.content()) ? line->text() : QString();
    };
    choose("Yuasa", "Konvensional", "12N10-3B");
    m_window.BTSendDataClick();  // the charger panel was never opened
    EXPECT_EQ(notice(), notSent);
    openChargerPanel();
    m_window.BTSendDataClick();
    EXPECT_NE(sent(), "");
    EXPECT_EQ(notice(), "Data terkirim ke charger");
    choose("Other");
    m_window.BTSendDataClick();  // no option chosen to set
    EXPECT_EQ(notice(), "Pilih data yang akan diatur");
    m_window.link().stopReaderAndRelease();  // the link is gone
    choose("Yuasa", "Konvensional", "12N10-3B");
    m_window.BTSendDataClick();
    EXPECT_EQ(notice(), notSent);
    EXPECT_TRUE(m_messages.isEmpty());  // nothing to click away
}

TEST_F(DiagnosticTest, ModeCaptionsFollowTheSelectedRadio) {
    auto* normal = control<QRadioButton>("RadioNormal");
    auto* fast = control<QRadioButton>("RadioFast");
    for (bool pickFast : {true, false, true}) {
        (pickFast ? fast : normal)->setChecked(true);
        EXPECT_EQ(ui::textColor(fast), pickFast ? ui::kWhite : ui::kGrey);
        EXPECT_EQ(ui::textColor(normal), pickFast ? ui::kGrey : ui::kWhite);
    }
}

TEST_F(DiagnosticTest, OtherBrandTurnsTheColumnIntoTheOptionView) {
    choose("Yuasa", "Konvensional", "12N10-3B");
    choose("Other");
    EXPECT_EQ(control<QAbstractButton>("BTSendData")->text(), "   Atur Data");
    EXPECT_EQ(text("LBrand"), "Merk");  // the row holds the brand box in either view
    EXPECT_FALSE(combo("ComboTipe")->isEnabled());
    EXPECT_EQ(combo("ComboTipe")->count(), 0);
    EXPECT_EQ(text("LCap"), "");
    EXPECT_EQ(items(combo("ComboJenis")), QStringList({"Konvensional", "MF", "Gel", "Lithium"}));
    EXPECT_TRUE(shown("IBTSPS"));
    EXPECT_TRUE(shown("RG2"));
    EXPECT_FALSE(shown("RG1"));
    EXPECT_EQ(combo("ComboIndeks")->count(), 0);  // no slot is defined at start
    EXPECT_EQ(items(combo("ComboIndeksT")), options({1, 2, 3, 4, 5}));

    choose("Zentor");
    EXPECT_EQ(control<QAbstractButton>("BTSendData")->text(), "   Kirim Data");
    EXPECT_EQ(text("LBrand"), "Merk");
    EXPECT_TRUE(combo("ComboTipe")->isEnabled());
    EXPECT_FALSE(shown("IBTSPS"));
    EXPECT_TRUE(shown("RG1"));
    EXPECT_FALSE(shown("RG2"));
}

// The reset for the next battery leaves no brand, so it also leaves the option view.
TEST_F(DiagnosticTest, ResetReturnsFromTheOptionViewToTheCatalogueRows) {
    choose("Other");
    m_window.rest();
    EXPECT_EQ(combo("ComboMerk")->currentIndex(), -1);
    EXPECT_EQ(control<QAbstractButton>("BTSendData")->text(), "   Kirim Data");
    EXPECT_EQ(text("LBrand"), "Merk");
    EXPECT_TRUE(combo("ComboTipe")->isEnabled());
    EXPECT_TRUE(shown("RG1"));
    EXPECT_FALSE(shown("RG2"));
    EXPECT_FALSE(shown("IBTSPS"));
}

TEST_F(DiagnosticTest, OptionListsSplitDefinedAndFreeSlots) {
    struct Row {
        std::array<const char*, 5> names;
        QStringList defined, free;
    } rows[] = {
        {{"OTHER 1", "", "OTHER 3", "", ""}, options({1, 3}), options({2, 4, 5})},
        // Defined only under its own number, spelt exactly.
        {{"OTHER 2", "other 2", "OTHER 3 ", "x", ""}, {}, options({1, 2, 3, 4, 5})},
        {{"OTHER 1", "OTHER 2", "OTHER 3", "OTHER 4", "OTHER 5"}, options({1, 2, 3, 4, 5}), {}},
    };
    choose("Other");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.names[0]);
        defineSlots(row.names);
        combo("ComboIndeks")->setCurrentIndex(0);
        m_window.datarefresh();
        EXPECT_EQ(items(combo("ComboIndeks")), row.defined);
        EXPECT_EQ(items(combo("ComboIndeksT")), row.free);
        EXPECT_EQ(combo("ComboIndeks")->currentIndex(), -1);
        EXPECT_EQ(combo("ComboIndeksT")->currentIndex(), -1);
    }
}

TEST_F(DiagnosticTest, ChoosingAnOptionShowsItsValues) {
    setState([](ChargerState& s) {
        s.optionSlots[0] = {"OTHER 1", "MF", "Custom", 5, 1, 90};
        s.optionSlots[2] = {"OTHER 3", "Gel", "Yuasa", 4.5, 2.5, 150};
    });
    choose("Other");
    pick("ComboIndeks", "OTHER 3");
    EXPECT_EQ(text("LOJenis"), "Gel");
    EXPECT_EQ(text("LOKapasitas"), shortest(4.5, "Ah"));
    EXPECT_EQ(text("LOArus"), shortest(2.5, "A"));
    EXPECT_EQ(text("LOCCA"), "150");
    pick("ComboIndeks", "OTHER 1");
    EXPECT_EQ(text("LOKapasitas"), "5 Ah");
    EXPECT_EQ(text("LOArus"), "1 A");
    EXPECT_EQ(text("LBrand"), "Merk");  // a label, never an option's value
}

TEST_F(DiagnosticTest, OtherSendsTheSelectedOptionNumberOnly) {
    defineSlots({"OTHER 1", "", "", "OTHER 4", ""});
    choose("Yuasa", "Konvensional", "12N10-3B");
    openChargerPanel();
    m_window.BTSendDataClick();
    sent();
    choose("Other");
    m_window.BTSendDataClick();  // no option selected: nothing
    EXPECT_EQ(sent(), "");
    pick("ComboIndeks", "OTHER 4");
    m_window.BTSendDataClick();
    EXPECT_EQ(sent(), "#6|4*");
    // The profile and the dashboard keep the last catalogue battery.
    EXPECT_EQ(m_window.state().snapshot().profileTypeIndex, 11);
    EXPECT_EQ(dashboardLabels(), QStringList({"Yuasa", "KONVENSIONAL", "12N10-3B"}));
    m_window.BTPrintClick();
    m_window.BTSendDataClick();
    EXPECT_EQ(sent(), "");
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(DiagnosticTest, AddDialogOffersFreeSlotsVarietiesAndKeepsItsValues) {
    defineSlots({"", "OTHER 2", "", "", ""});
    choose("Other");
    m_window.BTTambahClick();
    auto* dialog = control<ui::SlideInDialog>("LayoutTambah");
    EXPECT_TRUE(dialog->isVisibleTo(m_window.content()));
    EXPECT_EQ(items(combo("ComboIndeksT")), options({1, 3, 4, 5}));
    EXPECT_EQ(items(combo("ComboJenisT")), QStringList({"Konvensional", "MF", "Gel", "Lithium"}));
    EXPECT_EQ(combo("ComboJenisT")->currentIndex(), -1);

    auto* capacity = control<QDoubleSpinBox>("SpinKapasitasT");
    auto* current = control<QSpinBox>("SpinArusCCT");
    auto* cca = control<QDoubleSpinBox>("SpinCCAT");
    EXPECT_EQ(capacity->decimals(), 1);
    EXPECT_EQ(capacity->minimum(), 2.0);
    EXPECT_EQ(capacity->maximum(), 20.0);
    EXPECT_EQ(capacity->singleStep(), 0.5);
    EXPECT_EQ(capacity->value(), 4.0);
    EXPECT_EQ(current->minimum(), 1);
    EXPECT_EQ(current->maximum(), 5);
    EXPECT_EQ(current->value(), 1);
    EXPECT_EQ(cca->decimals(), 2);
    EXPECT_EQ(cca->minimum(), 40.0);
    EXPECT_EQ(cca->maximum(), 10000.0);
    EXPECT_EQ(cca->singleStep(), 5.0);
    EXPECT_EQ(cca->value(), 100.0);

    capacity->setValue(7.5);
    control<QAbstractButton>("RTambahNo")->click();
    EXPECT_FALSE(dialog->isVisible());
    m_window.BTTambahClick();
    EXPECT_EQ(capacity->value(), 7.5);
    EXPECT_EQ(sent(), "");
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(DiagnosticTest, AddDialogRefusesAMissingSlotOrVariety) {
    struct Row {
        const char* slot;
        const char* variety;
    } rows[] = {{"OTHER 2", ""}, {"", "Gel"}, {"", ""}};
    choose("Other");
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.slot) + "/" + row.variety);
        m_messages.clear();
        m_window.BTTambahClick();
        pick("ComboIndeksT", row.slot);
        pick("ComboJenisT", row.variety);
        control<QAbstractButton>("RTambahYes")->click();
        EXPECT_EQ(m_messages, QStringList{kIncomplete});
        EXPECT_TRUE(control("LayoutTambah")->isVisibleTo(m_window.content()));
        EXPECT_EQ(sent(), "");
    }
    EXPECT_EQ(m_window.state().snapshot().optionSlots[1].name, "");
}

TEST_F(DiagnosticTest, AddingAnOptionSendsItAndDefinesTheSlot) {
    setState([](ChargerState& s) {
        s.optionSlots[0] = {"OTHER 1", "MF", "Custom", 5, 1, 90};
        s.optionSlots[1].brand = "Velmora";  // only the charger supplies the brand
    });
    choose("Other");
    pick("ComboIndeks", "OTHER 1");
    openChargerPanel();
    m_window.BTTambahClick();
    pick("ComboIndeksT", "OTHER 2");
    pick("ComboJenisT", "Gel");
    control<QDoubleSpinBox>("SpinKapasitasT")->setValue(4.5);
    control<QSpinBox>("SpinArusCCT")->setValue(2);
    control<QDoubleSpinBox>("SpinCCAT")->setValue(150);
    control<QAbstractButton>("RTambahYes")->click();

    EXPECT_EQ(sent(), "#5|1|2|45|20|150*");
    EXPECT_EQ(m_messages, QStringList{kSent});
    EXPECT_FALSE(control("LayoutTambah")->isVisible());
    const OptionSlot slot = m_window.state().snapshot().optionSlots[1];
    EXPECT_EQ(slot.name, "OTHER 2");
    EXPECT_EQ(slot.variety, "Gel");
    EXPECT_EQ(slot.brand, "Velmora");
    EXPECT_EQ(slot.capacity, 4.5);
    EXPECT_EQ(slot.current, 2.0);
    EXPECT_EQ(slot.cca, 150);
    EXPECT_EQ(items(combo("ComboIndeks")), options({1, 2}));
    EXPECT_EQ(items(combo("ComboIndeksT")), options({3, 4, 5}));
    // The new option is the one shown, in its row and its values alike.
    EXPECT_EQ(combo("ComboIndeks")->currentText(), "OTHER 2");
    EXPECT_EQ(text("LBrand"), "Merk");
    EXPECT_EQ(text("LOJenis"), "Gel");
    EXPECT_EQ(text("LOKapasitas"), shortest(4.5, "Ah"));
    EXPECT_EQ(text("LOArus"), "2 A");
    EXPECT_EQ(text("LOCCA"), "150");
}

// Without a charger to keep it, an option is refused as "Atur Data" refuses: the dialog
// stays filled in, nothing is defined, and adding works once the charger is there.
TEST_F(DiagnosticTest, AddingIsRefusedWithoutAChargerAndTheDialogKeepsItsValues) {
    const QString notSent =
        QStringLiteral("Data tidak terkirim: sambungkan charger terlebih dahulu");
    choose("Other");
    for (const bool linkGone : {false, true}) {
        SCOPED_TRACE(linkGone ? "link gone" : "panel never opened for the charger");
        m_messages.clear();
        if (linkGone) {
            openChargerPanel();
            m_window.link().stopReaderAndRelease();
        }
        m_window.BTTambahClick();
        pick("ComboIndeksT", "OTHER 5");
        pick("ComboJenisT", "Lithium");
        control<QAbstractButton>("RTambahYes")->click();
        EXPECT_EQ(m_messages, QStringList{notSent});
        EXPECT_TRUE(control("LayoutTambah")->isVisibleTo(m_window.content()));
        EXPECT_EQ(combo("ComboIndeksT")->currentText(), "OTHER 5");
        if (!linkGone) {
            EXPECT_EQ(sent(), "");  // a released link has nothing to read
        }
        EXPECT_EQ(m_window.state().snapshot().optionSlots[4].name, "");
        EXPECT_EQ(combo("ComboIndeks")->count(), 0);
        m_window.RTambahNoClick();
    }
}

TEST_F(DiagnosticTest, AFailedSendStillClosesTheAddDialogAndRebuildsTheLists) {
    choose("Other");
    openChargerPanel();
    m_window.BTTambahClick();
    pick("ComboIndeksT", "OTHER 3");
    pick("ComboJenisT", "MF");
    m_charger->release();  // the charger went away: the next send fails
    EXPECT_THROW(m_window.RTambahYesClick(), LinkError);
    EXPECT_FALSE(control("LayoutTambah")->isVisible());
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(m_window.state().snapshot().optionSlots[2].name, "");
    EXPECT_EQ(items(combo("ComboIndeksT")), options({1, 2, 3, 4, 5}));
    EXPECT_EQ(combo("ComboIndeksT")->currentIndex(), -1);
}

// Test results: each block is shown once, when its tag says so.
class TestResultTest : public DiagnosticTest {
protected:
    void before(int cca, double ir, double diag, double volts, const char* tag = "1") {
        setState([=](ChargerState& s) {
            s.beforeResultTag = tag;
            s.before.cca = cca;
            s.before.resistance = ir;
            s.before.diagVoltage = diag;
            s.before.voltage = volts;
        });
    }
    void after(const char* tag, int cca, double ir, const char* status) {
        setState([=](ChargerState& s) {
            s.afterResultTag = tag;
            s.after.cca = cca;
            s.after.resistance = ir;
            s.after.diagVoltage = 11.6;
            s.after.voltage = 13.3;
            s.after.status = status;
        });
    }
    void test(const char* tag, int cca, double ir) {
        setState([=](ChargerState& s) {
            s.testResultTag = tag;
            s.test.cca = cca;
            s.test.resistance = ir;
            s.test.diagVoltage = 11.4;
            s.test.voltage = 12.5;
            s.test.status = "WEAK";
        });
    }
    // Which of RCAccu, RBefore, RAfter, RTest are shown.
    std::array<bool, 4> panels() {
        return {shown("RCAccu"), control("RBefore")->isVisibleTo(control("RCAccu")),
                control("RAfter")->isVisibleTo(control("RCAccu")), shown("RTest")};
    }
    QStringList dashboard() { return {text("LCCA"), text("LiR")}; }
};

TEST_F(TestResultTest, BeforeResultIsShownOnceInItsPanelAndOnTheDashboard) {
    before(410, 4.5, 11.02, 12.71);
    m_window.accudiagnostic();
    EXPECT_EQ(text("BCCA"), "CCA = 410");
    EXPECT_EQ(text("BiR"), "iR = " + fixed2(4.5) + " mOhm");
    EXPECT_EQ(text("Bvd"), "V Diagnostic  = " + fixed2(11.02) + " V");
    EXPECT_EQ(text("BVo"), "Voltage = " + fixed2(12.71) + " V");
    EXPECT_EQ(dashboard(), QStringList({"410", fixed2(4.5)}));
    EXPECT_EQ(panels(), (std::array<bool, 4>{true, true, false, false}));
    EXPECT_EQ(m_window.state().snapshot().beforeResultTag, "");

    setState([](ChargerState& s) { s.before.cca = 999; });  // no new tag: not shown again
    m_window.accudiagnostic();
    EXPECT_EQ(text("BCCA"), "CCA = 410");
    EXPECT_EQ(text("LCCA"), "410");
}

TEST_F(TestResultTest, AfterResultWithEitherTagAddsItsPanel) {
    for (const char* tag : {"5", "4"}) {
        SCOPED_TRACE(tag);
        after(tag, 350, 3.25, "GOOD");
        m_window.accudiagnostic();
        EXPECT_EQ(text("ACCA"), "CCA = 350");
        EXPECT_EQ(text("AiR"), "iR = " + fixed2(3.25) + " mOhm");
        EXPECT_EQ(text("Avd"), "V Diagnostic  = " + fixed2(11.6) + " V");
        EXPECT_EQ(text("AVo"), "Voltage = " + fixed2(13.3) + " V");
        EXPECT_EQ(text("ARes1"), "Status  = GOOD");
        EXPECT_EQ(dashboard(), QStringList({"350", fixed2(3.25)}));
        // Without a before result only the after panel is shown.
        EXPECT_EQ(panels(), (std::array<bool, 4>{true, false, true, false}));
        EXPECT_EQ(m_window.state().snapshot().afterResultTag, "");
    }
    before(300, 9, 10.9, 12.2);
    m_window.accudiagnostic();
    EXPECT_EQ(panels(), (std::array<bool, 4>{true, true, true, false}));
}

TEST_F(TestResultTest, TestResultReplacesBothPanelsAndEndsOnTheDashboard) {
    before(410, 4.5, 11.02, 12.71);
    test("0", 280, 6.75);  // arriving in the same second
    m_window.accudiagnostic();
    EXPECT_EQ(panels(), (std::array<bool, 4>{false, true, false, true}));
    EXPECT_EQ(text("BCCA"), "CCA = 410");
    EXPECT_EQ(text("TCCA"), "CCA = 280");
    EXPECT_EQ(text("TiR"), "iR = " + fixed2(6.75) + " mOhm");
    EXPECT_EQ(text("TVd"), "V Diagnostic  = " + fixed2(11.4) + " V");
    EXPECT_EQ(text("TVo"), "Voltage = " + fixed2(12.5) + " V");
    EXPECT_EQ(text("TStatus"), "Status  = WEAK");
    EXPECT_EQ(dashboard(), QStringList({"280", fixed2(6.75)}));
    const ChargerState s = m_window.state().snapshot();
    EXPECT_EQ(s.beforeResultTag, "");
    EXPECT_EQ(s.testResultTag, "");

    after("5", 350, 3.25, "GOOD");  // a later after result brings the pair back
    m_window.accudiagnostic();
    EXPECT_EQ(panels(), (std::array<bool, 4>{true, true, true, false}));
}

TEST_F(TestResultTest, OtherTagsAreNeitherShownNorCleared) {
    before(410, 4.5, 11.02, 12.71, "0");
    after("1", 350, 3.25, "GOOD");
    test("1", 280, 6.75);
    m_window.accudiagnostic();
    EXPECT_EQ(panels(), (std::array<bool, 4>{false, false, false, false}));
    for (const char* label : {"BCCA", "ACCA", "TCCA"}) EXPECT_EQ(text(label), "-") << label;
    EXPECT_EQ(text("LCCA"), "0");
    const ChargerState s = m_window.state().snapshot();
    EXPECT_EQ(s.beforeResultTag, "0");
    EXPECT_EQ(s.afterResultTag, "1");
    EXPECT_EQ(s.testResultTag, "1");
}

// A profile the charger reports, applied to the boxes through their change handlers.
class ReportedProfileTest : public DiagnosticTest {
protected:
    void report(int brand, int variety, int type, const char* mode, bool received = true) {
        setState([=](ChargerState& s) {
            s.profileBrandIndex = brand;
            s.profileVarietyIndex = variety;
            s.profileTypeIndex = type;
            s.profileMode = mode;
            s.profileReceived = received;
        });
    }
    std::array<int, 3> selection() {
        return {combo("ComboMerk")->currentIndex(), combo("ComboJenis")->currentIndex(),
                combo("ComboTipe")->currentIndex()};
    }
};

TEST_F(ReportedProfileTest, RestoresBrandVarietyTypeModeAndDashboard) {
    report(0, 1, 2, "2");
    m_window.datareference();
    EXPECT_EQ(selection(), (std::array<int, 3>{0, 1, 2}));
    EXPECT_EQ(combo("ComboTipe")->currentText(), "ZRLP-7V");
    EXPECT_EQ(text("LCap"), "3 Ah");
    EXPECT_TRUE(control<QRadioButton>("RadioFast")->isChecked());
    EXPECT_EQ(ui::textColor(control("RadioFast")), ui::kWhite);
    EXPECT_EQ(dashboardLabels(), QStringList({"Zentor", "LiFePO4", "ZRLP-7V"}));
    EXPECT_FALSE(m_window.state().snapshot().profileReceived);

    // Nothing new reported: a change by the user stays.
    choose("Yuasa");
    m_window.datareference();
    EXPECT_EQ(selection(), (std::array<int, 3>{1, -1, -1}));
}

TEST_F(ReportedProfileTest, ModeOnlyChangesForOneOrTwo) {
    struct Row {
        const char* mode;
        bool fastBefore, fastAfter;
    } rows[] = {{"1", true, false},
                {"2", false, true},
                {"", true, true},
                {"", false, false},
                {"3", true, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("mode '") + row.mode + "'");
        control<QRadioButton>(row.fastBefore ? "RadioFast" : "RadioNormal")->setChecked(true);
        report(1, 0, 11, row.mode);
        m_window.datareference();
        EXPECT_EQ(control<QRadioButton>("RadioFast")->isChecked(), row.fastAfter);
        EXPECT_NE(control<QRadioButton>("RadioNormal")->isChecked(), row.fastAfter);
    }
}

TEST_F(ReportedProfileTest, MissingOrUnknownPositionsLeaveBoxesWithoutSelection) {
    struct Row {
        int brand, variety, type;
        std::array<int, 3> selection;
        QStringList labels;
    } rows[] = {
        {-1, -1, -1, {-1, -1, -1}, {"-", "-", "-"}},
        {2, 1, -1, {2, 1, -1}, {"GSAstra", "MAINTENANCE FREE", "-"}},
        {1, 0, 99, {1, 0, -1}, {"Yuasa", "KONVENSIONAL", "-"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        choose("Zentor", "MF", "ZRM9-4B");
        report(row.brand, row.variety, row.type, "1");
        m_window.datareference();
        EXPECT_EQ(selection(), row.selection);
        EXPECT_EQ(dashboardLabels(), row.labels);
    }
}

TEST_F(ReportedProfileTest, OpeningTheDiagnosticScreenRestoresTheCurrentProfile) {
    report(2, 1, 3, "1", false);  // the profile last sent, nothing new reported
    control<QRadioButton>("RadioFast")->setChecked(true);
    m_window.BT2DiagnosticClick();
    EXPECT_EQ(selection(), (std::array<int, 3>{2, 1, 3}));
    EXPECT_EQ(text("LCap"), shortest(6, "Ah"));
    EXPECT_TRUE(control<QRadioButton>("RadioNormal")->isChecked());
    EXPECT_TRUE(control("M2Diagnostic")->isVisibleTo(m_window.content()));
}

}  // namespace
