// Velmora Tester: the desktop companion of the Velmora charger and tester.
//   velmora-tester            paired Bluetooth devices; the simulated charger and printer
//                             are offered where no Bluetooth adapter exists
//   velmora-tester --demo     offer the simulated devices in any case
//   velmora-tester --charger-address tcp:127.0.0.1:5555
//                             also offer a charger reached over a socket (velmora-charger-sim)
//   velmora-tester --language en
//                             this run in English (id: Indonesian) whatever the option
//                             screen chose
#include <QCommandLineParser>
#include <cstdio>

#include "link/NativeBluetooth.h"
#include "link/SimulatedDevices.h"
#include "platform/Version.h"
#include "shell/ErrorReportingApplication.h"
#include "shell/TVLForm.h"
#include "widgets/Language.h"

int main(int argc, char** argv) {
    if (velmora::printVersionIfAsked("velmora-tester", argc, argv)) return 0;  // no display
    velmora::ErrorReportingApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora Tester"));
    QApplication::setApplicationVersion(QString::fromLatin1(velmora::versionText()));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Velmora Tester"));
    parser.addHelpOption();
    QCommandLineOption demo(QStringLiteral("demo"),
                            QStringLiteral("Offer the simulated charger and printer."));
    QCommandLineOption charger(QStringLiteral("charger-address"),
                               QStringLiteral("Also offer a charger on this socket address."),
                               QStringLiteral("address"));
    QCommandLineOption speed(
        QStringLiteral("sim-speed"),
        QStringLiteral("Simulated seconds per second of the built-in charger."),
        QStringLiteral("n"), QStringLiteral("20"));
    QCommandLineOption startAnswer(
        QStringLiteral("sim-start-answer"),
        QStringLiteral("How the built-in charger answers a start command during a charge: "
                       "standby (STANDBY, then its readings) or state (its readings only)."),
        QStringLiteral("standby|state"), QStringLiteral("standby"));
    QCommandLineOption version(QStringLiteral("version"),
                               QStringLiteral("Print the version and exit."));  // answered above
    QCommandLineOption language(QStringLiteral("language"),
                                QStringLiteral("The window's language for this run: id or en."),
                                QStringLiteral("id|en"));
    parser.addOptions({demo, charger, speed, startAnswer, language, version});
    parser.process(app);

    std::optional<velmora::ui::Language> chosen = velmora::ui::rememberedLanguage();
    if (parser.isSet(language)) {
        chosen = velmora::ui::languageFromCode(parser.value(language));
        if (!chosen) {
            std::fprintf(stderr, "velmora-tester: --language takes id or en\n");
            return 2;
        }
    }
    // Before any text of the window is made.
    if (!velmora::ui::applyLanguage(*chosen))
        std::fprintf(stderr,
                     "velmora-tester: the translation cannot be read, texts stay Indonesian\n");

    velmora::SimulatorOptions simulator;
    simulator.speed = qMax(1, parser.value(speed).toInt());
    const QString answer = parser.value(startAnswer);
    if (answer != QLatin1String("standby") && answer != QLatin1String("state")) {
        std::fprintf(stderr, "velmora-tester: --sim-start-answer takes standby or state\n");
        return 2;
    }
    if (answer == QLatin1String("state"))
        simulator.startAnswer = velmora::ChargerModel::StartAnswer::State;
    auto platform = std::make_unique<velmora::DevicePlatform>(
        velmora::createNativeBluetooth(), parser.isSet(demo), parser.values(charger), simulator);
    velmora::TVLForm window(std::move(platform));
    window.show();
    return app.exec();
}
