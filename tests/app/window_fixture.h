#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QSettings>
#include <QSignalSpy>
#include <memory>

#include "fake_platform.h"
#include "shell/TVLForm.h"

namespace velmora::testing {

// A window on a scripted Bluetooth stack with one paired charger; messages recorded.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Every test starts with no remembered devices (one HOME serves the whole run).
        QSettings(QStringLiteral("Velmora"), QStringLiteral("Velmora Tester")).clear();
        m_bt = std::make_shared<FakePlatform::Shared>();
        m_bt->devices = {{QStringLiteral("VELMORA-CHG"), QStringLiteral("00:11:22:33:44:55"), true},
                         {QStringLiteral("RPP02N"), QStringLiteral("66:77:88:99:AA:BB"), true}};
        m_window = std::make_unique<TVLForm>(std::make_unique<FakePlatform>(m_bt), 1366);
        m_window->setMessageSink([this](const QString& text) { m_messages << text; });
    }
    void TearDown() override { m_window.reset(); }

    template <typename T = QWidget>
    T* control(const char* name) {
        T* found = m_window->control<T>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString text(const char* name) { return control<QLabel>(name)->text(); }
    void setState(const std::function<void(ChargerState&)>& change) {
        m_window->state().modify(change);
    }
    // Opens the dialog for the charger and presses "Sambungkan"; true when it connected.
    bool connectCharger() {
        m_window->BTConnectionClick();
        QSignalSpy finished(m_window.get(), &TVLForm::connectionFinished);
        m_window->BTConnectClick();
        if (!m_window->connecting()) return false;
        EXPECT_TRUE(finished.wait(20000));
        return finished.count() == 1 && finished.at(0).at(0).toBool();
    }

    std::shared_ptr<FakePlatform::Shared> m_bt;
    std::unique_ptr<TVLForm> m_window;
    QStringList m_messages;
};

}  // namespace velmora::testing
