// Takes a picture of every screen and dialog of the window, with a charge in progress
// on the dashboard, into a folder:
//   velmora-screenshots [--language id|en] OUTPUT_DIR [SCREEN_WIDTH]
// In English each picture's name ends in "_en" (dashboard_en.png).
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "bench/Bench.h"
#include "catalogue/Dataaki.h"
#include "catalogue/DiagnosticScreen.h"
#include "journal/HistoryBrowser.h"
#include "journal/Journal.h"
#include "journal/JournalRecorder.h"
#include "journal/WallTime.h"
#include "link/ChargerLink.h"
#include "link/Commands.h"
#include "link/LinkController.h"
#include "link/SimulatedDevices.h"
#include "logger/DataLogger.h"
#include "logger/LogFile.h"
#include "printing/CertificateCheckDialog.h"
#include "printing/CertificateControls.h"
#include "printing/JobDetailsDialog.h"
#include "printing/VirtualPrinter.h"
#include "printing/WarrantyCertificates.h"
#include "shell/TVLForm.h"
#include "shell/UserGuide.h"
#include "simulator/ModelFeed.h"
#include "widgets/Language.h"
#include "widgets/SlideInDialog.h"

namespace {

// Ends every picture's name: "" in Indonesian, "_en" in English.
QString g_nameEnding;

// A charge in its second stage, as the dashboard pictures show it.
void chargeInProgress(velmora::ChargerState& s) {
    s.stageNumber = 2;
    s.chargeVoltage = 13.47;
    s.chargeCurrent = 3.2;
    s.elapsedSeconds = 3725;
    s.chargeProgress = 57;
    s.beforeResultTag = "1";
    s.before.cca = 410;
    s.before.resistance = 4.5;
    s.before.diagVoltage = 11.02;
    s.before.voltage = 12.71;
    // Yuasa, MF (the longest variety title), YTX16-BS
    s.profileBrandIndex = 1;
    s.profileVarietyIndex = 1;
    s.profileTypeIndex = 12;
    s.profileMode = "1";
    s.profileReceived = true;
}

// Lets animations run to their end before the picture is taken.
void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void shoot(velmora::TVLForm& window, const QDir& dir, const QString& name) {
    settle(700);
    window.grab().save(dir.filePath(name + g_nameEnding + QStringLiteral(".png")));
}

// The screen where the window and the dialogs of its own (file dialogs) are shown.
void shootScreen(velmora::TVLForm& window, const QDir& dir, const QString& name) {
    settle(700);
    QScreen* screen = window.screen();
    const QRect frame = window.frameGeometry();
    QRect area = frame;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top != &window) area |= top->frameGeometry();
    screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .save(dir.filePath(name + g_nameEnding + QStringLiteral(".png")));
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

// The keyboard's ring: Tab to the connection button on the dashboard, then its dialog
// opened by the keyboard, which takes the keyboard to its device list. A click after
// gives the window back its look for the mouse.
void shootKeyboard(velmora::TVLForm& window, const QDir& dir) {
    // Keys go to the active window only.
    window.activateWindow();
    QElapsedTimer waited;
    waited.start();
    while (QGuiApplication::focusWindow() != window.windowHandle() && waited.elapsed() < 5000)
        settle(20);
    auto* view = window.findChild<QGraphicsView*>(QStringLiteral("ContentView"));
    const auto tab = [view] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(view, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(view, &release);
    };
    auto* connection = window.control<QAbstractButton>(QStringLiteral("BTConnection"));
    for (int i = 0; i < 20 && window.content()->focusWidget() != connection; ++i) tab();
    shoot(window, dir, QStringLiteral("keyboard_dashboard"));
    connection->click();  // as Space or Enter press it
    shoot(window, dir, QStringLiteral("keyboard_dialog"));
    window.RectLayoutBTClick();
    const QPointF corner(2, 2);
    QMouseEvent click(QEvent::MouseButtonPress, corner, view->viewport()->mapToGlobal(corner),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &click);
    QMouseEvent release(QEvent::MouseButtonRelease, corner, view->viewport()->mapToGlobal(corner),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &release);
}

// Picks an entry of a selection box by its text, as the user would.
void pick(velmora::TVLForm& window, const char* box, const char* entry) {
    auto* combo = window.control<QComboBox>(QString::fromLatin1(box));
    int index = combo->findText(QString::fromLatin1(entry));
    // The simulated devices are named in the window's language.
    if (index < 0)
        index = combo->findText(velmora::DevicePlatform::shownName(QString::fromUtf8(entry)));
    combo->setCurrentIndex(index);
}

// The diagnostic screen: a whole charge's results, the custom options, a test-only
// result and the add dialog.
void shootDiagnostic(velmora::TVLForm& window, const QDir& dir) {
    window.state().modify([](velmora::ChargerState& s) {
        s.beforeResultTag = "1";
        s.before.cca = 410;
        s.before.resistance = 4.5;
        s.before.diagVoltage = 11.02;
        s.before.voltage = 12.71;
        s.afterResultTag = "5";
        s.after.cca = 455;
        s.after.resistance = 3.8;
        s.after.diagVoltage = 11.64;
        s.after.voltage = 13.12;
        s.after.status = "GOOD";
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
        s.test.cca = 285;
        s.test.resistance = 7.25;
        s.test.diagVoltage = 10.86;
        s.test.voltage = 12.38;
        s.test.status = "WEAK";
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

// A receipt with its warranty certificate: the job details asked first, the paper of the
// simulated printer, and "Periksa Sertifikat" reading that paper (valid), then the same
// text with the technician changed.
void shootCertificate(velmora::TVLForm& window, const QDir& dir) {
    velmora::WarrantyCertificates& warranty = window.certificates().warranty();
    warranty.setEnabled(true);
    QImage paper;
    const auto printed =
        QObject::connect(window.virtualPrinter(), &velmora::VirtualPrinter::receiptPrinted,
                         [&paper](const QImage& image) { paper = image; });
    window.BT1Dashboard2Click();
    window.BTPrintClick();
    velmora::JobDetailsDialog* job = window.certificates().jobDialog();
    job->EditBatteryId->setText(QStringLiteral("YTZ5S-2411-0457"));
    job->EditTechnician->setText(QStringLiteral("Budi"));
    job->EditJob->setText(QStringLiteral("INV/2026/118"));
    job->ComboInVehicle->setCurrentIndex(1);
    shoot(window, dir, QStringLiteral("dialog_job"));
    job->RJobNext->click();
    pick(window, "ComboDevice", "Printer Simulasi");
    window.BTConnectClick();
    QElapsedTimer waited;
    waited.start();
    while (paper.isNull() && waited.elapsed() < 20000) settle(50);
    QObject::disconnect(printed);
    const QString paperPath = dir.filePath(QStringLiteral("receipt_certificate.png"));
    paper.save(paperPath);
    window.control<QAbstractButton>(QStringLiteral("RStrukClose"))->click();

    window.BT4OptionClick();
    window.certificates().openCheck();
    velmora::CertificateCheckDialog* check = window.certificates().checkDialog();
    check->checkPicture(paperPath);
    shoot(window, dir, QStringLiteral("dialog_check_valid"));
    check->MemoCertificate->setPlainText(check->MemoCertificate->toPlainText().replace(
        QStringLiteral("technician=Budi"), QStringLiteral("technician=Andi")));
    check->check();
    shoot(window, dir, QStringLiteral("dialog_check_changed"));
    check->RCheckClose->click();
    warranty.setEnabled(false);
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
        s.before.cca = k.beforeCca;
        s.before.resistance = k.beforeResistance;
        s.before.voltage = 12.71;
        s.before.diagVoltage = 11.02;
        s.after.cca = k.afterCca;
        s.after.resistance = k.afterResistance;
        s.after.voltage = k.afterCca ? 13.12 : 0;
        s.after.diagVoltage = k.afterCca ? 11.64 : 0;
        s.after.status = k.status;
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

// Charges and tests of the last days, kept in the journal as the window keeps them: the
// simulated charger runs second by second and every second becomes a point.
void keepSessions(const QString& documents) {
    struct Kept {
        int day, hour, minute;  // December 2026, Jakarta time
        int brand, variety, type;
        bool fast, testOnly;
        int chargeSeconds;              // of constant current; the rest follows in proportion
        const char* stop;               // how the session ended
        int gapAt = 0, gapSeconds = 0;  // the link lost for a while, then found again
    } kept[] = {
        {7, 8, 12, 2, 1, 3, false, false, 1500, "finished"},
        {7, 10, 41, 1, 0, 11, false, true, 0, "finished"},
        {8, 9, 5, 0, 0, 3, true, false, 900, "forceStop"},
        {8, 13, 30, 1, 1, 2, false, false, 2100, "finished", 1400, 300},
        {9, 11, 2, 3, 0, 1, false, false, 600, "linkLost"},
        {9, 15, 47, 1, 1, 12, false, true, 0, "finished"},
        {10, 8, 55, 2, 0, 5, true, false, 1200, "finished"},
        {10, 14, 20, 1, 1, 12, false, false, 2400, "finished"},
    };
    const velmora::Dataaki catalogue;
    auto journal = velmora::journal::Journal::open(velmora::journalPathIn(documents).toStdString());
    unsigned seed = 1;
    for (const Kept& k : kept) {
        velmora::ChargerModel charger(seed++);
        velmora::ChargerModel::Durations durations;
        durations.constantCurrent = k.chargeSeconds;
        durations.constantVoltage1 = k.chargeSeconds / 2;
        durations.constantVoltage2 = k.chargeSeconds / 3;
        charger.setDurations(durations);
        charger.setTestOnly(k.testOnly);
        velmora::LiveChargerState state;
        velmora::ModelFeed feed(charger, state);
        feed.command(velmora::commands::kStart);
        feed.command("#2|" + std::to_string(k.brand) + "|" + std::to_string(k.variety) + "|" +
                     std::to_string(k.type) + "|" + (k.fast ? "2" : "1") + "*");

        velmora::journal::SessionStart start;
        start.kind = k.testOnly ? velmora::journal::SessionKind::Test
                                : velmora::journal::SessionKind::Charge;
        start.utcOffsetMinutes = 420;
        start.startMs =
            (velmora::journal::parseLocalDate("2026-12-" + std::string(k.day < 10 ? "0" : "") +
                                              std::to_string(k.day))
                 .value_or(0) +
             (k.hour * 60 + k.minute) * 60'000) -
            420 * 60'000;
        start.deviceName =  // as the window recorded it, in its language
            velmora::DevicePlatform::shownName(velmora::DevicePlatform::kSimulatedCharger)
                .toStdString();
        velmora::journal::Profile& p = start.profile;
        p.brandIndex = k.brand;
        p.varietyIndex = k.variety;
        p.typeIndex = k.type;
        p.mode = k.fast ? "2" : "1";
        p.modeText = k.fast ? "Fast Mode" : "Normal Mode";
        p.brand = catalogue.brands().at(static_cast<size_t>(k.brand));
        p.variety = catalogue.brandVarieties(k.brand).at(static_cast<size_t>(k.variety));
        const int list = catalogue.typeList(k.brand, k.variety).value_or(0);
        p.type = catalogue.typeRow(list, k.type).value_or(velmora::TypeRow{}).name;
        p.capacity = catalogue.capacityText(list, k.type, ",");
        const int64_t id = journal->beginSession(start);

        velmora::journal::SessionUpdate update;
        const int seconds = k.testOnly ? 20 : k.chargeSeconds * 2 + 60;
        const int limit = std::string(k.stop) == "finished" ? 100000 : seconds * 2 / 3;
        int64_t offsetSeconds = 0;
        for (int second = 1; second <= limit && !(charger.finished() && k.testOnly); ++second) {
            feed.tick();
            ++offsetSeconds;
            if (second == k.gapAt)  // the charger charges on, unseen
                for (int unseen = 0; unseen < k.gapSeconds; ++unseen, ++offsetSeconds) feed.tick();
            const velmora::Measurement m = state.measurement();
            update.points.push_back(
                {offsetSeconds * 1000, m.chargeVoltage, m.chargeCurrent, m.stageNumber});
            const velmora::ChargerState s = state.snapshot();
            if (k.testOnly ? s.testResultTag == "0" : charger.finished() && s.afterResultTag == "5")
                break;
        }
        const velmora::ChargerState s = state.snapshot();
        if (s.before.cca) update.results.before = s.before;
        if (!s.afterResultTag.empty()) update.results.after = s.after;
        if (!s.testResultTag.empty()) update.results.test = s.test;
        update.endMs = start.startMs + update.points.back().offsetMs + 1000;
        update.stopReason = velmora::journal::stopReasonFromName(k.stop);
        journal->write(id, update);
    }
}

// The charge history: the list, and the latest charge opened with its charts.
void shootHistory(velmora::TVLForm& window, const QDir& dir) {
    window.BT4OptionClick();
    window.RRiwayatClick();
    shoot(window, dir, QStringLiteral("history_list"));
    auto* list = window.control<QTableView>(QStringLiteral("ListRiwayat"));
    list->selectRow(4);  // 8 December, 13:30: the link was lost for five minutes
    window.history().showSelected();
    shoot(window, dir, QStringLiteral("history_gap"));
    window.history().showList();
    list->selectRow(0);
    window.history().showSelected();
    shoot(window, dir, QStringLiteral("history_session"));
    // "Ekspor CSV" asks where to save in a window of its own over the application's.
    QTimer::singleShot(0, &window, [&window, &dir] {
        shootScreen(window, dir, QStringLiteral("history_save_file"));
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    window.control<QAbstractButton>(QStringLiteral("RSesiCsv"))->click();
    window.control<QAbstractButton>(QStringLiteral("RSesiHapus"))->click();
    shoot(window, dir, QStringLiteral("history_delete"));
    window.control<QAbstractButton>(QStringLiteral("RHapusTidak"))->click();

    // Its receipt on the simulated printer, chosen in the connection dialog.
    bool printed = false;
    const QMetaObject::Connection watch =
        QObject::connect(window.virtualPrinter(), &velmora::VirtualPrinter::receiptPrinted,
                         [&printed] { printed = true; });
    window.control<QAbstractButton>(QStringLiteral("RSesiCetak"))->click();
    pick(window, "ComboDevice", "Printer Simulasi");
    window.BTConnectClick();
    QElapsedTimer waited;
    waited.start();
    while (!printed && waited.elapsed() < 20000) settle(50);
    QObject::disconnect(watch);
    shoot(window, dir, QStringLiteral("history_receipt"));
    window.control<QAbstractButton>(QStringLiteral("RStrukClose"))->click();
}

// The chart screen after a whole simulated charge, in a window of its own: one refresh
// tick per simulated second, from the start command to the floating stage, so the charts
// hold the live points of stages 2 to 4 and then the charger's history.
void shootChart(const QDir& dir, int screenWidth, const QString& documents) {
    velmora::TVLForm window(std::make_unique<velmora::DevicePlatform>(nullptr, true), screenWidth);
    window.setMessageSink([](const QString&) {});
    window.setDocumentsFolder(documents);
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

// The dashboard after the charger's link dropped mid-charge: the figures dimmed as old,
// the panel that says so and reconnects the same charger.
void shootLostLink(const QDir& dir, int screenWidth) {
    velmora::SimulatorOptions simulator;
    simulator.tickMs = 20;
    simulator.speed = 30;
    simulator.dropAfterTicks = 30;  // into the first charging stage
    velmora::TVLForm window(
        std::make_unique<velmora::DevicePlatform>(nullptr, true, QStringList{}, simulator),
        screenWidth);
    window.setMessageSink([](const QString&) {});
    QTemporaryDir documents;  // its short session stays out of the history pictures
    window.setDocumentsFolder(documents.path());
    // The first automatic attempt is a minute away: the picture shows it waiting.
    window.linkControl().setReconnectSchedule({{60000}, 60000, 600000});
    window.show();
    window.BTConnectionClick();
    pick(window, "ComboDevice", "Charger Simulasi");
    window.BTConnectClick();
    auto* panel = window.control<QWidget>(QStringLiteral("PanelLinkLost"));
    QElapsedTimer waited;
    waited.start();
    while (!panel->isVisible() && waited.elapsed() < 20000) {
        settle(50);
        window.TimerloopTimer();
    }
    shoot(window, dir, QStringLiteral("dashboard_link_lost"));
}

// A bench of six chargers in several states: finished, a worn battery, a test result,
// charging, reconnecting and lost; then the dashboard showing one of them.
void shootBench(const QDir& dir, int screenWidth) {
    velmora::SimulatorOptions simulator;
    simulator.tickMs = 20;
    simulator.speed = 1;
    simulator.durations.diagnosis = 6;
    simulator.durations.constantCurrent = 150;
    simulator.durations.constantVoltage1 = 60;
    simulator.durations.constantVoltage2 = 40;
    velmora::TVLForm window(
        std::make_unique<velmora::DevicePlatform>(nullptr, true, QStringList{}, simulator),
        screenWidth);
    window.setMessageSink([](const QString&) {});
    QTemporaryDir documents;  // its sessions stay out of the history pictures
    window.setDocumentsFolder(documents.path());
    window.show();
    velmora::Bench& bench = window.bench();
    const auto tickUntil = [&](const std::function<bool()>& done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < 60000) {
            settle(40);
            window.TimerloopTimer();
        }
    };
    const auto outcome = [&](int bay) { return bench.bay(bay).view().outcome; };
    const auto add = [&](const char* address) {
        bench.add(QString::fromLatin1(address));
        // Every receive loop keeps the simulated chargers' pace, so each card gets its curve.
        for (int i = 0; i < bench.count(); ++i) bench.bay(i).link().setReaderTiming({20, 5});
    };
    add("sim:charger-2");
    add("sim:charger-3");  // its battery is worn
    tickUntil([&] {
        return outcome(0) != velmora::BayView::Outcome::None &&
               outcome(1) != velmora::BayView::Outcome::None;
    });
    add("sim:charger-test");
    tickUntil([&] { return outcome(2) != velmora::BayView::Outcome::None; });
    for (const char* address : {"sim:charger", "sim:charger-4", "sim:charger-5"}) add(address);
    tickUntil([&] {
        for (int i = 3; i < 6; ++i)
            if (bench.bay(i).view().stage < 2) return false;
        return true;
    });
    // Two chargers go out of reach: one is being tried again, one was given up.
    for (int i : {4, 5}) {
        bench.bay(i).control().setReconnectSchedule({{60000}, 60000, 600000});
        bench.bay(i).link().linkSocket()->release();
    }
    tickUntil([&] {
        return bench.bay(4).control().reconnecting() && bench.bay(5).control().reconnecting();
    });
    bench.bay(5).control().stopReconnecting();
    for (int i = 0; i < 3; ++i) {
        settle(40);
        window.TimerloopTimer();
    }
    bench.setLabel(1, QStringLiteral("Rak 2 Aki Motor"));
    window.BT5BenchClick();
    shoot(window, dir, QStringLiteral("bench"));
    bench.select(3);
    window.TimerloopTimer();
    window.BT1Dashboard2Click();
    shoot(window, dir, QStringLiteral("dashboard_bay"));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    velmora::ui::Language language = velmora::ui::Language::Indonesian;
    if (const int at = args.indexOf(QStringLiteral("--language")); at >= 0) {
        const auto chosen = velmora::ui::languageFromCode(args.value(at + 1));
        if (!chosen) {
            qWarning("--language takes id or en");
            return 2;
        }
        language = *chosen;
        args.remove(at, 2);
    }
    if (args.isEmpty()) {
        qWarning("usage: velmora-screenshots [--language id|en] OUTPUT_DIR [SCREEN_WIDTH]");
        return 2;
    }
    velmora::ui::applyLanguage(language);
    if (language != velmora::ui::Language::Indonesian)
        g_nameEnding = QLatin1Char('_') + velmora::ui::languageCode(language);
    // Remembered devices go to a store of this run, never the user's own.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QDir dir(args.at(0));
    dir.mkpath(QStringLiteral("."));
    const int screenWidth = args.size() > 1 ? args.at(1).toInt() : 1366;

    auto platform = std::make_unique<velmora::DevicePlatform>(nullptr, true);
    velmora::TVLForm window(std::move(platform), screenWidth);
    window.setMessageSink([](const QString&) {});
    // Pictures never touch the real Documents folder.
    QTemporaryDir documents;
    window.setDocumentsFolder(documents.path());
    QTemporaryDir keys;  // nor the user's own dealer key
    window.certificates().warranty().keys().setFolder(keys.path());
    keepLogs(documents.path());
    keepSessions(documents.path());
    window.show();
    settle(300);
    shoot(window, dir, QStringLiteral("dashboard_idle"));  // before anything is connected
    window.state().modify([](velmora::ChargerState& s) { s.batteryStatus = "Baterai_Detected"; });
    window.TimerloopTimer();
    shoot(window, dir, QStringLiteral("dashboard_detected"));

    window.state().modify(chargeInProgress);
    window.TimerloopTimer();
    shoot(window, dir, QStringLiteral("dashboard"));
    window.BT2DiagnosticClick();
    shoot(window, dir, QStringLiteral("diagnostic"));
    shootChart(dir, screenWidth, documents.path());
    shootLostLink(dir, screenWidth);
    shootBench(dir, screenWidth);
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
    shootHistory(window, dir);
    window.BT1Dashboard2Click();
    QKeyEvent back(QEvent::KeyRelease, Qt::Key_Back, Qt::NoModifier);
    QApplication::sendEvent(&window, &back);
    shoot(window, dir, QStringLiteral("message_exit"));
    window.control<QAbstractButton>(QStringLiteral("ExitDialogCancel"))->click();
    window.R2UseClick();
    shoot(window, dir, QStringLiteral("intro_guide"));
    // Its last page ends it: "Selesai" where the others say "Lewati".
    window.findChild<velmora::UserGuide*>(QStringLiteral("UserGuide"))
        ->slideTo(velmora::UserGuide::kPages - 1);
    shoot(window, dir, QStringLiteral("intro_guide_done"));
    window.BTSkipClick();
    settle(1500);  // the guide fades out in a second, then lists the devices afresh
    window.BT4OptionClick();
    shootInformation(window, dir);
    shootCertificate(window, dir);
    // Last: it makes the window active, which the pictures before were taken without.
    window.BT1Dashboard2Click();
    window.state().modify(chargeInProgress);
    window.TimerloopTimer();
    shootKeyboard(window, dir);
    return 0;
}
