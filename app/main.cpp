// Velmora Tester: the desktop companion of the Velmora charger and tester.
//   velmora-tester            paired Bluetooth devices; the simulated charger and printer
//                             are offered where no Bluetooth adapter exists
//   velmora-tester --demo     offer the simulated devices in any case
//   velmora-tester --charger-address tcp:127.0.0.1:5555
//                             also offer a charger reached over a socket (velmora-charger-sim)
//   velmora-tester --printer-address tcp:192.168.1.20:9100
//                             also offer a receipt printer on the network (raw port 9100)
//   velmora-tester --language en
//                             this run in English (id: Indonesian) whatever the option
//                             screen chose
#include <QCommandLineParser>
#include <cstdio>

#include "link/NativeBluetooth.h"
#include "link/NetworkPrinterAddress.h"
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
    QCommandLineOption printer(
        QStringLiteral("printer-address"),
        QStringLiteral("Also offer a network receipt printer at this address (tcp:HOST:PORT)."),
        QStringLiteral("address"));
    QCommandLineOption speed(
        QStringLiteral("sim-speed"),
        QStringLiteral("Simulated seconds per second of the built-in charger."),
        QStringLiteral("n"), QStringLiteral("20"));
    QCommandLineOption version(QStringLiteral("version"),
                               QStringLiteral("Print the version and exit."));  // answered above
    QCommandLineOption language(QStringLiteral("language"),
                                QStringLiteral("The window's language for this run: id or en."),
                                QStringLiteral("id|en"));
    parser.addOptions({demo, charger, printer, speed, language, version});
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
    auto platform = std::make_unique<velmora::DevicePlatform>(
        velmora::createNativeBluetooth(), parser.isSet(demo), parser.values(charger), simulator);
    for (const QString& typed : parser.values(printer)) {
        const std::optional<std::string> address =
            velmora::networkPrinterAddress(typed.toStdString());
        if (!address) {
            std::fprintf(stderr, "velmora-tester: --printer-address takes tcp:HOST:PORT, not %s\n",
                         qPrintable(typed));
            return 2;
        }
        platform->addNetworkPrinter(QString::fromStdString(*address));
    }
    velmora::TVLForm window(std::move(platform));
    window.show();
    return app.exec();
}
