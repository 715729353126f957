#include "catalogue/ProfileSelector.h"

#include <utility>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <cmath>

#include "catalogue/DiagnosticScreen.h"
#include "catalogue/TambahDialog.h"
#include "link/Commands.h"
#include "widgets/CoreTexts.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
constexpr int kOptionSlots = 5;

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

void applyMode(DiagnosticScreen* d, const std::string& mode) {
    if (mode == "1") {
        d->RadioNormal->setChecked(true);
    } else if (mode == "2") {
        d->RadioFast->setChecked(true);
    }
}
}  // namespace

ProfileSelector::ProfileSelector(DiagnosticScreen* screen, const Dataaki& catalogue,
                                 ShownChargerState state, const NumberFormat& format,
                                 QObject* parent)
    : QObject(parent),
      m_screen(screen),
      m_catalogue(catalogue),
      m_state(std::move(state)),
      m_format(format) {}

void ProfileSelector::setAddDialog(TambahDialog* dialog) {
    m_addDialog = dialog;
    refreshOptions();
}

void ProfileSelector::brandChanged() {
    m_fromLog = false;
    DiagnosticScreen* d = m_screen;
    const int brand = d->ComboMerk->currentIndex();
    if (brand < 0) return;
    const bool other = brand == Dataaki::kOtherBrand;
    d->showOptionView(other);
    empty(d->ComboTipe);
    d->LCap->clear();
    // Under "Other" the brand offers all four varieties in catalogue order.
    refill(d->ComboJenis, m_catalogue.brandVarieties(brand));
    if (other) refreshOptions();
}

void ProfileSelector::varietyChanged() {
    m_fromLog = false;
    DiagnosticScreen* d = m_screen;
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

void ProfileSelector::typeChanged() {
    m_fromLog = false;
    DiagnosticScreen* d = m_screen;
    const int type = d->ComboTipe->currentIndex();
    if (type < 0) return;
    // The row of the selected list: a name found in two lists has two capacities.
    const std::optional<int> list =
        m_catalogue.typeList(d->ComboMerk->currentIndex(), d->ComboJenis->currentIndex());
    if (!list) return;
    const std::string_view separator(&m_format.decimalSeparator, 1);
    d->LCap->setText(QString::fromStdString(m_catalogue.capacityText(*list, type, separator)));
}

void ProfileSelector::modeChanged() {
    const bool fast = m_screen->RadioFast->isChecked();
    ui::setTextColor(m_screen->RadioFast, fast ? ui::kWhite : ui::kGrey);
    ui::setTextColor(m_screen->RadioNormal, fast ? ui::kGrey : ui::kWhite);
}

bool ProfileSelector::send(const SendLine& sendLine) {
    DiagnosticScreen* d = m_screen;
    const int brand = d->ComboMerk->currentIndex();
    if (brand == Dataaki::kOtherBrand) {
        // Selects a stored option; the profile and the labels stay as they are.
        const std::optional<int> n = selectedOption(d->ComboIndeks);
        if (!n) return false;
        sendLine(commands::optionSelection(*n));
        return true;
    }
    m_fromLog = false;
    const int variety = d->ComboJenis->currentIndex();
    const int type = d->ComboTipe->currentIndex();
    const bool normal = d->RadioNormal->isChecked();
    // Sent as selected: a missing choice travels as -1, the charger decides.
    sendLine(commands::profile(brand, variety, type, normal));
    m_state().modify([&](ChargerState& s) {
        s.profileBrandIndex = brand;
        s.profileVarietyIndex = variety;
        s.profileTypeIndex = type;
        s.profileMode = normal ? "1" : "2";
    });
    showTitle();
    return true;
}

void ProfileSelector::showTitle() {
    DiagnosticScreen* d = m_screen;
    const QString none = QStringLiteral("-");
    const int brand = d->ComboMerk->currentIndex();
    const std::optional<int> variety =
        m_catalogue.varietyIndex(brand, d->ComboJenis->currentIndex());
    emit titleChanged(d->ComboTipe->currentIndex() < 0 ? none : d->ComboTipe->currentText(),
                      brand < 0 ? none : d->ComboMerk->currentText(),
                      QString::fromStdString(m_catalogue.varietyTitle(variety.value_or(-1))));
}

void ProfileSelector::refreshOptions() {
    const auto stored = m_state().modify([](const ChargerState& s) { return s.optionSlots; });
    std::vector<std::string> defined, free;
    for (int p = 0; p < kOptionSlots; ++p) {
        const std::string name = slotName(p);
        // Defined only under its own number: "OTHER 2" in the first slot is free.
        (stored[static_cast<size_t>(p)].name == name ? defined : free).push_back(name);
    }
    refill(m_screen->ComboIndeks, defined);
    if (m_addDialog) refill(m_addDialog->ComboIndeksT, free);  // else filled when made
}

void ProfileSelector::optionChanged() {
    DiagnosticScreen* d = m_screen;
    if (d->ComboIndeks->currentIndex() < 0) return;
    const std::string selected = d->ComboIndeks->currentText().toStdString();
    const auto stored = m_state().modify([](const ChargerState& s) { return s.optionSlots; });
    for (int p = 0; p < kOptionSlots; ++p) {
        if (selected != slotName(p)) continue;
        const OptionSlot& slot = stored[static_cast<size_t>(p)];
        d->LOJenis->setText(QString::fromStdString(slot.variety));
        d->LOKapasitas->setText(QString::fromStdString(formatShortest(slot.capacity, m_format)) +
                                QStringLiteral(" Ah"));
        d->LOArus->setText(QString::fromStdString(formatShortest(slot.current, m_format)) +
                           QStringLiteral(" A"));
        d->LOCCA->setText(QString::number(slot.cca));
        return;
    }
}

void ProfileSelector::prepareAddDialog() {
    refill(m_addDialog->ComboJenisT, m_catalogue.varietyList());
    refreshOptions();
}

void ProfileSelector::addOption(const SendLine& sendLine, const Message& message,
                                bool chargerLinked) {
    TambahDialog* t = m_addDialog;
    const std::optional<int> n = selectedOption(t->ComboIndeksT);
    const int variety = t->ComboJenisT->currentIndex();
    if (!n || variety < 0) {
        message(tr("Opsi ada yang kosong"));  // the dialog stays open with its values
        return;
    }
    if (!chargerLinked) {
        // Defined only here, the option would be lost: the charger is where it is kept.
        message(tr("Data tidak terkirim: sambungkan charger terlebih dahulu"));
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
        refreshOptions();
    };
    try {
        sendLine(commands::optionSlotDefinition(*n - 1, variety, capacity, current, cca));
        t->close();
        message(tr("Sukses Mengirim"));
        const std::string varietyName = m_catalogue.varietyList()[static_cast<size_t>(variety)];
        m_state().modify([&](ChargerState& s) {
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
    // The option just added is the one shown, so its row and its values agree.
    m_screen->ComboIndeks->setCurrentIndex(m_screen->ComboIndeks->findText(name));
    optionChanged();
}

void ProfileSelector::apply(const ReportedProfile& profile) {
    m_fromLog = false;
    DiagnosticScreen* d = m_screen;
    // Brand first, type last: each change refills the next box through its handler.
    d->ComboMerk->setCurrentIndex(profile.brand);
    d->ComboJenis->setCurrentIndex(profile.variety);
    d->ComboTipe->setCurrentIndex(profile.type);
    applyMode(d, profile.mode);
    showTitle();
}

std::optional<QString> ProfileSelector::applyLive(const ChargerState& s) {
    QString failure;
    auto attempt = [&failure](auto&& step) {
        try {
            step();
        } catch (const std::exception& error) {
            if (failure.isEmpty()) failure = ui::coreText(error.what());
        }
    };
    DiagnosticScreen* d = m_screen;
    attempt([&] {
        if (s.profileBrandIndex != -1) d->ComboMerk->setCurrentIndex(s.profileBrandIndex);
    });
    attempt([&] {
        if (s.profileVarietyIndex != -1) d->ComboJenis->setCurrentIndex(s.profileVarietyIndex);
    });
    attempt([&] {
        if (s.profileTypeIndex != -1) d->ComboTipe->setCurrentIndex(s.profileTypeIndex);
    });
    applyMode(d, s.profileMode);
    if (failure.isEmpty()) return std::nullopt;
    return failure;
}

journal::Profile ProfileSelector::shown() const {
    const DiagnosticScreen& d = *m_screen;
    journal::Profile p;
    const auto text = [](const QComboBox* box) {
        return box->currentIndex() < 0 ? std::string() : box->currentText().toStdString();
    };
    p.brandIndex = d.ComboMerk->currentIndex();
    p.varietyIndex = d.ComboJenis->currentIndex();
    p.typeIndex = d.ComboTipe->currentIndex();
    const QRadioButton* mode = d.RadioFast->isChecked()     ? d.RadioFast
                               : d.RadioNormal->isChecked() ? d.RadioNormal
                                                            : nullptr;
    if (mode) {
        p.mode = mode == d.RadioFast ? "2" : "1";
        p.modeText = mode->text().toStdString();
    }
    p.brand = text(d.ComboMerk);
    p.variety = text(d.ComboJenis);
    p.type = text(d.ComboTipe);
    p.capacity = d.LCap->text().toStdString();
    p.name = d.Edit1->text().toStdString();
    return p;
}

journal::Profile ProfileSelector::chargeProfile() const {
    return m_fromLog ? journal::Profile{} : shown();
}

void ProfileSelector::reset() {
    m_fromLog = false;
    DiagnosticScreen* d = m_screen;
    d->Edit1->clear();
    d->ComboMerk->setCurrentIndex(-1);
    d->showOptionView(false);  // the next battery starts from the catalogue rows
    {
        // Emptying the boxes runs no change handler.
        const QSignalBlocker blockJenis(d->ComboJenis), blockTipe(d->ComboTipe);
        d->ComboJenis->clear();
        d->ComboTipe->clear();
    }
    d->LCap->clear();
    d->RadioNormal->setChecked(true);
}

}  // namespace velmora
