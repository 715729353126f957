// Numbers on screen use the user's decimal separator from the first paint on, so the
// screen never shows "0,00" beside "13.47".
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>

#include "fake_platform.h"
#include "shell/TVLForm.h"

using namespace velmora;
using velmora::testing::FakePlatform;

namespace {

struct Notation {
    QLocale::Language language;
    QChar separator;
};

class DecimalSeparatorTest : public ::testing::TestWithParam<Notation> {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(GetParam().language));
        m_window = std::make_unique<TVLForm>(
            std::make_unique<FakePlatform>(std::make_shared<FakePlatform::Shared>()), 1366);
    }
    void TearDown() override {
        m_window.reset();
        QLocale::setDefault(m_saved);
    }

    // Checks the separator of every decimal number a label shows; returns how many it shows.
    int decimalsIn(const char* name, const char* when) {
        static const QRegularExpression decimal(QStringLiteral("\\d([.,])\\d"));
        const QString text = m_window->control<QLabel>(QString::fromLatin1(name))->text();
        int numbers = 0;
        for (auto match = decimal.globalMatch(text); match.hasNext(); ++numbers)
            EXPECT_EQ(match.next().captured(1), GetParam().separator)
                << when << ": " << name << " reads \"" << text.toStdString() << "\"";
        return numbers;
    }
    // Every label that can show a decimal number; `shown` must show one now.
    void expectUserSeparator(const char* when, const QStringList& shown) {
        for (const char* name : {"LVoltage", "LCurrent", "LiR", "LCap", "BiR", "Bvd", "BVo", "AiR",
                                 "Avd", "AVo", "TiR", "TVd", "TVo"}) {
            const int numbers = decimalsIn(name, when);
            if (shown.contains(QLatin1String(name))) {
                EXPECT_GT(numbers, 0) << when << ": " << name;
            }
        }
    }

    QLocale m_saved;
    std::unique_ptr<TVLForm> m_window;
};

TEST_P(DecimalSeparatorTest, StartingTextsAndValuesShareTheUsersSeparator) {
    const QStringList dashboard{"LVoltage", "LCurrent", "LiR"};
    expectUserSeparator("before connecting", dashboard);

    m_window->state().modify([](ChargerState& s) {
        s.stageNumber = 2;
        s.chargeVoltage = 13.47;
        s.chargeCurrent = 3.2;
        s.afterResultTag = "5";
        s.after.resistance = 4.05;
        s.after.diagVoltage = 11.6;
        s.after.voltage = 13.1;
        s.testResultTag = "0";
        s.test.resistance = 7.25;
    });
    m_window->BT2DiagnosticClick();
    auto pick = [this](const char* box, int index) {
        m_window->control<QComboBox>(QString::fromLatin1(box))->setCurrentIndex(index);
    };
    pick("ComboMerk", 1);  // Yuasa, Konvensional, YB2,5L-C: 2.5 Ah
    pick("ComboJenis", 0);
    pick("ComboTipe", 0);
    m_window->TimerloopTimer();
    expectUserSeparator("after a tick",
                        dashboard + QStringList{"LCap", "AiR", "Avd", "AVo", "TiR"});

    m_window->rest();
    expectUserSeparator("after the reset", dashboard);
}

INSTANTIATE_TEST_SUITE_P(PointAndComma, DecimalSeparatorTest,
                         ::testing::Values(Notation{QLocale::English, QLatin1Char('.')},
                                           Notation{QLocale::Indonesian, QLatin1Char(',')}));

}  // namespace
