#include "shell/HandlerWiring.h"

#include <QComboBox>
#include <QRadioButton>
#include <QShortcut>
#include <QSlider>

#include "catalogue/DiagnosticScreen.h"
#include "catalogue/ProfileSelector.h"
#include "catalogue/TambahDialog.h"
#include "link/ConnectionDialog.h"
#include "link/LinkController.h"
#include "logger/SaveDialog.h"
#include "monitor/DashboardScreen.h"
#include "printing/CertificateControls.h"
#include "printing/InformationDialog.h"
#include "shell/Dialogs.h"
#include "shell/OptionScreen.h"
#include "shell/ScaledView.h"
#include "shell/TVLForm.h"
#include "shell/TopBar.h"
#include "shell/UserGuide.h"
#include "shell/WindowContent.h"
#include "widgets/KeyboardFocus.h"
#include "widgets/SlideInDialog.h"

namespace velmora {

namespace {
using Handler = void (TVLForm::*)();

void click(TVLForm& window, QAbstractButton* button, Handler handler) {
    QObject::connect(button, &QAbstractButton::clicked, &window,
                     [&window, handler] { (window.*handler)(); });
}

void wireNavigation(TVLForm& w, WindowContent& ui) {
    click(w, ui.topBar->BT1Dashboard, &TVLForm::BT1Dashboard2Click);
    click(w, ui.topBar->BT2Diagnostic, &TVLForm::BT2DiagnosticClick);
    click(w, ui.topBar->BT3Chart, &TVLForm::BT3ChartClick);
    click(w, ui.topBar->BT4Option, &TVLForm::BT4OptionClick);
    click(w, ui.topBar->BT5Bench, &TVLForm::BT5BenchClick);
    click(w, ui.option->R1Use, &TVLForm::R1UseClick);
    click(w, ui.option->R2Use, &TVLForm::R2UseClick);
    click(w, ui.option->R3Use, &TVLForm::R3UseClick);
    click(w, ui.guide->BackGuide, &TVLForm::BackGuideClick);
    QObject::connect(ui.guide->TrackBar1, &QSlider::valueChanged, &w, &TVLForm::TrackBar1Change);
    click(w, ui.userGuide->bLeft, &TVLForm::bLeftClick);
    click(w, ui.userGuide->bRight, &TVLForm::bRightClick);
    click(w, ui.userGuide->BTSkip, &TVLForm::BTSkipClick);
    QObject::connect(ui.userGuide->FloatAnimation1, &QAbstractAnimation::finished, &w,
                     &TVLForm::FloatAnimation1Finish);
    QObject::connect(w.Timerloop(), &QTimer::timeout, &w, &TVLForm::TimerloopTimer);
}

void wireLinkAndQuestions(TVLForm& w, WindowContent& ui) {
    click(w, ui.dashboard->BTConnection, &TVLForm::BTConnectionClick);
    click(w, ui.dashboard->BTPrint, &TVLForm::BTPrintClick);
    click(w, ui.dashboard->BTForceStop, &TVLForm::BTForceStopClick);
    click(w, ui.connection->BTConnect, &TVLForm::BTConnectClick);
    click(w, ui.connection->BTReport, &TVLForm::BTReportClick);
    QObject::connect(ui.connection, &ui::SlideInDialog::backdropClicked, &w,
                     &TVLForm::RectLayoutBTClick);
    QObject::connect(ui.connection->ComboDevice, &DeviceComboBox::aboutToShowPopup, &w,
                     &TVLForm::ComboDeviceClick);
    click(w, ui.forceStop->RForceYes, &TVLForm::RForceYesClick);
    click(w, ui.forceStop->RForceNo, &TVLForm::RForceNoClick);
    click(w, ui.questionSave->RYES, &TVLForm::RYESClick);
    click(w, ui.questionSave->RNO, &TVLForm::RNOClick);
}

void wireDiagnostic(TVLForm& w, DiagnosticScreen* d) {
    // A change made from code runs the handler as a pick does; emptying a box (index -1
    // while clearing) is ignored by the handlers themselves.
    QObject::connect(d->ComboMerk, &QComboBox::currentIndexChanged, &w, &TVLForm::ComboMerkChange);
    QObject::connect(d->ComboJenis, &QComboBox::currentIndexChanged, &w,
                     &TVLForm::ComboJenisChange);
    QObject::connect(d->ComboTipe, &QComboBox::currentIndexChanged, &w, &TVLForm::ComboTipeChange);
    QObject::connect(d->ComboIndeks, &QComboBox::currentIndexChanged, &w,
                     &TVLForm::ComboIndeksChange);
    QObject::connect(d->RadioNormal, &QRadioButton::toggled, &w, &TVLForm::RadioNormalChange);
    QObject::connect(d->RadioFast, &QRadioButton::toggled, &w, &TVLForm::RadioFastChange);
    click(w, d->BTSendData, &TVLForm::BTSendDataClick);
    click(w, d->BTTambah, &TVLForm::BTTambahClick);
    click(w, d->ImageAccu, &TVLForm::ImageAccuClick);
}

void wireKeyboard(TVLForm& w, WindowContent& ui) {
    // The keyboard: Tab round the shown screen or dialog, Ctrl+1..4 for the top bar's
    // screens as its buttons do (Ctrl+5 the bench), except while a dialog or the intro guide
    // is in front.
    ui::KeyboardFocus::install(ui.view, ui.content);
    const Handler screens[] = {&TVLForm::BT1Dashboard2Click, &TVLForm::BT2DiagnosticClick,
                               &TVLForm::BT3ChartClick, &TVLForm::BT4OptionClick,
                               &TVLForm::BT5BenchClick};
    for (int i = 0; i < 5; ++i) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | (Qt::Key_1 + i)), &w);
        shortcut->setObjectName(QStringLiteral("ShortcutScreen%1").arg(i + 1));
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, &w, [&w, &ui, handler = screens[i]] {
            if (ui::SlideInDialog::topmostOpen(ui.content) || ui.userGuide->isVisible()) return;
            (w.*handler)();
        });
    }
}

void wireLogger(TVLForm& w, WindowContent& ui) {
    click(w, ui.dashboard->BTSave, &TVLForm::BTSaveClick);
    click(w, ui.layoutSave->RCancelSave, &TVLForm::RCancelSaveClick);
    click(w, ui.layoutSave->ROKSave, &TVLForm::ROKSaveClick);
    click(w, ui.option->BTRefresh, &TVLForm::BTRefreshClick);
    click(w, ui.option->BTLoad, &TVLForm::BTLoadClick);
}
}  // namespace

void wireHandlers(TVLForm& window, WindowContent& ui) {
    wireNavigation(window, ui);
    wireLinkAndQuestions(window, ui);
    wireDiagnostic(window, ui.diagnostic);
    wireKeyboard(window, ui);
    wireLogger(window, ui);
    click(window, ui.option->RRiwayat, &TVLForm::RRiwayatClick);
    click(window, ui.dashboard->PanelLinkLost->BTSambungUlang, &TVLForm::BTSambungUlangClick);
    ui.informationDialogMade = [&window](InformationDialog* dialog) {
        wireInformationDialog(window, dialog);
        window.linkControl().addDeviceBox(dialog->ComboShowPrinter);
        window.certificates().attachInformation(dialog);
    };
    ui.tambahDialogMade = [&window](TambahDialog* dialog) {
        wireTambahDialog(window, dialog);
        window.profile().setAddDialog(dialog);
    };
}

void wireInformationDialog(TVLForm& window, InformationDialog* dialog) {
    click(window, dialog->RSendInformation, &TVLForm::RSendInformationClick);
    click(window, dialog->RCancelInformation, &TVLForm::RCancelInformationClick);
}

void wireTambahDialog(TVLForm& window, TambahDialog* dialog) {
    click(window, dialog->RTambahYes, &TVLForm::RTambahYesClick);
    click(window, dialog->RTambahNo, &TVLForm::RTambahNoClick);
}

}  // namespace velmora
