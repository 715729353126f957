// Velmora Tester: the desktop companion of the Velmora charger and tester.
//   velmora-tester            paired Bluetooth devices; the simulated charger and printer
//                             are offered where no Bluetooth adapter exists
//   velmora-tester --demo     offer the simulated devices in any case
//   velmora-tester --charger-address tcp:127.0.0.1:5555
//                             also offer a charger reached over a socket (velmora-charger-sim)
//   velmora-tester --printer-address tcp:192.168.1.20:9100
//                             also offer a receipt printer on the network (raw port 9100)
//   velmora-tester --connect sim:charger --connect sim:charger-2
//                             watch these chargers from start-up, one bay each
//   velmora-tester --language en
//                             this run in English (id: Indonesian) whatever the option
//                             screen chose
#include <QCoreApplication>
#include <cstdio>

#include "link/NativeBluetooth.h"
#include "link/NetworkPrinterAddress.h"
#include "link/SimulatedDevices.h"
#include "platform/Version.h"
#include "shell/ErrorReportingApplication.h"
#include "shell/TVLForm.h"
#include "shell/WindowArguments.h"
#include "widgets/Language.h"

int main(int argc, char** argv) {
    if (velmora::printVersionIfAsked("velmora-tester", argc, argv)) return 0;  // no display
    velmora::WindowArguments arguments;
    {
        // Read before the window's application object, which needs a display: help and a
        // refused argument are answered without one.
        QCoreApplication reading(argc, argv);
        const velmora::CommandLineAnswer answer =
            velmora::readWindowArguments(QCoreApplication::arguments());
        std::fputs(answer.output.toLocal8Bit().constData(), stdout);
        std::fputs(answer.error.toLocal8Bit().constData(), stderr);
        if (!answer.run) return std::fflush(stdout) == 0 ? answer.exitStatus : 1;
        arguments = *answer.run;
    }
    velmora::ErrorReportingApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmora Tester"));
    QApplication::setApplicationVersion(QString::fromLatin1(velmora::versionText()));

    // Before any text of the window is made.
    const velmora::ui::Language language =
        arguments.language.value_or(velmora::ui::rememberedLanguage());
    if (!velmora::ui::applyLanguage(language))
        std::fprintf(stderr,
                     "velmora-tester: the translation cannot be read, texts stay Indonesian\n");

    velmora::SimulatorOptions simulator;
    simulator.speed = arguments.simulatorSpeed;
    if (arguments.simulatorAnswersWithState)
        simulator.startAnswer = velmora::ChargerModel::StartAnswer::State;
    auto platform = std::make_unique<velmora::DevicePlatform>(
        velmora::createNativeBluetooth(), arguments.demo, arguments.chargerAddresses, simulator);
    for (const QString& address : arguments.printerAddresses) platform->addNetworkPrinter(address);
    velmora::TVLForm window(std::move(platform));
    window.setChargersToWatch(arguments.connectAddresses);
    window.show();
    return app.exec();
}
