#include "shell/WindowArguments.h"

#include <QCommandLineParser>

#include "link/NetworkPrinterAddress.h"
#include "link/SocketTransport.h"

namespace velmora {

namespace {

constexpr int kMaxSimulatorSpeed = 100'000;
// Bluetooth Classic allows seven links per adapter.
constexpr int kMostWatchedChargers = 7;

// Options the application object takes for itself (QGuiApplication, QApplication, X11):
// read here only so that they are not refused, and passed on as they came.
struct QtOption {
    const char* name;
    bool valued;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"session", true},
    {"display", true},         {"geometry", true},
    {"style", true},           {"stylesheet", true},
    {"reverse", false},        {"widgetcount", false},
    {"nograb", false},         {"dograb", false},
    {"sync", false},           {"qmljsdebugger", true},
};

struct Options {
    QCommandLineOption demo{QStringLiteral("demo"),
                            QStringLiteral("Offer the simulated charger and printer.")};
    QCommandLineOption charger{QStringLiteral("charger-address"),
                               QStringLiteral("Also offer a charger on this socket address "
                                              "(tcp:HOST:PORT or unix:PATH)."),
                               QStringLiteral("address")};
    QCommandLineOption printer{
        QStringLiteral("printer-address"),
        QStringLiteral("Also offer a network receipt printer at this address (tcp:HOST:PORT)."),
        QStringLiteral("address")};
    QCommandLineOption connect{
        QStringLiteral("connect"),
        QStringLiteral("Watch this charger from start-up, one bay each (may be given several "
                       "times): an address as the device list shows it, e.g. sim:charger-2, "
                       "00:11:22:33:44:55 or tcp:127.0.0.1:5601."),
        QStringLiteral("address")};
    QCommandLineOption speed{QStringLiteral("sim-speed"),
                             QStringLiteral("Simulated seconds per second of the built-in "
                                            "charger (1 to %1).")
                                 .arg(kMaxSimulatorSpeed),
                             QStringLiteral("n"), QStringLiteral("20")};
    QCommandLineOption startAnswer{
        QStringLiteral("sim-start-answer"),
        QStringLiteral("How the built-in charger answers a start command during a charge: "
                       "standby (STANDBY, then its readings) or state (its readings only)."),
        QStringLiteral("standby|state"), QStringLiteral("standby")};
    QCommandLineOption language{QStringLiteral("language"),
                                QStringLiteral("The window's language for this run: id or en."),
                                QStringLiteral("id|en")};
    QCommandLineOption version{QStringLiteral("version"),
                               QStringLiteral("Print the version and exit.")};
};

void addQtOptions(QCommandLineParser& parser, bool shown) {
    for (const QtOption& qt : kQtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name),
                                  QStringLiteral("Qt's own option, for the application object."));
        if (qt.valued) option.setValueName(QStringLiteral("value"));
        if (!shown) option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

void prepare(QCommandLineParser& parser, const Options& options, bool showQtOptions) {
    parser.setApplicationDescription(QStringLiteral("Velmora Tester"));
    // Qt's options are single-dash words ("-platform offscreen").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addOptions({options.demo, options.charger, options.printer, options.connect,
                       options.speed, options.startAnswer, options.language, options.version});
    addQtOptions(parser, showQtOptions);
}

CommandLineAnswer refuse(const QString& what) {
    CommandLineAnswer answer;
    answer.error =
        QStringLiteral("velmora-tester: %1 (velmora-tester --help shows the usage)\n").arg(what);
    answer.exitStatus = 2;
    return answer;
}

}  // namespace

CommandLineAnswer readWindowArguments(const QStringList& arguments) {
    const Options options;
    QCommandLineParser parser;
    prepare(parser, options, false);
    if (!parser.parse(arguments)) return refuse(parser.errorText().simplified());
    if (parser.isSet(QStringLiteral("help-all"))) {
        QCommandLineParser all;
        prepare(all, options, true);
        all.parse(arguments);
        return {std::nullopt, all.helpText(), {}, 0};
    }
    if (parser.isSet(QStringLiteral("help"))) return {std::nullopt, parser.helpText(), {}, 0};
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("unexpected argument '%1'")
                          .arg(parser.positionalArguments().constFirst()));

    WindowArguments run;
    run.demo = parser.isSet(options.demo);
    for (const QString& address : parser.values(options.charger)) {
        if (!isSocketAddress(address.toStdString()))
            return refuse(
                QStringLiteral("--charger-address takes tcp:HOST:PORT or unix:PATH, not '%1'")
                    .arg(address));
        run.chargerAddresses.append(address);
    }
    for (const QString& typed : parser.values(options.printer)) {
        const std::optional<std::string> address = networkPrinterAddress(typed.toStdString());
        if (!address)
            return refuse(
                QStringLiteral("--printer-address takes tcp:HOST:PORT, not '%1'").arg(typed));
        run.printerAddresses.append(QString::fromStdString(*address));
    }
    for (const QString& address : parser.values(options.connect)) {
        if (address.trimmed().isEmpty() || address.trimmed() != address)
            return refuse(
                QStringLiteral("--connect takes a device address, not '%1'").arg(address));
        if (run.connectAddresses.contains(address))
            return refuse(QStringLiteral("--connect names %1 twice").arg(address));
        if (run.connectAddresses.size() >= kMostWatchedChargers)
            return refuse(
                QStringLiteral("--connect takes at most %1 chargers").arg(kMostWatchedChargers));
        run.connectAddresses.append(address);
        // A charger on a socket is listed like one given with --charger-address.
        if (isSocketAddress(address.toStdString()) && !run.chargerAddresses.contains(address))
            run.chargerAddresses.append(address);
    }
    bool whole = false;
    const int speed = parser.value(options.speed).toInt(&whole);
    if (!whole || speed < 1 || speed > kMaxSimulatorSpeed)
        return refuse(QStringLiteral("--sim-speed takes a whole number from 1 to %1")
                          .arg(kMaxSimulatorSpeed));
    run.simulatorSpeed = speed;
    const QString answer = parser.value(options.startAnswer);
    if (answer != QLatin1String("standby") && answer != QLatin1String("state"))
        return refuse(QStringLiteral("--sim-start-answer takes standby or state"));
    run.simulatorAnswersWithState = answer == QLatin1String("state");
    if (parser.isSet(options.language)) {
        run.language = ui::languageFromCode(parser.value(options.language));
        if (!run.language) return refuse(QStringLiteral("--language takes id or en"));
    }
    return {run, {}, {}, 0};
}

}  // namespace velmora
