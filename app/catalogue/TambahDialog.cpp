#include "catalogue/TambahDialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>

#include "catalogue/InputStyle.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
constexpr int kWidth = 420, kHeight = 320, kRestingY = 100;
constexpr int kFirstRowY = 52, kRowHeight = 40, kLabelX = 30, kLabelWidth = 140;
constexpr int kControlWidth = 200, kControlHeight = 30, kControlX = kWidth - 30 - kControlWidth;
const QColor kNoFill = QColor::fromRgb(0x4A, 0x4A, 0x4A);
const QColor kYesFill = QColor::fromRgb(0x00, 0xA7, 0x7F);

// One row: a white caption on the left, the input box on the right.
template <typename Box>
Box* addRow(QWidget* panel, int row, const char* name, const QString& caption) {
    const int y = kFirstRowY + row * kRowHeight;
    QLabel* label = ui::makeLabel(panel, QString::fromLatin1(name) + QStringLiteral("Label"),
                                  caption, 17, ui::kWhite, Qt::AlignLeft | Qt::AlignVCenter);
    label->setGeometry(kLabelX, y, kLabelWidth, kRowHeight);
    auto* box = new Box(panel);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(kControlX, y + (kRowHeight - kControlHeight) / 2, kControlWidth,
                     kControlHeight);
    box->setFont(ui::roboto(15));
    return box;
}
}  // namespace

TambahDialog::TambahDialog(QWidget* window)
    : ui::SlideInDialog(window, QStringLiteral("LayoutTambah"), QStringLiteral("FloatTambah"),
                        QSize(kWidth, kHeight), kRestingY) {
    ui::Panel* box = panel();
    QLabel* title = ui::makeLabel(box, QStringLiteral("LTambahTitle"), tr("Tambah Data"), 20);
    title->setFont(ui::roboto(20, QFont::Medium));
    title->setGeometry(0, 12, kWidth, 30);

    ComboIndeksT = addRow<QComboBox>(box, 0, "ComboIndeksT", tr("Opsi Ke"));
    ComboJenisT = addRow<QComboBox>(box, 1, "ComboJenisT", tr("Jenis"));
    for (QComboBox* combo : {ComboIndeksT, ComboJenisT}) combo->setStyleSheet(ui::comboStyle());

    SpinKapasitasT = addRow<QDoubleSpinBox>(box, 2, "SpinKapasitasT", tr("Kapasitas"));
    SpinKapasitasT->setDecimals(1);
    SpinKapasitasT->setRange(2.0, 20.0);
    SpinKapasitasT->setSingleStep(0.5);
    SpinKapasitasT->setValue(4.0);
    SpinKapasitasT->setSuffix(QStringLiteral(" Ah"));

    SpinArusCCT = addRow<QSpinBox>(box, 3, "SpinArusCCT", tr("Arus CC"));
    SpinArusCCT->setRange(1, 5);
    SpinArusCCT->setSingleStep(1);
    SpinArusCCT->setValue(1);
    SpinArusCCT->setSuffix(QStringLiteral(" A"));

    SpinCCAT = addRow<QDoubleSpinBox>(box, 4, "SpinCCAT", QStringLiteral("CCA"));
    SpinCCAT->setDecimals(2);
    SpinCCAT->setRange(40.0, 10000.0);
    SpinCCAT->setSingleStep(5.0);
    SpinCCAT->setValue(100.0);
    for (QAbstractSpinBox* spin :
         std::initializer_list<QAbstractSpinBox*>{SpinKapasitasT, SpinArusCCT, SpinCCAT})
        spin->setStyleSheet(ui::spinStyle());

    // Answer buttons as in the other dialogs: cancel on the left, confirm on the right.
    RTambahNo = new ui::TextButton(box, QStringLiteral("RTambahNo"), tr("Batalkan"), 16);
    RTambahNo->setFill(kNoFill);
    RTambahNo->setGeometry(60, kHeight - 56, 130, 40);
    RTambahYes = new ui::TextButton(box, QStringLiteral("RTambahYes"), tr("Tambahkan"), 16);
    RTambahYes->setFill(kYesFill);
    RTambahYes->setGeometry(kWidth - 60 - 130, kHeight - 56, 130, 40);
    setAnswerButtons(RTambahYes, RTambahNo);
}

}  // namespace velmora
