// Bluetooth start-up, the connection dialog, connecting to the charger or the printer,
// the send routine and the force stop: hand-overs to the link controller and the
// connection flow.
#include "bench/Bench.h"
#include "journal/JournalRecorder.h"
#include "link/ConnectionFlow.h"
#include "link/LinkController.h"
#include "monitor/DashboardScreen.h"
#include "printing/CertificateControls.h"
#include "shell/Dialogs.h"
#include "shell/TVLForm.h"
#include "shell/WindowContent.h"

namespace velmora {

bool TVLForm::ManagerConnected() {
    return linkControl().radioPresent();
}

void TVLForm::PairedDevices() {
    linkControl().listPairedDevices();
}

void TVLForm::checkBT() {
    linkControl().startUp(false);
}

void TVLForm::ComboDeviceClick() {
    checkBT();
}

void TVLForm::BTConnectionClick() {
    m_ctrl->connectionFlow->openDialog(false);
}

void TVLForm::BTPrintClick() {
    certificates().beforePrinting([this] { m_ctrl->connectionFlow->openDialog(true); });
}

void TVLForm::RectLayoutBTClick() {
    m_ctrl->connectionFlow->dismissDialog();
}

void TVLForm::BTConnectClick() {
    m_ctrl->connectionFlow->connectClicked();
}

void TVLForm::BTReportClick() {
    m_ctrl->connectionFlow->reportClicked();
}

void TVLForm::BTSambungUlangClick() {
    if (shownBay().ownsParts())
        shownBay().reconnectNow();
    else
        m_ctrl->connectionFlow->reconnectClicked();
}

void TVLForm::start() {
    m_ctrl->connectionFlow->start();
}

void TVLForm::Kirimstringdata(const std::string& dataout) {
    shownBay().link().Kirimstringdata(dataout);
}

void TVLForm::updateLinkStatus() {
    linkControl().watchChargerLink();
    m_ui->showLink(shownBay().control(), printing());
}

void TVLForm::BTForceStopClick() {
    m_ui->forceStop->open();
}

void TVLForm::RForceYesClick() {
    ChargerBay& bay = shownBay();
    if (const std::optional<QString> failure = m_ui->forceStop->sendStop(bay.link()))
        reportError(*failure);
    else if (bay.link().connected())
        bay.journal().forceStop();
}

void TVLForm::RForceNoClick() {
    m_ui->forceStop->close();
}

}  // namespace velmora
