// The window on a toolkit-free Bluetooth stack from core, as on Windows, where the stack
// is the Winsock binding: names and addresses pass through, and its failures reach the
// user as the usual messages.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QSignalSpy>

#include "link/StackPlatform.h"
#include "shell/TVLForm.h"

using namespace velmora;

namespace {

// Fails like the Winsock binding where the stack or the device is missing.
class ScriptedStack : public BluetoothStack {
public:
    struct Script {
        bool broken = false;  // the stack cannot be asked at all
        std::vector<BluetoothDevice> devices;
        std::vector<std::pair<std::string, bool>> socketsMade;  // address, secure
    };
    explicit ScriptedStack(std::shared_ptr<Script> script) : m_script(std::move(script)) {}

    bool radioPresent() override {
        if (m_script->broken) throw LinkError("Bluetooth radio: not implemented (120)");
        return true;
    }
    std::vector<BluetoothDevice> pairedDevices() override {
        if (m_script->broken) throw LinkError("Bluetooth devices: not implemented (120)");
        return m_script->devices;
    }
    void requestEnable() override {}
    bool isPaired(const BluetoothDevice& device) override {
        for (const BluetoothDevice& d : pairedDevices())
            if (d.address == device.address) return d.paired;
        return false;
    }
    std::unique_ptr<Transport> createSocket(const BluetoothDevice& device, bool secure) override {
        m_script->socketsMade.emplace_back(device.address, secure);
        return std::make_unique<Unanswered>();
    }

private:
    // A device that is switched off: connecting times out.
    class Unanswered : public Transport {
    public:
        void connect() override { throw LinkError("RFCOMM connect: timed out (10060)"); }
        bool connected() const override { return false; }
        void send(const std::string&) override { throw LinkError("not connected"); }
        std::string receive(int) override { throw LinkError("not connected"); }
        void release() override {}
    };
    std::shared_ptr<Script> m_script;
};

class StackPlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_script->devices = {{"Velmora Charger \xC3\x9C", "00:1A:7D:DA:71:13", true},
                             {"RPP02N", "66:77:88:99:AA:BB", true}};
        m_window = std::make_unique<TVLForm>(
            std::make_unique<StackPlatform>(std::make_unique<ScriptedStack>(m_script)), 1366);
        m_window->setMessageSink([this](const QString& text) { m_messages << text; });
    }

    std::shared_ptr<ScriptedStack::Script> m_script = std::make_shared<ScriptedStack::Script>();
    std::unique_ptr<TVLForm> m_window;
    QStringList m_messages;
};

TEST_F(StackPlatformTest, DevicesAreListedAndAnUnansweredConnectIsReported) {
    m_window->FormShow();
    auto* box = m_window->control<QComboBox>(QStringLiteral("ComboDevice"));
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(0), QStringLiteral("Velmora Charger \u00DC"));

    m_window->BTConnectionClick();
    QSignalSpy finished(m_window.get(), &TVLForm::connectionFinished);
    m_window->BTConnectClick();
    ASSERT_TRUE(finished.count() == 1 || finished.wait(20000));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    EXPECT_EQ(m_script->socketsMade,
              (std::vector<std::pair<std::string, bool>>{{"00:1A:7D:DA:71:13", false}}));
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("Matikan lalu hidupkan lagi charger anda")});
}

TEST_F(StackPlatformTest, AStackThatCannotBeAskedMeansBluetoothIsOff) {
    m_script->broken = true;
    m_window->FormShow();  // quiet at start-up
    EXPECT_TRUE(m_messages.isEmpty());
    m_window->BTConnectionClick();
    EXPECT_EQ(m_messages, QStringList{QStringLiteral("Nyalakan bluetooth anda")});
    m_window->BTConnectClick();
    EXPECT_EQ(m_messages, (QStringList{QStringLiteral("Nyalakan bluetooth anda"),
                                       QStringLiteral("Matikan lalu hidupkan lagi charger anda")}));
    EXPECT_TRUE(m_script->socketsMade.empty());
}

}  // namespace
