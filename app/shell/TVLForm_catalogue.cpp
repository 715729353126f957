// Battery selection, profile sending, test results and custom options.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <cmath>
#include <optional>

#include "catalogue/DiagnosticScreen.h"
#include "catalogue/ResultLines.h"
#include "catalogue/TambahDialog.h"
#include "link/Commands.h"
#include "monitor/DashboardScreen.h"
#include "printing/ReceiptPreview.h"
#include "shell/TVLForm.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
const QString kIncompleteOption = QStringLiteral("Opsi ada yang kosong");
const QString kOptionSent = QStringLiteral("Sukses Mengirim");
constexpr int kOptionSlots = 5;

using journal::TestResult;

// The charge profile the charger reported, taken out of the live state.
struct ReportedProfile {
    int brand, variety, type;
    std::string mode;
};

// The defined name of a slot: "OTHER " and its 1-based number.
std::string slotName(int position) {
    return "OTHER " + std::to_string(position + 1);
}

// The option number (1..5) of an "OTHER n" entry: its seventh character.
std::optional<int> optionNumber(const QString& entry) {
    if (entry.size() < 7) return std::nullopt;
    const int n = entry.at(6).digitValue();
    if (n < 1 || n > kOptionSlots) return std::nullopt;
    return n;
}

// Empties a box and refills it with nothing selected. Its change handler does not run:
// emptying is not a pick, and the first item added would otherwise select itself.
void refill(QComboBox* box, const std::vector<std::string>& items) {
    const QSignalBlocker quiet(box);
    box->clear();
    for (const std::string& item : items) box->addItem(QString::fromStdString(item));
    box->setCurrentIndex(-1);
}

void empty(QComboBox* box) {
    refill(box, {});
}

// The selected option's number in a box of "OTHER n" entries, if any.
std::optional<int> selectedOption(const QComboBox* box) {
    if (box->currentIndex() < 0) return std::nullopt;
    return optionNumber(box->currentText());
}

// Only the selected mode's caption is white.
void showModeCaptions(DiagnosticScreen* d) {
    const bool fast = d->RadioFast->isChecked();
    ui::setTextColor(d->RadioFast, fast ? ui::kWhite : ui::kGrey);
    ui::setTextColor(d->RadioNormal, fast ? ui::kGrey : ui::kWhite);
}
}  // namespace

void TVLForm::ComboMerkChange() {
    DiagnosticScreen* d = m_diagnostic;
    const int brand = d->ComboMerk->currentIndex();
    if (brand < 0) return;
    const bool other = brand == Dataaki::kOtherBrand;
    d->showOptionView(other);
    empty(d->ComboTipe);
    d->LCap->clear();
    // Under "Other" the brand offers all four varieties in catalogue order.
    refill(d->ComboJenis, m_catalogue.brandVarieties(brand));
    if (other) datarefresh();
}

void TVLForm::ComboJenisChange() {
    DiagnosticScreen* d = m_diagnostic;
    const int brand = d->ComboMerk->currentIndex();
    const int variety = d->ComboJenis->currentIndex();
    if (variety < 0) return;
    if (const std::optional<int> list = m_catalogue.typeList(brand, variety)) {
        std::vector<std::string> names;
        for (const TypeRow& row : m_catalogue.typeLists()[static_cast<size_t>(*list)])
            names.push_back(row.name);
        refill(d->ComboTipe, names);
        d->LCap->clear();
    } else if (brand == Dataaki::kOtherBrand) {
        d->LCap->clear();
    }
}

void TVLForm::ComboTipeChange() {
    DiagnosticScreen* d = m_diagnostic;
    const int type = d->ComboTipe->currentIndex();
    if (type < 0) return;
    // The row of the selected list: a name found in two lists has two capacities.
    const std::optional<int> list =
        m_catalogue.typeList(d->ComboMerk->currentIndex(), d->ComboJenis->currentIndex());
    if (!list) return;
    const std::string_view separator(&m_format.decimalSeparator, 1);
    d->LCap->setText(QString::fromStdString(m_catalogue.capacityText(*list, type, separator)));
}

void TVLForm::RadioFastChange() {
    showModeCaptions(m_diagnostic);
}

void TVLForm::RadioNormalChange() {
    showModeCaptions(m_diagnostic);
}

void TVLForm::BTSendDataClick() {
    if (!m_chargerPanelMode) return;
    DiagnosticScreen* d = m_diagnostic;
    const int brand = d->ComboMerk->currentIndex();
    if (brand == Dataaki::kOtherBrand) {
        // Selects a stored option; the profile and the labels stay as they are.
        if (const std::optional<int> n = selectedOption(d->ComboIndeks))
            Kirimstringdata(commands::optionSelection(*n));
        return;
    }
    const int variety = d->ComboJenis->currentIndex();
    const int type = d->ComboTipe->currentIndex();
    const bool normal = d->RadioNormal->isChecked();
    // Sent as selected: a missing choice travels as -1, the charger decides.
    Kirimstringdata(commands::profile(brand, variety, type, normal));
    m_state.modify([&](ChargerState& s) {
        s.profileBrandIndex = brand;
        s.profileVarietyIndex = variety;
        s.profileTypeIndex = type;
        s.profileMode = normal ? "1" : "2";
    });
    TittleAccu();
}

void TVLForm::TittleAccu() {
    DiagnosticScreen* d = m_diagnostic;
    const QString none = QStringLiteral("-");
    const int brand = d->ComboMerk->currentIndex();
    m_dashboard->LBatterySeries->setText(
        d->ComboTipe->currentIndex() < 0 ? none : d->ComboTipe->currentText());
    m_dashboard->LBatteryBrand->setText(brand < 0 ? none : d->ComboMerk->currentText());
    const std::optional<int> variety =
        m_catalogue.varietyIndex(brand, d->ComboJenis->currentIndex());
    m_dashboard->LBatteryType->setText(
        QString::fromStdString(m_catalogue.varietyTitle(variety.value_or(-1))));
}

void TVLForm::datarefresh() {
    const auto stored = m_state.modify([](const ChargerState& s) { return s.optionSlots; });
    std::vector<std::string> defined, free;
    for (int p = 0; p < kOptionSlots; ++p) {
        const std::string name = slotName(p);
        // Defined only under its own number: "OTHER 2" in the first slot is free.
        (stored[static_cast<size_t>(p)].name == name ? defined : free).push_back(name);
    }
    refill(m_diagnostic->ComboIndeks, defined);
    if (m_layoutTambah) refill(m_layoutTambah->ComboIndeksT, free);  // else filled when made
}

void TVLForm::ComboIndeksChange() {
    DiagnosticScreen* d = m_diagnostic;
    if (d->ComboIndeks->currentIndex() < 0) return;
    const std::string selected = d->ComboIndeks->currentText().toStdString();
    const auto stored = m_state.modify([](const ChargerState& s) { return s.optionSlots; });
    for (int p = 0; p < kOptionSlots; ++p) {
        if (selected != slotName(p)) continue;
        const OptionSlot& slot = stored[static_cast<size_t>(p)];
        d->LBrand->setText(QString::fromStdString(slot.brand));
        d->LOJenis->setText(QString::fromStdString(slot.variety));
        d->LOKapasitas->setText(QString::fromStdString(formatShortest(slot.capacity, m_format)) +
                                QStringLiteral(" Ah"));
        d->LOArus->setText(QString::fromStdString(formatShortest(slot.current, m_format)) +
                           QStringLiteral(" A"));
        d->LOCCA->setText(QString::number(slot.cca));
        return;
    }
}

TambahDialog* TVLForm::tambahDialog() {
    if (m_layoutTambah) return m_layoutTambah;
    m_layoutTambah = new TambahDialog(m_content);
    m_layoutTambah->stackUnder(m_layoutStruk);
    connect(m_layoutTambah->RTambahYes, &QAbstractButton::clicked, this, &TVLForm::RTambahYesClick);
    connect(m_layoutTambah->RTambahNo, &QAbstractButton::clicked, this, &TVLForm::RTambahNoClick);
    datarefresh();
    return m_layoutTambah;
}

void TVLForm::BTTambahClick() {
    TambahDialog* t = tambahDialog();
    refill(t->ComboJenisT, m_catalogue.varietyList());
    datarefresh();
    t->open();
}

void TVLForm::RTambahYesClick() {
    TambahDialog* t = tambahDialog();
    const std::optional<int> n = selectedOption(t->ComboIndeksT);
    const int variety = t->ComboJenisT->currentIndex();
    if (!n || variety < 0) {
        showMessage(kIncompleteOption);  // the dialog stays open with its values
        return;
    }
    const QString name = t->ComboIndeksT->currentText();
    const double capacity = t->SpinKapasitasT->value();
    const double current = t->SpinArusCCT->value();
    const double cca = t->SpinCCAT->value();
    // Past the check the dialog always ends hidden with the lists rebuilt, even when
    // sending fails and the error goes on to the general error dialog.
    const auto finish = [this, t] {
        t->close();
        datarefresh();
    };
    try {
        Kirimstringdata(commands::optionSlotDefinition(*n - 1, variety, capacity, current, cca));
        t->close();
        showMessage(kOptionSent);
        const std::string varietyName = m_catalogue.varietyList()[static_cast<size_t>(variety)];
        m_state.modify([&](ChargerState& s) {
            OptionSlot& slot = s.optionSlots[static_cast<size_t>(*n - 1)];
            slot.name = name.toStdString();
            slot.variety = varietyName;
            slot.capacity = capacity;
            slot.current = current;
            slot.cca = static_cast<int>(std::lround(cca));  // as the command rounds it
        });
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TVLForm::RTambahNoClick() {
    tambahDialog()->close();
}

void TVLForm::accudiagnostic() {
    DiagnosticScreen* d = m_diagnostic;
    const auto showOnDashboard = [this](const TestResult& r) {
        m_dashboard->LCCA->setText(QString::number(r.cca));
        m_dashboard->LiR->setText(QString::fromStdString(formatFixed2(r.resistance, m_format)));
    };
    const auto showLines = [this](const TestResult& r, QLabel* cca, QLabel* ir, QLabel* diag,
                                  QLabel* voltage) {
        const QStringList lines = resultLines(r, false, m_format);
        cca->setText(lines[0]);
        ir->setText(lines[1]);
        diag->setText(lines[2]);
        voltage->setText(lines[3]);
    };
    const auto statusLine = [this](const TestResult& r) {
        return resultLines(r, true, m_format).back();
    };

    // Each tag is tested, its values taken and the tag cleared under one hold, so a
    // result the receive thread stores meanwhile is never cleared unseen.
    const std::optional<TestResult> before =
        m_state.modify([](ChargerState& s) -> std::optional<TestResult> {
            if (s.beforeResultTag != "1") return std::nullopt;
            s.beforeResultTag.clear();
            return TestResult{
                s.beforeCca, s.beforeResistance, s.beforeDiagVoltage, s.beforeVoltage, {}};
        });
    if (before) {
        m_tickSeen.results.before = before;  // for the charge journal
        showOnDashboard(*before);
        d->RTest->hide();
        d->RCAccu->show();
        d->RBefore->show();
        showLines(*before, d->BCCA, d->BiR, d->Bvd, d->BVo);
    }

    const std::optional<TestResult> after =
        m_state.modify([](ChargerState& s) -> std::optional<TestResult> {
            if (s.afterResultTag != "5" && s.afterResultTag != "4") return std::nullopt;
            s.afterResultTag.clear();
            return TestResult{s.afterCca, s.afterResistance, s.afterDiagVoltage, s.afterVoltage,
                              s.afterStatus};
        });
    if (after) {
        m_tickSeen.results.after = after;
        showOnDashboard(*after);
        d->RTest->hide();
        d->RCAccu->show();
        d->RAfter->show();
        showLines(*after, d->ACCA, d->AiR, d->Avd, d->AVo);
        d->ARes1->setText(statusLine(*after));
    }

    const std::optional<TestResult> test =
        m_state.modify([](ChargerState& s) -> std::optional<TestResult> {
            if (s.testResultTag != "0") return std::nullopt;
            s.testResultTag.clear();
            return TestResult{s.testCca, s.testResistance, s.testDiagVoltage, s.testVoltage,
                              s.testStatus};
        });
    if (test) {
        m_tickSeen.results.test = test;
        d->RCAccu->hide();
        d->RTest->show();
        showLines(*test, d->TCCA, d->TiR, d->TVd, d->TVo);
        d->TStatus->setText(statusLine(*test));
        showOnDashboard(*test);
    }
}

void TVLForm::datareference() {
    const std::optional<ReportedProfile> profile =
        m_state.modify([](ChargerState& s) -> std::optional<ReportedProfile> {
            if (!s.profileReceived) return std::nullopt;
            s.profileReceived = false;
            return ReportedProfile{s.profileBrandIndex, s.profileVarietyIndex, s.profileTypeIndex,
                                   s.profileMode};
        });
    if (!profile) return;
    DiagnosticScreen* d = m_diagnostic;
    // Brand first, type last: each change refills the next box through its handler.
    d->ComboMerk->setCurrentIndex(profile->brand);
    d->ComboJenis->setCurrentIndex(profile->variety);
    d->ComboTipe->setCurrentIndex(profile->type);
    if (profile->mode == "1") {
        d->RadioNormal->setChecked(true);
    } else if (profile->mode == "2") {
        d->RadioFast->setChecked(true);
    }
    TittleAccu();
}

}  // namespace velmora
