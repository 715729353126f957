#include "printing/JobDetailsDialog.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "catalogue/InputStyle.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
constexpr int kWidth = 420, kHeight = 340, kRestingY = 90;
constexpr int kFirstRowY = 62, kRowHeight = 50, kLabelX = 24, kLabelWidth = 150;
constexpr int kControlX = 180, kControlWidth = kWidth - 24 - kControlX, kControlHeight = 32;

QRect controlRect(int row) {
    return {kControlX, kFirstRowY + row * kRowHeight, kControlWidth, kControlHeight};
}

void rowLabel(QWidget* panel, int row, const char* name, const QString& text) {
    ui::makeLabel(panel, QString::fromLatin1(name), text, 15, ui::kWhite,
                  Qt::AlignLeft | Qt::AlignVCenter)
        ->setGeometry(kLabelX, kFirstRowY + row * kRowHeight, kLabelWidth, kControlHeight);
}

QLineEdit* editRow(QWidget* panel, int row, const char* name, const char* labelName,
                   const QString& caption) {
    rowLabel(panel, row, labelName, caption);
    auto* edit = new QLineEdit(panel);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(40);
    edit->setFont(ui::roboto(15));
    edit->setStyleSheet(ui::lineEditStyle());
    edit->setGeometry(controlRect(row));
    return edit;
}
}  // namespace

JobDetailsDialog::JobDetailsDialog(QWidget* window)
    : ui::SlideInDialog(window, QStringLiteral("LayoutJob"), QStringLiteral("FloatJob"),
                        QSize(kWidth, kHeight), kRestingY) {
    ui::Panel* box = panel();
    QLabel* title = ui::makeLabel(box, QStringLiteral("LJobTitle"), tr("DATA PEKERJAAN"), 20);
    title->setFont(ui::roboto(20, QFont::Medium));
    title->setGeometry(0, 16, kWidth, 30);
    EditBatteryId = editRow(box, 0, "EditBatteryId", "LBatteryId", tr("No. Seri Aki"));
    EditBatteryId->setPlaceholderText(tr("Pindai atau ketik"));
    EditTechnician = editRow(box, 1, "EditTechnician", "LTechnician", tr("Teknisi"));
    EditJob = editRow(box, 2, "EditJob", "LJob", tr("No. Pekerjaan"));
    rowLabel(box, 3, "LInVehicle", tr("Posisi Aki"));
    ComboInVehicle = new QComboBox(box);
    ComboInVehicle->setObjectName(QStringLiteral("ComboInVehicle"));
    ComboInVehicle->setFont(ui::roboto(15));
    ComboInVehicle->setStyleSheet(ui::comboStyle());
    ComboInVehicle->setGeometry(controlRect(3));
    ComboInVehicle->addItem(tr("Tidak disebut"));
    ComboInVehicle->addItem(tr("Di kendaraan"), true);
    ComboInVehicle->addItem(tr("Di luar kendaraan"), false);
    // A scanner's Enter ends the field it typed into; it must not print the receipt.
    for (QLineEdit* edit : {EditBatteryId, EditTechnician, EditJob}) edit->installEventFilter(this);

    RJobCancel = new ui::TextButton(box, QStringLiteral("RJobCancel"), tr("Batalkan"), 16);
    RJobCancel->setFill(QColor::fromRgb(0x4A, 0x4A, 0x4A));
    RJobCancel->setGeometry(60, kHeight - 62, 130, 42);
    RJobNext = new ui::TextButton(box, QStringLiteral("RJobNext"), tr("Lanjut"), 16);
    RJobNext->setFill(QColor::fromRgb(0x00, 0xA7, 0x7F));
    RJobNext->setGeometry(kWidth - 60 - 130, kHeight - 62, 130, 42);
    setAnswerButtons(RJobNext, RJobCancel);
    connect(RJobCancel, &QAbstractButton::clicked, this, [this] {
        m_next = nullptr;
        close();
    });
    connect(RJobNext, &QAbstractButton::clicked, this, [this] {
        auto next = std::exchange(m_next, nullptr);
        close();
        if (next) next(details());
    });
}

void JobDetailsDialog::ask(const certificate::JobDetails& last,
                           std::function<void(const certificate::JobDetails&)> next) {
    m_next = std::move(next);
    // A new battery: its serial is typed again; who works and on which job often stays.
    EditBatteryId->clear();
    EditTechnician->setText(QString::fromStdString(last.technician));
    EditJob->setText(QString::fromStdString(last.job));
    ComboInVehicle->setCurrentIndex(last.inVehicle ? (*last.inVehicle ? 1 : 2) : 0);
    open();
    EditBatteryId->setFocus();
}

certificate::JobDetails JobDetailsDialog::details() const {
    certificate::JobDetails job;
    job.batteryId = EditBatteryId->text().trimmed().toStdString();
    job.technician = EditTechnician->text().trimmed().toStdString();
    job.job = EditJob->text().trimmed().toStdString();
    const QVariant inVehicle = ComboInVehicle->currentData();
    if (inVehicle.isValid()) job.inVehicle = inVehicle.toBool();
    return job;
}

bool JobDetailsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == EditBatteryId)
                EditTechnician->setFocus();
            else if (watched == EditTechnician)
                EditJob->setFocus();
            else
                ComboInVehicle->setFocus();
            return true;
        }
    }
    return ui::SlideInDialog::eventFilter(watched, event);
}

}  // namespace velmora
