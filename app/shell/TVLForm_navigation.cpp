// Navigation between the screens, the option screen's guide rows and the intro guide.
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QShortcut>
#include <QSlider>

#include "catalogue/DiagnosticScreen.h"
#include "catalogue/ProfileSelector.h"
#include "catalogue/TambahDialog.h"
#include "link/ConnectionDialog.h"
#include "link/LinkController.h"
#include "logger/DataLogger.h"
#include "monitor/ChartScreen.h"
#include "monitor/DashboardScreen.h"
#include "printing/InformationDialog.h"
#include "shell/Dialogs.h"
#include "shell/OptionScreen.h"
#include "shell/ScaledView.h"
#include "shell/TVLForm.h"
#include "shell/TopBar.h"
#include "shell/UserGuide.h"
#include "widgets/KeyboardFocus.h"
#include "widgets/SlideInDialog.h"

namespace velmora {

void TVLForm::wireHandlers() {
    auto click = [this](QAbstractButton* button, void (TVLForm::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    click(m_topBar->BT1Dashboard, &TVLForm::BT1Dashboard2Click);
    click(m_topBar->BT2Diagnostic, &TVLForm::BT2DiagnosticClick);
    click(m_topBar->BT3Chart, &TVLForm::BT3ChartClick);
    click(m_topBar->BT4Option, &TVLForm::BT4OptionClick);
    click(m_option->R1Use, &TVLForm::R1UseClick);
    click(m_option->R2Use, &TVLForm::R2UseClick);
    click(m_option->R3Use, &TVLForm::R3UseClick);
    click(m_guide->BackGuide, &TVLForm::BackGuideClick);
    connect(m_guide->TrackBar1, &QSlider::valueChanged, this, &TVLForm::TrackBar1Change);
    click(m_userGuide->bLeft, &TVLForm::bLeftClick);
    click(m_userGuide->bRight, &TVLForm::bRightClick);
    click(m_userGuide->BTSkip, &TVLForm::BTSkipClick);
    connect(m_userGuide->FloatAnimation1, &QAbstractAnimation::finished, this,
            &TVLForm::FloatAnimation1Finish);
    connect(m_timerloop, &QTimer::timeout, this, &TVLForm::TimerloopTimer);

    click(m_dashboard->BTConnection, &TVLForm::BTConnectionClick);
    click(m_dashboard->BTPrint, &TVLForm::BTPrintClick);
    click(m_dashboard->BTForceStop, &TVLForm::BTForceStopClick);
    click(m_connection->BTConnect, &TVLForm::BTConnectClick);
    click(m_connection->BTReport, &TVLForm::BTReportClick);
    connect(m_connection, &ui::SlideInDialog::backdropClicked, this, &TVLForm::RectLayoutBTClick);
    connect(m_connection->ComboDevice, &DeviceComboBox::aboutToShowPopup, this,
            &TVLForm::ComboDeviceClick);
    click(m_forceStop->RForceYes, &TVLForm::RForceYesClick);
    click(m_forceStop->RForceNo, &TVLForm::RForceNoClick);
    click(m_questionSave->RYES, &TVLForm::RYESClick);
    click(m_questionSave->RNO, &TVLForm::RNOClick);

    DiagnosticScreen* d = m_diagnostic;
    // A change made from code runs the handler as a pick does; emptying a box (index -1
    // while clearing) is ignored by the handlers themselves.
    connect(d->ComboMerk, &QComboBox::currentIndexChanged, this, &TVLForm::ComboMerkChange);
    connect(d->ComboJenis, &QComboBox::currentIndexChanged, this, &TVLForm::ComboJenisChange);
    connect(d->ComboTipe, &QComboBox::currentIndexChanged, this, &TVLForm::ComboTipeChange);
    connect(d->ComboIndeks, &QComboBox::currentIndexChanged, this, &TVLForm::ComboIndeksChange);
    connect(d->RadioNormal, &QRadioButton::toggled, this, &TVLForm::RadioNormalChange);
    connect(d->RadioFast, &QRadioButton::toggled, this, &TVLForm::RadioFastChange);
    click(d->BTSendData, &TVLForm::BTSendDataClick);
    click(d->BTTambah, &TVLForm::BTTambahClick);
    click(d->ImageAccu, &TVLForm::ImageAccuClick);

    // The keyboard: Tab round the shown screen or dialog, Ctrl+1..4 for the top bar's
    // screens as its buttons do, except while a dialog or the intro guide is in front.
    ui::KeyboardFocus::install(m_view, m_content);
    void (TVLForm::*const screens[])() = {&TVLForm::BT1Dashboard2Click,
                                          &TVLForm::BT2DiagnosticClick, &TVLForm::BT3ChartClick,
                                          &TVLForm::BT4OptionClick};
    for (int i = 0; i < 4; ++i) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | (Qt::Key_1 + i)), this);
        shortcut->setObjectName(QStringLiteral("ShortcutScreen%1").arg(i + 1));
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, handler = screens[i]] {
            if (ui::SlideInDialog::topmostOpen(m_content) || m_userGuide->isVisible()) return;
            (this->*handler)();
        });
    }
}

void TVLForm::selectScreen(Screen screen) {
    static const struct {
        const char* title;
        bool darkText;
    } kRows[] = {{"DASHBOARD", false}, {"DIAGNOSTIC", false}, {"CHART", true}, {"OPTION", false}};
    const int row = static_cast<int>(screen);
    m_topBar->apply(QString::fromLatin1(kRows[row].title), kRows[row].darkText, row);
    m_background->setVisible(screen != Screen::Chart);
    m_backgroundChart->setVisible(screen == Screen::Chart);
    m_dashboard->setVisible(screen == Screen::Dashboard);
    m_diagnostic->setVisible(screen == Screen::Diagnostic);
    m_chart->setVisible(screen == Screen::Chart);
    m_option->setVisible(screen == Screen::Option);
    m_guide->hide();
    m_view->refreshUnderlay();  // background and gauge follow the screen
}

void TVLForm::BT1Dashboard2Click() {
    selectScreen(Screen::Dashboard);
}

void TVLForm::BT2DiagnosticClick() {
    // Bring the selection up to date with the current profile; every step is tried.
    if (const auto failure = m_profile->applyLive(m_state.snapshot()))
        reportError(*failure);
    else
        selectScreen(Screen::Diagnostic);
}

void TVLForm::BT3ChartClick() {
    selectScreen(Screen::Chart);
}

void TVLForm::BT4OptionClick() {
    m_logger->fillList();
    selectScreen(Screen::Option);
}

void TVLForm::R1UseClick() {
    m_linkControl->chooseLast(informationDialog()->ComboShowPrinter,
                              RememberedDevices::Role::Printer);
    informationDialog()->open();
}

void TVLForm::R2UseClick() {
    m_userGuide->present();
}

void TVLForm::R3UseClick() {
    m_option->hide();
    m_guide->show();
    m_guide->LGuide->setText(QStringLiteral("Charger & Application User Guide"));
    m_guide->GuideCharger->show();
}

void TVLForm::BackGuideClick() {
    m_guide->hide();
    m_option->show();
}

void TVLForm::TrackBar1Change() {
    m_guide->GuideCharger->setPictureScale(m_guide->TrackBar1->value() / 10.0);
}

void TVLForm::bLeftClick() {
    m_userGuide->previousPage();
}

void TVLForm::bRightClick() {
    m_userGuide->nextPage();
}

void TVLForm::BTSkipClick() {
    m_userGuide->fadeOut();
}

void TVLForm::FloatAnimation1Finish() {
    m_userGuide->hide();
    if (m_guideInitDone) return;
    m_linkControl->startUp(true);
    m_guideInitDone = true;
}

}  // namespace velmora
