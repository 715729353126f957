// The save question, the save dialog and the log browser: hand-overs to the data logger.
#include "catalogue/ProfileSelector.h"
#include "logger/DataLogger.h"
#include "shell/Dialogs.h"
#include "shell/OptionScreen.h"
#include "shell/TVLForm.h"
#include "shell/WindowContent.h"

namespace velmora {

void TVLForm::ImageAccuClick() {
    // Results already kept in a log need no question before the reset.
    if (logger().resultsSaved()) {
        rest();
        return;
    }
    m_ui->questionSave->open();
}

void TVLForm::RYESClick() {
    m_ui->questionSave->close();
    logger().BTSaveClick();
}

void TVLForm::RNOClick() {
    m_ui->questionSave->close();
    rest();
}

void TVLForm::BTSaveClick() {
    logger().BTSaveClick();
}

void TVLForm::RCancelSaveClick() {
    logger().RCancelSaveClick();
}

void TVLForm::ROKSaveClick() {
    logger().ROKSaveClick();
}

void TVLForm::BTRefreshClick() {
    logger().BTRefreshClick();
}

void TVLForm::BTLoadClick() {
    logger().BTLoadClick();
}

}  // namespace velmora
