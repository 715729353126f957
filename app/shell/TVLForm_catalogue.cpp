// Battery selection, profile sending and custom options: hand-overs to the profile selector.
#include "catalogue/ProfileSelector.h"
#include "catalogue/TambahDialog.h"
#include "printing/ReceiptPreview.h"
#include "shell/TVLForm.h"

namespace velmora {

namespace {
const QString kNoCharger =
    QStringLiteral("Data tidak terkirim: sambungkan charger terlebih dahulu");
}  // namespace

void TVLForm::ComboMerkChange() {
    m_profile->brandChanged();
}

void TVLForm::ComboJenisChange() {
    m_profile->varietyChanged();
}

void TVLForm::ComboTipeChange() {
    m_profile->typeChanged();
}

void TVLForm::RadioFastChange() {
    m_profile->modeChanged();
}

void TVLForm::RadioNormalChange() {
    m_profile->modeChanged();
}

bool TVLForm::chargerLinked() const {
    return m_link->connected() && !m_link->peerIsPrinter();
}

void TVLForm::BTSendDataClick() {
    // Only over the charger's own panel, and never into a link that is gone.
    if (!m_chargerPanelMode || !chargerLinked()) {
        showNotice(kNoCharger);
        return;
    }
    const bool sent = m_profile->send([this](const std::string& line) { Kirimstringdata(line); });
    showNotice(sent ? QStringLiteral("Data terkirim ke charger")
                    : QStringLiteral("Pilih data yang akan diatur"));
}

void TVLForm::TittleAccu() {
    m_profile->showTitle();
}

void TVLForm::datarefresh() {
    m_profile->refreshOptions();
}

void TVLForm::ComboIndeksChange() {
    m_profile->optionChanged();
}

TambahDialog* TVLForm::tambahDialog() {
    if (m_layoutTambah) return m_layoutTambah;
    m_layoutTambah = new TambahDialog(m_content);
    m_layoutTambah->stackUnder(m_layoutStruk);
    connect(m_layoutTambah->RTambahYes, &QAbstractButton::clicked, this, &TVLForm::RTambahYesClick);
    connect(m_layoutTambah->RTambahNo, &QAbstractButton::clicked, this, &TVLForm::RTambahNoClick);
    m_profile->setAddDialog(m_layoutTambah);
    return m_layoutTambah;
}

void TVLForm::BTTambahClick() {
    tambahDialog();
    m_profile->prepareAddDialog();
    m_layoutTambah->open();
}

void TVLForm::RTambahYesClick() {
    tambahDialog();
    m_profile->addOption([this](const std::string& line) { Kirimstringdata(line); },
                         [this](const QString& text) { showMessage(text); });
}

void TVLForm::RTambahNoClick() {
    tambahDialog()->close();
}

}  // namespace velmora
