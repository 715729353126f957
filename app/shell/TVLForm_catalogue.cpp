// Battery selection, profile sending and custom options: hand-overs to the profile selector.
#include "catalogue/ProfileSelector.h"
#include "catalogue/TambahDialog.h"
#include "link/ConnectionFlow.h"
#include "shell/TVLForm.h"
#include "shell/WindowContent.h"

namespace velmora {

void TVLForm::ComboMerkChange() {
    profile().brandChanged();
}

void TVLForm::ComboJenisChange() {
    profile().varietyChanged();
}

void TVLForm::ComboTipeChange() {
    profile().typeChanged();
}

void TVLForm::RadioFastChange() {
    profile().modeChanged();
}

void TVLForm::RadioNormalChange() {
    profile().modeChanged();
}

bool TVLForm::chargerTakesData() const {
    // Only over the charger's own panel, and never into a link that is gone.
    return chargerPanelMode() && m_ctrl->connectionFlow->chargerLinked();
}

void TVLForm::BTSendDataClick() {
    if (!chargerTakesData()) {
        m_messages.notice(tr("Data tidak terkirim: sambungkan charger terlebih dahulu"));
        return;
    }
    const bool sent = profile().send([this](const std::string& line) { Kirimstringdata(line); });
    m_messages.notice(sent ? tr("Data terkirim ke charger") : tr("Pilih data yang akan diatur"));
}

void TVLForm::TittleAccu() {
    profile().showTitle();
}

void TVLForm::datarefresh() {
    profile().refreshOptions();
}

void TVLForm::ComboIndeksChange() {
    profile().optionChanged();
}

void TVLForm::BTTambahClick() {
    TambahDialog* dialog = tambahDialog();
    profile().prepareAddDialog();
    dialog->open();
}

void TVLForm::RTambahYesClick() {
    tambahDialog();
    profile().addOption([this](const std::string& line) { Kirimstringdata(line); },
                        [this](const QString& text) { showMessage(text); }, chargerTakesData());
}

void TVLForm::RTambahNoClick() {
    tambahDialog()->close();
}

}  // namespace velmora
