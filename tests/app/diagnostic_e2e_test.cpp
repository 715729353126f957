// The whole road of a charge profile: the window connects to the simulated charger the
// way the user does, sends a battery, and its boxes follow what the charger reports back.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <cmath>

#include "gui_wait.h"
#include "link/SimulatedDevices.h"
#include "shell/TVLForm.h"

using namespace velmora;

namespace {

constexpr int kDeadlineMs = 20000;

// Runs the refresh steps, letting the receive thread and events in, until done() holds
// or the deadline passes.
template <typename Pred>
bool tickUntil(TVLForm& window, Pred done) {
    return processEventsUntil(
        [&] {
            window.TimerloopTimer();
            return done();
        },
        kDeadlineMs);
}

TEST(DiagnosticEndToEnd, SimulatedChargerReportsTheSentProfileBack) {
    SimulatorOptions simulator;
    simulator.tickMs = 20;  // a simulated second every 20 ms: charging starts at once
    TVLForm window(std::make_unique<DevicePlatform>(nullptr, true, QStringList{}, simulator), 1366);
    QStringList messages;
    window.setMessageSink([&](const QString& text) { messages << text; });
    auto combo = [&](const char* name) {
        return window.control<QComboBox>(QString::fromLatin1(name));
    };
    auto pick = [&](const char* name, const char* entry) {
        QComboBox* box = combo(name);
        const int index = box->findText(QString::fromLatin1(entry));
        ASSERT_GE(index, 0) << name << " has no " << entry;
        box->setCurrentIndex(index);
    };
    auto text = [&](const char* name) {
        return window.control<QLabel>(QString::fromLatin1(name))->text();
    };

    // Connect through the dialog, as the user does.
    window.BTConnectionClick();
    pick("ComboDevice", DevicePlatform::kSimulatedCharger.toLatin1().constData());
    QSignalSpy finished(&window, &TVLForm::connectionFinished);
    window.BTConnectClick();
    ASSERT_TRUE(finished.wait(kDeadlineMs));
    ASSERT_TRUE(finished.at(0).at(0).toBool()) << messages.join(QLatin1Char('\n')).toStdString();

    // The charger answers the start command with its option slots; the preset one is
    // a custom option of the catalogue's "Other" brand.
    ASSERT_TRUE(tickUntil(
        window, [&] { return window.state().snapshot().optionSlots[0].name == "OTHER 1"; }));
    pick("ComboMerk", "Other");
    pick("ComboIndeks", "OTHER 1");
    EXPECT_EQ(text("LBrand"), "Merk");  // the row's label, never the option's brand
    EXPECT_EQ(text("LOJenis"), "MF");

    // Send a Zentor lithium battery in fast mode, then let the user wander off before
    // the charger's report arrives: the report brings the boxes back.
    pick("ComboMerk", "Zentor");
    pick("ComboJenis", "Lithium");
    pick("ComboTipe", "ZRLP-7V");
    window.control<QRadioButton>(QStringLiteral("RadioFast"))->setChecked(true);
    window.BTSendDataClick();
    pick("ComboMerk", "Yuasa");
    window.control<QRadioButton>(QStringLiteral("RadioNormal"))->setChecked(true);

    ASSERT_TRUE(tickUntil(window, [&] {
        return combo("ComboMerk")->currentIndex() == 0 && combo("ComboTipe")->currentIndex() == 2;
    })) << "the reported profile never reached the boxes";
    EXPECT_EQ(combo("ComboJenis")->currentText(), "Lithium");
    EXPECT_EQ(combo("ComboTipe")->currentText(), "ZRLP-7V");
    EXPECT_EQ(text("LCap"), "3 Ah");
    EXPECT_TRUE(window.control<QRadioButton>(QStringLiteral("RadioFast"))->isChecked());
    EXPECT_EQ(text("LBatteryBrand"), "Zentor");
    EXPECT_EQ(text("LBatteryType"), "LiFePO4");
    EXPECT_EQ(text("LBatterySeries"), "ZRLP-7V");

    // The charger sizes its current to the battery: 0.2 C of 3 Ah in fast mode.
    ASSERT_TRUE(tickUntil(window,
                          [&] {
                              const ChargerState s = window.state().snapshot();
                              return s.stageNumber == 2 && std::abs(s.chargeCurrent - 0.6) < 0.05;
                          }))
        << "current " << window.state().snapshot().chargeCurrent;
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
