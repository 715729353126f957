// Takes a picture of every screen and dialog of the window, with a charge in progress
// on the dashboard, into a folder: velmora-screenshots OUTPUT_DIR [SCREEN_WIDTH]
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "catalogue/DiagnosticScreen.h"
#include "link/Commands.h"
#include "link/SimulatedDevices.h"
#include "logger/DataLogger.h"
#include "logger/LogFile.h"
#include "printing/VirtualPrinter.h"
#include "shell/TVLForm.h"
#include "shell/UserGuide.h"
#include "simulator/ModelFeed.h"
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

// A message of the window, pictured while it waits for its answer, then answered OK.
void shootMessage(velmora::TVLForm& window, const QDir& dir, const QString& name,
                  const std::function<void()>& cause) {
    window.setMessageSink(nullptr);
    QTimer::singleShot(0, &window, [&window, &dir, name] {
        shoot(window, dir, name);
        window.control<QAbstractButton>(QStringLiteral("LayoutMessageOK"))->click();
    });
    cause();
    window.setMessageSink([](const QString&) {});
}

// Picks an entry of a selection box by its text, as the user would.
void pick(velmora::TVLForm& window, const char* box, const char* entry) {
    auto* combo = window.control<QComboBox>(QString::fromLatin1(box));
    combo->setCurrentIndex(combo->findText(QString::fromLatin1(entry)));
}

// The diagnostic screen: a whole charge's results, the custom options, a test-only
// result and the add dialog.
void shootDiagnostic(velmora::TVLForm& window, const QDir& dir) {
    window.state().modify([](velmora::ChargerState& s) {
        s.beforeResultTag = "1";
        s.beforeCca = 410;
        s.beforeResistance = 4.5;
        s.beforeDiagVoltage = 11.02;
        s.beforeVoltage = 12.71;
        s.afterResultTag = "5";
        s.afterCca = 455;
        s.afterResistance = 3.8;
        s.afterDiagVoltage = 11.64;
        s.afterVoltage = 13.12;
        s.afterStatus = "GOOD";
        s.optionSlots[0] = {"OTHER 1", "MF", "Other", 5, 1, 90};
        s.optionSlots[2] = {"OTHER 3", "Gel", "Other", 4.5, 2, 150};
    });
    window.BT2DiagnosticClick();
    pick(window, "ComboMerk", "GSAstra");
    pick(window, "ComboJenis", "MF");
    pick(window, "ComboTipe", "GM5Z-3B");
    window.accudiagnostic();
    shoot(window, dir, QStringLiteral("diagnostic_results"));

    pick(window, "ComboMerk", "Other");
    pick(window, "ComboIndeks", "OTHER 3");
    shoot(window, dir, QStringLiteral("diagnostic_options"));

    window.BTTambahClick();
    pick(window, "ComboIndeksT", "OTHER 2");
    pick(window, "ComboJenisT", "Lithium");
    window.control<QDoubleSpinBox>(QStringLiteral("SpinKapasitasT"))->setValue(6.5);
    window.control<QSpinBox>(QStringLiteral("SpinArusCCT"))->setValue(2);
    shoot(window, dir, QStringLiteral("dialog_tambah"));
    window.control<QComboBox>(QStringLiteral("ComboIndeksT"))->setCurrentIndex(-1);
    shootMessage(window, dir, QStringLiteral("message"), [&window] { window.RTambahYesClick(); });
    window.RTambahNoClick();

    window.state().modify([](velmora::ChargerState& s) {
        s.testResultTag = "0";
        s.testCca = 285;
        s.testResistance = 7.25;
        s.testDiagVoltage = 10.86;
        s.testVoltage = 12.38;
        s.testStatus = "WEAK";
    });
    pick(window, "ComboMerk", "Yuasa");
    pick(window, "ComboJenis", "Konvensional");
    pick(window, "ComboTipe", "YB9-B");
    window.accudiagnostic();
    shoot(window, dir, QStringLiteral("diagnostic_test_result"));

    // The longest type list, opened with a late type selected.
    pick(window, "ComboTipe", "12N10-3B");
    auto* types = window.control<QComboBox>(QStringLiteral("ComboTipe"));
    types->showPopup();
    shoot(window, dir, QStringLiteral("diagnostic_type_list"));
    types->hidePopup();
}

// The dealer information dialog, filled in.
void shootInformation(velmora::TVLForm& window, const QDir& dir) {
    window.R1UseClick();
    const std::pair<const char*, const char*> texts[] = {{"EditStore", "Bengkel Aki Jaya"},
                                                         {"EditAddress", "Jl. Merdeka No. 10"},
                                                         {"EditCity", "Bandung"},
                                                         {"EditPhone", "0812 3456 789"}};
    for (const auto& [name, text] : texts)
        window.control<QLineEdit>(QString::fromLatin1(name))->setText(QString::fromLatin1(text));
    pick(window, "ComboShowPrinter", "Printer Simulasi");
    shoot(window, dir, QStringLiteral("dialog_information"));
    window.RCancelInformationClick();
}

// The receipt of a whole charge, printed on the simulated printer: the preview and the
// paper itself.
void shootReceipt(velmora::TVLForm& window, const QDir& dir) {
    QTemporaryDir home;  // the printer saves into a stand-in Documents folder
    window.virtualPrinter()->setFolder(
        home.filePath(QStringLiteral("Documents/Velmora Tester/Struk")));
    QImage paper;
    QObject::connect(window.virtualPrinter(), &velmora::VirtualPrinter::receiptPrinted,
                     [&paper](const QImage& image) { paper = image; });
    window.BT2DiagnosticClick();
    pick(window, "ComboMerk", "Yuasa");
    pick(window, "ComboJenis", "MF");
    pick(window, "ComboTipe", "YTZ5S");
    window.control<QLineEdit>(QStringLiteral("Edit1"))->setText(QStringLiteral("Pak Budi - Vario"));
    window.BT1Dashboard2Click();
    window.BTPrintClick();
    pick(window, "ComboDevice", "Printer Simulasi");
    window.BTConnectClick();
    QElapsedTimer waited;
    waited.start();
    while (paper.isNull() && waited.elapsed() < 20000) settle(50);
    shoot(window, dir, QStringLiteral("dialog_receipt"));
    paper.save(dir.filePath(QStringLiteral("receipt_charge.png")));
}

// A few results a workshop has kept, written as the save button writes them.
void keepLogs(const QString& documents) {
    struct Kept {
        const char* name;
        int brand, variety, type, beforeCca;
        double beforeResistance;
        int afterCca;
        double afterResistance;
        const char* status;
    } kept[] = {
        {"Andi - GSAstra GM5Z-3B", 2, 1, 3, 95, 9.8, 118, 7.9, "GOOD"},
        {"Bengkel Jaya 14-05", 1, 0, 11, 120, 12.4, 0, 0, ""},
        {"Budi - Yuasa YTZ5S", 1, 1, 2, 410, 4.5, 455, 3.8, "GOOD"},
        {"Sari - Zentor ZRM7A 4B", 0, 0, 3, 150, 8.25, 171, 6.6, "RECHARGE"},
    };
    const velmora::LogFolder folder(documents);
    for (const Kept& k : kept) {
        velmora::ChargerState s;
        s.profileBrandIndex = k.brand;
        s.profileVarietyIndex = k.variety;
        s.profileTypeIndex = k.type;
        s.profileMode = "1";
        s.beforeCca = k.beforeCca;
        s.beforeResistance = k.beforeResistance;
        s.beforeVoltage = 12.71;
        s.beforeDiagVoltage = 11.02;
        s.afterCca = k.afterCca;
        s.afterResistance = k.afterResistance;
        s.afterVoltage = k.afterCca ? 13.12 : 0;
        s.afterDiagVoltage = k.afterCca ? 11.64 : 0;
        s.afterStatus = k.status;
        folder.write(QString::fromUtf8(k.name) + QStringLiteral(".log"),
                     QByteArray::fromStdString(velmora::encodeLogFile(s)));
    }
}

// The save dialog, and a kept result picked in the option screen's list and loaded back.
void shootLogger(velmora::TVLForm& window, const QDir& dir) {
    window.BTSaveClick();
    window.control<QLineEdit>(QStringLiteral("Edit2"))
        ->setText(QStringLiteral("Budi - Yuasa YTZ5S"));
    shoot(window, dir, QStringLiteral("dialog_save"));
    window.RCancelSaveClick();

    window.BT4OptionClick();
    auto* list = window.control<QListWidget>(QStringLiteral("ListBox1"));
    list->setCurrentItem(
        list->findItems(QStringLiteral("Budi - Yuasa YTZ5S.log"), Qt::MatchExactly).value(0));
    window.BTLoadClick();
    window.BT2DiagnosticClick();
    shoot(window, dir, QStringLiteral("diagnostic_loaded"));
}

// The chart screen after a whole simulated charge, in a window of its own: one refresh
// tick per simulated second, from the start command to the floating stage, so the charts
// hold the live points of stages 2 to 4 and then the charger's history.
void shootChart(const QDir& dir, int screenWidth) {
    velmora::TVLForm window(std::make_unique<velmora::DevicePlatform>(nullptr, true), screenWidth);
    window.setMessageSink([](const QString&) {});
    window.show();
    velmora::ChargerModel charger(4);
    velmora::ModelFeed feed(charger, window.state(), window.numberFormat());
    feed.command(velmora::commands::kStart);
    for (int floating = 0; floating < 60;) {  // until a minute into the floating stage
        feed.tick();
        window.TimerloopTimer();
        if (charger.finished()) ++floating;
    }
    window.BT3ChartClick();
    shoot(window, dir, QStringLiteral("chart"));
    shootReceipt(window, dir);
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
    // Pictures never touch the real Documents folder.
    QTemporaryDir documents;
    window.logger().setDocumentsFolder(documents.path());
    keepLogs(documents.path());
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
        // Yuasa, MF (the longest variety title), YTX16-BS
        s.profileBrandIndex = 1;
        s.profileVarietyIndex = 1;
        s.profileTypeIndex = 12;
        s.profileMode = "1";
        s.profileReceived = true;
    });
    window.TimerloopTimer();
    shoot(window, dir, QStringLiteral("dashboard"));
    window.BT2DiagnosticClick();
    shoot(window, dir, QStringLiteral("diagnostic"));
    shootChart(dir, screenWidth);
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
    shootDiagnostic(window, dir);
    shootLogger(window, dir);
    window.BT1Dashboard2Click();
    QKeyEvent back(QEvent::KeyRelease, Qt::Key_Back, Qt::NoModifier);
    QApplication::sendEvent(&window, &back);
    shoot(window, dir, QStringLiteral("message_exit"));
    window.control<QAbstractButton>(QStringLiteral("ExitDialogCancel"))->click();
    window.R2UseClick();
    shoot(window, dir, QStringLiteral("intro_guide"));
    window.BTSkipClick();
    settle(1500);  // the guide fades out in a second, then lists the devices afresh
    window.BT4OptionClick();
    shootInformation(window, dir);
    return 0;
}
