#include "catalogue/DiagnosticScreen.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "catalogue/Dataaki.h"
#include "catalogue/InputStyle.h"
#include "widgets/PlainTextValidator.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
const QColor kColumnFill = QColor::fromRgba(0xFF262626);
const QColor kColumnBorder = QColor::fromRgba(0xFF979797);
const QColor kValueBorder = QColor::fromRgba(0xFF5F5F5F);
const QColor kResultFill = QColor::fromRgba(0xE01A1A1A);
const QColor kRule = QColor::fromRgba(0xFF4A4A4A);
constexpr int kColumnWidth = 415, kColumnHeight = 420;
constexpr int kRowHeight = 45, kLabelWidth = 140, kControlWidth = 200, kControlHeight = 32;
constexpr int kFirstLineY = 56, kLineStep = 42;
constexpr int kTopMargin = 5, kTitleHeight = 35, kButtonRowHeight = 60;
// The option view has five rows; the catalogue rows and the mode row fit in the same place.
constexpr int kGroupHeight = 5 * kRowHeight;
static_assert(kTopMargin + kTitleHeight + 1 + 2 * kRowHeight + kGroupHeight + kButtonRowHeight <=
                  kColumnHeight,
              "the column's rows must fit in the column");

// A selection row: label on the left, the control centred in the rest of the row.
QLabel* rowLabel(QWidget* parent, const char* name, const QString& text, int y) {
    QLabel* label = ui::makeLabel(parent, QString::fromLatin1(name), text, 18, ui::kWhite,
                                  Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(20, y, kLabelWidth - 20, kRowHeight);
    return label;
}

QRect controlRect(int y, int height = kControlHeight) {
    const int left = kLabelWidth + (kColumnWidth - kLabelWidth - kControlWidth) / 2;
    return QRect(left, y + (kRowHeight - height) / 2, kControlWidth, height);
}

QComboBox* rowCombo(QWidget* parent, const char* name, int y) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setGeometry(controlRect(y));
    combo->setFont(ui::roboto(15));
    combo->setStyleSheet(ui::comboStyle());
    return combo;
}

// A white value box holding a label (capacity, option values).
QLabel* valueBox(QWidget* parent, const char* boxName, const char* labelName, int y,
                 ui::Panel** boxOut = nullptr) {
    auto* box = new ui::Panel(parent, QString::fromLatin1(boxName), ui::kWhite, kValueBorder, 3);
    box->setGeometry(controlRect(y, 33));
    QLabel* label = ui::makeLabel(box, QString::fromLatin1(labelName), QString(), 16, ui::kBlack);
    label->setGeometry(0, 0, box->width(), box->height());
    if (boxOut) *boxOut = box;
    return label;
}

// Result lines, top to bottom, under the panel's heading.
QLabel* resultLine(QWidget* panel, const char* name, int line) {
    QLabel* label = ui::makeLabel(panel, QString::fromLatin1(name), QStringLiteral("-"), 16,
                                  ui::kWhite, Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(18, kFirstLineY + line * kLineStep, panel->width() - 26, 30);
    return label;
}

ui::Panel* resultPanel(QWidget* parent, const char* name, const QString& heading,
                       const QRect& geometry) {
    auto* panel = new ui::Panel(parent, QString::fromLatin1(name), kResultFill, kColumnBorder, 4);
    panel->setGeometry(geometry);
    QLabel* title = ui::makeLabel(panel, QString::fromLatin1(name) + QStringLiteral("Title"),
                                  heading, 17, ui::kAccent);
    title->setFont(ui::roboto(17, QFont::Bold));
    title->setGeometry(0, 10, geometry.width(), 26);
    auto* rule = new ui::Panel(panel, QString::fromLatin1(name) + QStringLiteral("Rule"), kRule,
                               QColor(), 0);
    rule->setGeometry(16, 44, geometry.width() - 32, 1);
    return panel;
}
}  // namespace

DiagnosticScreen::DiagnosticScreen(QWidget* main, const Dataaki& catalogue) : QWidget(main) {
    setObjectName(QStringLiteral("M2Diagnostic"));
    setGeometry(0, 0, main->width(), main->height());
    buildSelection();
    // The brand box lists the catalogue's brands with none chosen; nothing is wired yet.
    for (const std::string& brand : catalogue.brands())
        ComboMerk->addItem(QString::fromStdString(brand));
    ComboMerk->setCurrentIndex(-1);
    buildResults();
}

void DiagnosticScreen::buildSelection() {
    auto* column = new ui::Panel(this, QStringLiteral("M2Content"), kColumnFill, kColumnBorder, 3);
    column->setGeometry(40, 29, kColumnWidth, kColumnHeight);
    M2Content = column;
    int y = kTopMargin;
    LDataReference =
        ui::makeLabel(column, QStringLiteral("LDataReference"), tr("DATA REFERENSI"), 32);
    LDataReference->setFont(ui::roboto(32, QFont::Bold));
    LDataReference->setGeometry(0, y, kColumnWidth, kTitleHeight);
    y += kTitleHeight + 1;

    LProfile = rowLabel(column, "LProfile", tr("Nama Profil"), y);
    Edit1 = new QLineEdit(column);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setPlaceholderText(tr("Ketik di sini"));
    Edit1->setFont(ui::roboto(15));
    Edit1->setGeometry(controlRect(y));
    Edit1->setStyleSheet(ui::lineEditStyle());
    Edit1->setValidator(new ui::PlainTextValidator(Edit1));
    y += kRowHeight;

    LBrand = rowLabel(column, "LBrand", tr("Merk"), y);
    ComboMerk = rowCombo(column, "ComboMerk", y);
    y += kRowHeight;

    ReferenceGroup = new QWidget(column);
    ReferenceGroup->setObjectName(QStringLiteral("ReferenceGroup"));
    ReferenceGroup->setGeometry(0, y, kColumnWidth, kGroupHeight);
    RG1 = new QWidget(ReferenceGroup);
    RG1->setObjectName(QStringLiteral("RG1"));
    RG1->setGeometry(ReferenceGroup->rect());
    int gy = 0;
    LVariety = rowLabel(RG1, "LVariety", tr("Jenis"), gy);
    ComboJenis = rowCombo(RG1, "ComboJenis", gy);
    gy += kRowHeight;
    LType = rowLabel(RG1, "LType", tr("Tipe"), gy);
    ComboTipe = rowCombo(RG1, "ComboTipe", gy);
    gy += kRowHeight;
    LCapacity = rowLabel(RG1, "LCapacity", tr("Kapasitas"), gy);
    LCap = valueBox(RG1, "RCapacity", "LCap", gy, &RCapacity);
    gy += kRowHeight;
    LabMethod = ui::makeLabel(RG1, QStringLiteral("LabMethod"), tr("Mode Pengisian"), 18);
    LabMethod->setGeometry(0, gy + 4, kColumnWidth, 26);
    RadioNormal = new QRadioButton(tr("Normal Mode"), RG1);
    RadioNormal->setObjectName(QStringLiteral("RadioNormal"));
    RadioFast = new QRadioButton(tr("Fast Mode"), RG1);
    RadioFast->setObjectName(QStringLiteral("RadioFast"));
    const int radioLeft = (kColumnWidth - 2 * 165) / 2;
    RadioNormal->setGeometry(radioLeft + 20, gy + 34, 145, 30);
    RadioFast->setGeometry(radioLeft + 165 + 20, gy + 34, 145, 30);
    auto* group = new QButtonGroup(RG1);
    group->addButton(RadioNormal);
    group->addButton(RadioFast);
    for (QRadioButton* radio : {RadioNormal, RadioFast}) {
        radio->setFont(ui::roboto(16));
        radio->setFocusPolicy(Qt::TabFocus);  // a click leaves the keyboard where it was
        radio->setStyleSheet(ui::radioStyle());
    }
    RadioNormal->setChecked(true);
    ui::setTextColor(RadioNormal, ui::kWhite);
    ui::setTextColor(RadioFast, ui::kGrey);

    RG2 = new QWidget(ReferenceGroup);
    RG2->setObjectName(QStringLiteral("RG2"));
    RG2->setGeometry(ReferenceGroup->rect());
    buildOptionView(RG2);
    RG2->hide();
    y += ReferenceGroup->height();

    IBTSPS = new QWidget(column);
    IBTSPS->setObjectName(QStringLiteral("IBTSPS"));
    IBTSPS->setGeometry(50, y + (kButtonRowHeight - 48) / 2, 120, 48);
    BTTambah = new ui::TextButton(IBTSPS, QStringLiteral("BTTambah"), tr("Tambah Data"), 15);
    BTTambah->setFill(QColor::fromRgb(0x3D, 0x6F, 0xD1));
    BTTambah->setGeometry(0, 0, 120, 48);
    IBTSPS->hide();
    IBTSend = new QWidget(column);
    IBTSend->setObjectName(QStringLiteral("IBTSend"));
    IBTSend->setGeometry(kColumnWidth - 50 - 120, y + (kButtonRowHeight - 48) / 2, 120, 48);
    BTSendData = new ui::TextButton(IBTSend, QStringLiteral("BTSendData"), tr("   Kirim Data"), 15);
    BTSendData->setFill(QColor::fromRgb(0x00, 0xA7, 0x7F));
    BTSendData->setGeometry(0, 0, 120, 48);
}

void DiagnosticScreen::buildOptionView(QWidget* group) {
    int y = 0;
    rowLabel(group, "Label52", tr("Opsi Ke"), y);
    ComboIndeks = rowCombo(group, "ComboIndeks", y);
    y += kRowHeight;
    rowLabel(group, "Label67", tr("Jenis"), y);
    LOJenis = valueBox(group, "ROJenis", "LOJenis", y);
    y += kRowHeight;
    rowLabel(group, "Label54", tr("Kapasitas"), y);
    LOKapasitas = valueBox(group, "ROKapasitas", "LOKapasitas", y);
    y += kRowHeight;
    rowLabel(group, "Label53", tr("Arus CC"), y);
    LOArus = valueBox(group, "ROArus", "LOArus", y);
    y += kRowHeight;
    rowLabel(group, "Label55", QStringLiteral("CCA"), y);
    LOCCA = valueBox(group, "ROCCA", "LOCCA", y);
}

void DiagnosticScreen::buildResults() {
    ImageAccu = new ui::PictureButton(this, QStringLiteral("ImageAccu"),
                                      QStringLiteral(":/img/battery.svg"));
    ImageAccu->setGeometry(600, 20, 200, 140);
    ImageAccu->setToolTip(tr("Baterai berikutnya"));

    // Level with the bottom of the left column, with the same margin to the window edge.
    const QRect resultArea(480, 175, 440, 274);
    RCAccu = new QWidget(this);
    RCAccu->setObjectName(QStringLiteral("RCAccu"));
    RCAccu->setGeometry(resultArea);
    const int half = resultArea.width() / 2;
    RBefore = resultPanel(RCAccu, "RBefore", tr("Sebelum Pengisian"),
                          QRect(0, 0, half - 5, resultArea.height()));
    BCCA = resultLine(RBefore, "BCCA", 0);
    BiR = resultLine(RBefore, "BiR", 1);
    BVo = resultLine(RBefore, "BVo", 2);
    Bvd = resultLine(RBefore, "Bvd", 3);
    RAfter = resultPanel(RCAccu, "RAfter", tr("Sesudah Pengisian"),
                         QRect(half + 5, 0, half - 5, resultArea.height()));
    ACCA = resultLine(RAfter, "ACCA", 0);
    AiR = resultLine(RAfter, "AiR", 1);
    AVo = resultLine(RAfter, "AVo", 2);
    Avd = resultLine(RAfter, "Avd", 3);
    ARes1 = resultLine(RAfter, "ARes1", 4);
    RTest = resultPanel(this, "RTest", tr("Hasil Tes"), resultArea);
    TCCA = resultLine(RTest, "TCCA", 0);
    TiR = resultLine(RTest, "TiR", 1);
    TVd = resultLine(RTest, "TVd", 2);
    TVo = resultLine(RTest, "TVo", 3);
    TStatus = resultLine(RTest, "TStatus", 4);
    RCAccu->hide();
    RBefore->hide();
    RAfter->hide();
    RTest->hide();
}

void DiagnosticScreen::showOptionView(bool options) {
    RG2->setVisible(options);
    RG1->setVisible(!options);
    ComboTipe->setEnabled(!options);
    BTSendData->setText(options ? tr("   Atur Data") : tr("   Kirim Data"));
    IBTSPS->setVisible(options);
}

}  // namespace velmora
