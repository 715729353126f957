// The battery choice on its own: a diagnostic screen and its profile selector, no window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>

#include "catalogue/Dataaki.h"
#include "catalogue/DiagnosticScreen.h"
#include "catalogue/ProfileSelector.h"

using namespace velmora;

namespace {

class ProfileSelectorTest : public ::testing::Test {
protected:
    ProfileSelectorTest() {
        m_main.resize(960, 478);
        // Wired as the window wires its handlers: a change made from code cascades too.
        QObject::connect(m_screen->ComboMerk, &QComboBox::currentIndexChanged, &m_selector,
                         &ProfileSelector::brandChanged);
        QObject::connect(m_screen->ComboJenis, &QComboBox::currentIndexChanged, &m_selector,
                         &ProfileSelector::varietyChanged);
        QObject::connect(m_screen->ComboTipe, &QComboBox::currentIndexChanged, &m_selector,
                         &ProfileSelector::typeChanged);
    }

    QWidget m_main;
    Dataaki m_catalogue;
    LiveChargerState m_state;
    DiagnosticScreen* m_screen = new DiagnosticScreen(&m_main, m_catalogue);
    ProfileSelector m_selector{m_screen, m_catalogue,
                               [this]() -> LiveChargerState& { return m_state; }, NumberFormat{}};
};

TEST_F(ProfileSelectorTest, AReportedProfileIsShownTitledAndReadBack) {
    QSignalSpy titles(&m_selector, &ProfileSelector::titleChanged);
    m_screen->Edit1->setText(QStringLiteral("Bengkel Jaya"));
    m_selector.apply({0, 1, 2, "2"});

    const journal::Profile shown = m_selector.shown();
    EXPECT_EQ(shown.brandIndex, 0);
    EXPECT_EQ(shown.typeIndex, 2);
    EXPECT_EQ(shown.brand, "Zentor");
    EXPECT_EQ(shown.type, "ZRLP-7V");
    EXPECT_EQ(shown.capacity, "3 Ah");
    EXPECT_EQ(shown.mode, "2");
    EXPECT_EQ(shown.name, "Bengkel Jaya");
    ASSERT_EQ(titles.count(), 1);
    EXPECT_EQ(titles.at(0).at(0).toString(), QStringLiteral("ZRLP-7V"));
    EXPECT_EQ(titles.at(0).at(1).toString(), QStringLiteral("Zentor"));
}

TEST_F(ProfileSelectorTest, AfterTheResetNothingIsChosenAndNoTextIsReadFromTheEmptyBoxes) {
    m_selector.apply({1, 0, 3, "2"});
    m_selector.reset();
    const journal::Profile shown = m_selector.shown();
    EXPECT_EQ(shown.brandIndex, -1);
    EXPECT_EQ(shown.typeIndex, -1);
    EXPECT_EQ(shown.brand, "");
    EXPECT_EQ(shown.variety, "");
    EXPECT_EQ(shown.capacity, "");
    EXPECT_EQ(shown.mode, "1");  // the normal mode is chosen again
    EXPECT_TRUE(m_screen->RadioNormal->isChecked());
}

}  // namespace

namespace {

// A log loaded onto the screens shows its battery, but the next charge has not chosen it:
// the journal records no profile until the user or the charger picks one.
TEST_F(ProfileSelectorTest, ALoadedLogsProfileIsShownButIsNoChargesProfile) {
    m_selector.apply({0, 1, 2, "2"});
    m_selector.markLoadedFromLog();
    EXPECT_EQ(m_selector.shown().type, "ZRLP-7V");  // receipts and logs still read it
    EXPECT_EQ(m_selector.chargeProfile().brandIndex, -1);
    EXPECT_TRUE(m_selector.chargeProfile().type.empty());

    const struct {
        const char* name;
        std::function<void(ProfileSelector&, DiagnosticScreen&)> choose;
    } choices[] = {
        {"charger reports",
         [](ProfileSelector& s, DiagnosticScreen&) {
             s.apply({0, 1, 2, "2"});
         }},
        {"user picks a brand",
         [](ProfileSelector&, DiagnosticScreen& d) { d.ComboMerk->setCurrentIndex(1); }},
        {"user sends", [](ProfileSelector& s, DiagnosticScreen&) { s.send([](const auto&) {}); }},
    };
    for (const auto& choice : choices) {
        SCOPED_TRACE(choice.name);
        m_selector.markLoadedFromLog();
        choice.choose(m_selector, *m_screen);
        EXPECT_EQ(m_selector.chargeProfile().brandIndex, m_selector.shown().brandIndex);
        EXPECT_EQ(m_selector.chargeProfile().type, m_selector.shown().type);
    }
}

}  // namespace
