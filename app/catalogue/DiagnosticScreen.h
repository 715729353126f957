#pragma once

#include <QWidget>

#include "link/NumberText.h"
#include "link/TickEvents.h"
#include "widgets/Picture.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace velmora {

class Dataaki;

// The diagnostic screen (M2Diagnostic): the battery selection and profile on the left
// (M2Content), the battery picture and the test result panels on the right.
class DiagnosticScreen : public QWidget {
    Q_OBJECT
public:
    // catalogue: fills the brand box.
    DiagnosticScreen(QWidget* main, const Dataaki& catalogue);

    // The catalogue rows with "   Kirim Data", or the custom option rows with
    // "   Atur Data" and "Tambah Data".
    void showOptionView(bool options);

    // The result panels' part of a refresh tick: a detected battery hides the old results,
    // then each result taken is shown in its panel.
    void showTick(const TickEvents& tick, const NumberFormat& format);
    void showBatteryDetected();
    void showResults(const TestResults& results, const NumberFormat& format);
    // No result panel for the next battery.
    void hideResults();

    // Left column
    QWidget* M2Content;
    QLabel* LDataReference;
    QLabel* LProfile;
    QLineEdit* Edit1;
    QLabel* LBrand;
    QComboBox* ComboMerk;
    QWidget* ReferenceGroup;
    QWidget* RG1;
    QLabel* LVariety;
    QComboBox* ComboJenis;
    QLabel* LType;
    QComboBox* ComboTipe;
    QLabel* LCapacity;
    ui::Panel* RCapacity;
    QLabel* LCap;
    QLabel* LabMethod;
    QRadioButton* RadioNormal;
    QRadioButton* RadioFast;
    QWidget* RG2;
    QComboBox* ComboIndeks;
    QLabel* LOJenis;
    QLabel* LOKapasitas;
    QLabel* LOArus;
    QLabel* LOCCA;
    QWidget* IBTSPS;
    ui::TextButton* BTTambah;
    QWidget* IBTSend;
    ui::TextButton* BTSendData;

    // Right column
    ui::PictureButton* ImageAccu;
    QWidget* RCAccu;
    QWidget* RBefore;
    QLabel* BCCA;
    QLabel* BiR;
    QLabel* BVo;
    QLabel* Bvd;
    QWidget* RAfter;
    QLabel* ACCA;
    QLabel* AiR;
    QLabel* AVo;
    QLabel* Avd;
    QLabel* ARes1;
    QWidget* RTest;
    QLabel* TCCA;
    QLabel* TiR;
    QLabel* TVd;
    QLabel* TVo;
    QLabel* TStatus;

private:
    void buildSelection();
    void buildOptionView(QWidget* group);
    void buildResults();
};

}  // namespace velmora
