// Takes a picture of every screen and dialog of the window, with a charge in progress
// on the dashboard, into a folder: velmora-screenshots OUTPUT_DIR [SCREEN_WIDTH]
#include <QApplication>
#include <QDir>
#include <QTimer>

#include "link/SimulatedDevices.h"
#include "shell/TVLForm.h"
#include "shell/UserGuide.h"
#include "widgets/SlideInDialog.h"

namespace {

// Lets animations run to their end before the picture is taken.
void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void shoot(velmora::TVLForm& window, const QDir& dir, const QString& name) {
    settle(700);
    window.grab().save(dir.filePath(name + QStringLiteral(".png")));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: velmora-screenshots OUTPUT_DIR [SCREEN_WIDTH]");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    dir.mkpath(QStringLiteral("."));
    const int screenWidth = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 1366;

    auto platform = std::make_unique<velmora::DevicePlatform>(nullptr, true);
    velmora::TVLForm window(std::move(platform), screenWidth);
    window.setMessageSink([](const QString&) {});
    window.show();
    settle(300);

    window.state().modify([](velmora::ChargerState& s) {
        s.stageNumber = 2;
        s.chargeVoltage = 13.47;
        s.chargeCurrent = 3.2;
        s.elapsedSeconds = 3725;
        s.chargeProgress = 57;
        s.beforeResultTag = "1";
        s.beforeCca = 410;
        s.beforeResistance = 4.5;
        s.beforeDiagVoltage = 11.02;
        s.beforeVoltage = 12.71;
        s.profileBrandIndex = 1;
        s.profileVarietyIndex = 0;
        s.profileTypeIndex = 11;
        s.profileMode = "1";
        s.profileReceived = true;
    });
    window.TimerloopTimer();
    shoot(window, dir, QStringLiteral("dashboard"));
    window.BT2DiagnosticClick();
    shoot(window, dir, QStringLiteral("diagnostic"));
    window.BT3ChartClick();
    shoot(window, dir, QStringLiteral("chart"));
    window.BT4OptionClick();
    shoot(window, dir, QStringLiteral("option"));
    window.R3UseClick();
    shoot(window, dir, QStringLiteral("guide"));
    window.BT1Dashboard2Click();

    window.BTConnectionClick();
    shoot(window, dir, QStringLiteral("dialog_connection_charger"));
    window.RectLayoutBTClick();
    window.BTPrintClick();
    shoot(window, dir, QStringLiteral("dialog_connection_printer"));
    window.RectLayoutBTClick();
    window.BTForceStopClick();
    shoot(window, dir, QStringLiteral("dialog_force_stop"));
    window.RForceNoClick();
    window.BT2DiagnosticClick();
    window.ImageAccuClick();
    shoot(window, dir, QStringLiteral("dialog_question_save"));
    window.RNOClick();
    window.BT1Dashboard2Click();
    window.R2UseClick();
    shoot(window, dir, QStringLiteral("intro_guide"));
    return 0;
}
