// The whole road of a result: a charge on the simulated charger, saved under a name, the
// program started again, the log loaded back onto the screens.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "gui_wait.h"
#include "link/SimulatedDevices.h"
#include "logger/DataLogger.h"
#include "shell/TVLForm.h"
#include "simulated_window.h"

using namespace velmora;

namespace {

constexpr int kDeadlineMs = 30000;

QString text(TVLForm& window, const char* name) {
    return velmora::testing::labelText(window, name);
}

std::unique_ptr<TVLForm> startProgram(const QString& documents, QStringList& messages) {
    return velmora::testing::simulatedWindow(documents, messages, 5);
}

TEST(LoggerEndToEnd, ChargeSaveRestartLoad) {
    QTemporaryDir documents;
    ASSERT_TRUE(documents.isValid());
    QStringList messages;
    std::unique_ptr<TVLForm> window = startProgram(documents.path(), messages);

    ASSERT_TRUE(velmora::testing::connectSimulatedCharger(*window, kDeadlineMs))
        << messages.join(QLatin1Char('\n')).toStdString();

    // The refresh steps run until the after-charging result is on the diagnostic screen.
    ASSERT_TRUE(processEventsUntil(
        [&] {
            window->TimerloopTimer();
            return text(*window, "ARes1").startsWith(QStringLiteral("Status  = ")) &&
                   text(*window, "BCCA").startsWith(QStringLiteral("CCA = "));
        },
        kDeadlineMs));
    const ChargerState charged = window->state().snapshot();
    const QString after = text(*window, "AiR"), before = text(*window, "BiR");
    const QString status = text(*window, "ARes1");

    window->ImageAccuClick();
    window->RYESClick();
    window->control<QLineEdit>(QStringLiteral("Edit2"))->setText(QStringLiteral("pelanggan 1"));
    window->ROKSaveClick();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Berhasil disimpan")});
    window->ImageAccuClick();  // saved: the next battery needs no question
    EXPECT_EQ(window->state().snapshot().after.cca, 0);
    window.reset();

    messages.clear();
    window = startProgram(documents.path(), messages);
    window->BT4OptionClick();
    auto* list = window->control<QListWidget>(QStringLiteral("ListBox1"));
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "pelanggan 1.log");
    list->setCurrentRow(0);
    window->BTLoadClick();
    EXPECT_EQ(messages, QStringList{QStringLiteral("Memuat data sukses")});
    EXPECT_EQ(text(*window, "AiR"), after);
    EXPECT_EQ(text(*window, "BiR"), before);
    EXPECT_EQ(text(*window, "ARes1"), status);
    EXPECT_EQ(text(*window, "LCCA"), QString::number(charged.after.cca));
    const ChargerState loaded = window->state().snapshot();
    EXPECT_EQ(loaded.after.cca, charged.after.cca);
    EXPECT_EQ(loaded.after.status, charged.after.status);
    EXPECT_EQ(loaded.profileBrandIndex, charged.profileBrandIndex);
    EXPECT_NEAR(loaded.after.voltage, charged.after.voltage, 0.005);
}

}  // namespace
