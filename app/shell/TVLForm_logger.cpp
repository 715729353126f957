// The save question, the save dialog and the log browser: hand-overs to the data logger.
#include "catalogue/ProfileSelector.h"
#include "logger/DataLogger.h"
#include "logger/SaveDialog.h"
#include "monitor/DashboardScreen.h"
#include "shell/Dialogs.h"
#include "shell/OptionScreen.h"
#include "shell/TVLForm.h"

namespace velmora {

void TVLForm::setUpLogger() {
    m_logger = new DataLogger({m_state, m_format, m_layoutSave, m_option->ListBox1, m_diagnostic,
                               m_dashboard, [this](const QString& text) { showMessage(text); },
                               [this](const QString& text) { reportError(text); },
                               [this] {
                                   datareference();
                                   m_profile->markLoadedFromLog();
                               },
                               m_content},
                              this);
    const auto click = [this](QAbstractButton* button, void (TVLForm::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, [this, handler] { (this->*handler)(); });
    };
    click(m_dashboard->BTSave, &TVLForm::BTSaveClick);
    click(m_layoutSave->RCancelSave, &TVLForm::RCancelSaveClick);
    click(m_layoutSave->ROKSave, &TVLForm::ROKSaveClick);
    click(m_option->BTRefresh, &TVLForm::BTRefreshClick);
    click(m_option->BTLoad, &TVLForm::BTLoadClick);
}

void TVLForm::ImageAccuClick() {
    // Results already kept in a log need no question before the reset.
    if (m_logger->resultsSaved()) {
        rest();
        return;
    }
    m_questionSave->open();
}

void TVLForm::RYESClick() {
    m_questionSave->close();
    m_logger->BTSaveClick();
}

void TVLForm::RNOClick() {
    m_questionSave->close();
    rest();
}

void TVLForm::BTSaveClick() {
    m_logger->BTSaveClick();
}

void TVLForm::RCancelSaveClick() {
    m_logger->RCancelSaveClick();
}

void TVLForm::ROKSaveClick() {
    m_logger->ROKSaveClick();
}

void TVLForm::BTRefreshClick() {
    m_logger->BTRefreshClick();
}

void TVLForm::BTLoadClick() {
    m_logger->BTLoadClick();
}

}  // namespace velmora
