#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "catalogue/Dataaki.h"
#include "journal/SessionTypes.h"
#include "link/ChargerState.h"
#include "link/NumberText.h"
#include "link/TickEvents.h"

namespace velmora {

class DiagnosticScreen;
class TambahDialog;

// The battery choice on the diagnostic screen: the brand, variety and type cascade with the
// capacity, the charge mode, the custom options ("OTHER 1" .. "OTHER 5") and the add dialog,
// a profile the charger reported, and the profile shown, which receipts, logs and the
// charge journal read.
class ProfileSelector : public QObject {
    Q_OBJECT
public:
    using SendLine = std::function<void(const std::string&)>;
    using Message = std::function<void(const QString&)>;

    ProfileSelector(DiagnosticScreen* screen, const Dataaki& catalogue, ShownChargerState state,
                    const NumberFormat& format, QObject* parent = nullptr);

    // The add dialog once made: its free slots and varieties are kept filled from then on.
    void setAddDialog(TambahDialog* dialog);

    // The cascade: a brand fills the varieties, a variety the types, a type the capacity.
    void brandChanged();
    void varietyChanged();
    void typeChanged();
    // Only the selected mode's caption is white.
    void modeChanged();

    // Sends the selection: the chosen option under "Other", else the profile, which then
    // becomes the live profile and the title. False when no option was chosen to send.
    bool send(const SendLine& sendLine);
    // The title of the battery box from the selection (emits titleChanged).
    void showTitle();
    // The option lists from the slots the charger holds: defined ones here, free ones in
    // the add dialog.
    void refreshOptions();
    // The selected option's values.
    void optionChanged();
    // Fills the add dialog before it opens.
    void prepareAddDialog();
    // Defines the add dialog's slot on the charger and shows the new option. Says so when a
    // choice is missing or no charger takes it (the dialog stays open); else the dialog
    // closes whatever happens to the command.
    void addOption(const SendLine& sendLine, const Message& message, bool chargerLinked);

    // A profile the charger reported: brand first, type last, mode, title.
    void apply(const ReportedProfile& profile);
    // The live profile where it is known; every step is tried, the first failure returned.
    std::optional<QString> applyLive(const ChargerState& state);

    // The profile as the screen shows it now.
    journal::Profile shown() const;
    // The profile shown came from a loaded log file, until the user or the charger
    // chooses one.
    void markLoadedFromLog() { m_fromLog = true; }
    // The profile of the charge going on: none while the screen shows a loaded log's.
    journal::Profile chargeProfile() const;
    // No battery chosen, back to the catalogue rows, normal mode.
    void reset();

signals:
    void titleChanged(const QString& series, const QString& brand, const QString& type);

private:
    DiagnosticScreen* m_screen;
    const Dataaki& m_catalogue;
    ShownChargerState m_state;
    NumberFormat m_format;
    TambahDialog* m_addDialog = nullptr;
    bool m_fromLog = false;
};

}  // namespace velmora
