// A remembered device is used only in its role: a printer named as the last charger (a
// settings file edited by hand, or a mistake kept from an older program) is never connected
// as the charger at start-up, nor offered first in the charger's dialog.
#include <QComboBox>
#include <QSettings>
#include <QSignalSpy>

#include "link/SimulatedDevices.h"
#include "window_fixture.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

class RememberedRoleTest : public WindowTest {
protected:
    void remember(const char* role, const QString& name, const QString& address) {
        QSettings settings(QStringLiteral("Velmora"), QStringLiteral("Velmora Tester"));
        settings.setValue(QStringLiteral("autoConnect"), true);
        settings.beginGroup(QString::fromLatin1(role));
        settings.setValue(QStringLiteral("address"), address);
        settings.setValue(QStringLiteral("name"), name);
    }
    void start(std::unique_ptr<BluetoothPlatform> platform) {
        m_window = std::make_unique<TVLForm>(std::move(platform), 1366);
        m_window->setMessageSink([this](const QString& text) { m_messages << text; });
        m_window->FormShow();
    }
    QString chargerDialogStartsFrom() {
        m_window->BTConnectionClick();
        return control<QComboBox>("ComboDevice")->currentText();
    }
};

TEST_F(RememberedRoleTest, TheSimulatedPrinterAsTheLastChargerIsNotConnected) {
    m_window.reset();
    remember("lastCharger", DevicePlatform::kSimulatedPrinter, QStringLiteral("sim:printer"));
    start(std::make_unique<DevicePlatform>(nullptr, true));
    EXPECT_FALSE(m_window->connecting());
    EXPECT_FALSE(m_window->linkControl().chargerLinkUp());
    EXPECT_EQ(chargerDialogStartsFrom(), DevicePlatform::kSimulatedCharger);
}

TEST_F(RememberedRoleTest, TheLastPrinterNamedAsTheLastChargerIsNotConnected) {
    const QString printer = m_bt->devices[1].address;
    const struct {
        QString charger;  // the address remembered as the last charger
        bool connects;
    } cases[] = {{printer, false}, {m_bt->devices[0].address, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.charger.toStdString());
        m_window.reset();
        remember("lastPrinter", m_bt->devices[1].name, printer);
        remember("lastCharger", QStringLiteral("whatever"), c.charger);
        start(std::make_unique<FakePlatform>(m_bt));
        EXPECT_EQ(m_window->connecting(), c.connects);
        if (c.connects) {
            QSignalSpy done(m_window.get(), &TVLForm::connectionFinished);
            ASSERT_TRUE(done.wait(20000));
            EXPECT_TRUE(m_window->linkControl().chargerLinkUp());
        } else {
            EXPECT_EQ(chargerDialogStartsFrom(), m_bt->devices[0].name);
        }
    }
}

}  // namespace
