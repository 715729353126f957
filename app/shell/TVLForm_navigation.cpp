// Navigation between the screens, the option screen's guide rows and the intro guide.
#include <QLabel>
#include <QSlider>

#include "bench/BenchScreenControl.h"
#include "catalogue/ProfileSelector.h"
#include "link/LinkController.h"
#include "logger/DataLogger.h"
#include "printing/CertificateControls.h"
#include "printing/InformationDialog.h"
#include "shell/OptionScreen.h"
#include "shell/TVLForm.h"
#include "shell/UserGuide.h"
#include "shell/WindowContent.h"

namespace velmora {

void TVLForm::BT1Dashboard2Click() {
    m_ui->selectScreen(WindowContent::Screen::Dashboard);
}

void TVLForm::BT2DiagnosticClick() {
    // Bring the selection up to date with the current profile; every step is tried.
    if (const auto failure = profile().applyLive(shownState().snapshot()))
        reportError(*failure);
    else
        m_ui->selectScreen(WindowContent::Screen::Diagnostic);
}

void TVLForm::BT3ChartClick() {
    m_ui->selectScreen(WindowContent::Screen::Chart);
}

void TVLForm::BT4OptionClick() {
    logger().fillList();
    m_ui->selectScreen(WindowContent::Screen::Option);
}

void TVLForm::BT5BenchClick() {
    m_ctrl->benchScreen->refresh();
    m_ui->selectScreen(WindowContent::Screen::Bench);
}

void TVLForm::R1UseClick() {
    linkControl().chooseLast(informationDialog()->ComboShowPrinter,
                             RememberedDevices::Role::Printer);
    certificates().refreshKey();
    informationDialog()->open();
}

void TVLForm::R2UseClick() {
    // Opened from the keyboard, the guide starts ringed for the keyboard too.
    m_ui->userGuide->present(m_ui->content->testAttribute(Qt::WA_KeyboardFocusChange));
}

void TVLForm::R3UseClick() {
    m_ui->option->hide();
    m_ui->guide->showChargerGuide();
}

void TVLForm::BackGuideClick() {
    m_ui->guide->hide();
    m_ui->option->show();
}

void TVLForm::TrackBar1Change() {
    m_ui->guide->GuideCharger->setPictureScale(m_ui->guide->TrackBar1->value() / 10.0);
}

void TVLForm::bLeftClick() {
    m_ui->userGuide->previousPage();
}

void TVLForm::bRightClick() {
    m_ui->userGuide->nextPage();
}

void TVLForm::BTSkipClick() {
    m_ui->userGuide->fadeOut();
}

void TVLForm::FloatAnimation1Finish() {
    m_ui->userGuide->hide();
    if (m_guideInitDone) return;
    linkControl().startUp(true);
    m_guideInitDone = true;
}

}  // namespace velmora
