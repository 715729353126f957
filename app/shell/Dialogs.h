#pragma once

#include <QString>
#include <optional>

#include "widgets/QuestionDialog.h"

namespace velmora {

class ChargerLink;

// The force stop confirmation (LayoutForceStop).
class ForceStopDialog : public QuestionDialog {
    Q_OBJECT
public:
    explicit ForceStopDialog(QWidget* window);
    // "Iya": sends the force stop and closes; the failure's text when it did not go out.
    std::optional<QString> sendStop(ChargerLink& link);
    ui::TextButton* RForceNo;
    ui::TextButton* RForceYes;
};

// The save question asked when the battery picture is clicked (LayoutQuestionSave).
// Escape leaves the question unanswered: "Tidak" would clear the unsaved results.
class QuestionSaveDialog : public QuestionDialog {
    Q_OBJECT
public:
    explicit QuestionSaveDialog(QWidget* window);
    ui::TextButton* RYES;
    ui::TextButton* RNO;

protected:
    void reject() override { close(); }
};

}  // namespace velmora
