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
    ProfileSelector m_selector{m_screen, m_catalogue, m_state, NumberFormat{}};
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
