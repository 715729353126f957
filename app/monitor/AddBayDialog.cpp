#include "monitor/AddBayDialog.h"

#include <QLabel>
#include <QListWidget>

#include "widgets/Theme.h"

namespace velmora {

namespace {
constexpr int kWidth = 440, kHeight = 330, kRestingY = 100;
const QColor kNoFill = QColor::fromRgb(0x4A, 0x4A, 0x4A);
const QColor kYesFill = QColor::fromRgb(0x00, 0xA7, 0x7F);
constexpr int kAddressRole = Qt::UserRole;
}  // namespace

AddBayDialog::AddBayDialog(QWidget* content)
    : ui::SlideInDialog(content, QStringLiteral("LayoutTambahCharger"),
                        QStringLiteral("FloatTambahCharger"), QSize(kWidth, kHeight), kRestingY) {
    ui::Panel* box = panel();
    QLabel* title =
        ui::makeLabel(box, QStringLiteral("LTambahChargerTitle"), tr("Tambah charger"), 20);
    title->setFont(ui::roboto(20, QFont::Medium));
    title->setGeometry(0, 12, kWidth, 30);

    ListTambahCharger = new QListWidget(box);
    ListTambahCharger->setObjectName(QStringLiteral("ListTambahCharger"));
    ListTambahCharger->setGeometry(30, 52, kWidth - 60, kHeight - 52 - 70);
    ListTambahCharger->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListTambahCharger->setFont(ui::roboto(15));
    ListTambahCharger->setStyleSheet(QStringLiteral(
        "QListWidget{background:#141414;color:white;border:1px solid #3a3a3a;border-radius:4px}"
        "QListWidget::item{padding:5px}"
        "QListWidget::item:selected{background:#00a77f;color:white}"));
    LTidakAdaCharger = ui::makeLabel(box, QStringLiteral("LTidakAdaCharger"),
                                     tr("Tidak ada charger lain yang dipasangkan"), 16, ui::kGrey);
    LTidakAdaCharger->setWordWrap(true);
    LTidakAdaCharger->setGeometry(ListTambahCharger->geometry());

    RTambahChargerNo =
        new ui::TextButton(box, QStringLiteral("RTambahChargerNo"), tr("Batalkan"), 16);
    RTambahChargerNo->setFill(kNoFill);
    RTambahChargerNo->setGeometry(70, kHeight - 56, 130, 40);
    RTambahChargerYes =
        new ui::TextButton(box, QStringLiteral("RTambahChargerYes"), tr("Tambahkan"), 16);
    RTambahChargerYes->setFill(kYesFill);
    RTambahChargerYes->setGeometry(kWidth - 70 - 130, kHeight - 56, 130, 40);
    setAnswerButtons(RTambahChargerYes, RTambahChargerNo);

    connect(RTambahChargerNo, &QAbstractButton::clicked, this, &AddBayDialog::close);
    connect(RTambahChargerYes, &QAbstractButton::clicked, this, &AddBayDialog::pickCurrent);
    connect(this, &SlideInDialog::backdropClicked, this, &AddBayDialog::close);
    // The list answers Enter itself (the dialog leaves Enter to a focused list).
    connect(ListTambahCharger, &QListWidget::itemActivated, this, &AddBayDialog::pickCurrent);
    connect(ListTambahCharger, &QListWidget::currentRowChanged, this,
            [this](int row) { RTambahChargerYes->setEnabled(row >= 0); });
    setDevices({});
}

void AddBayDialog::setDevices(const QList<QPair<QString, QString>>& devices) {
    QListWidgetItem* current = ListTambahCharger->currentItem();
    const QString kept = current ? current->data(kAddressRole).toString() : QString();
    ListTambahCharger->clear();
    for (const auto& [name, address] : devices) {
        // The name alone may be shared by two chargers of one make: the address tells.
        auto* item = new QListWidgetItem(
            name.isEmpty() || name == address ? address : name + QLatin1Char('\n') + address,
            ListTambahCharger);
        item->setData(kAddressRole, address);
        if (address == kept) ListTambahCharger->setCurrentItem(item);
    }
    if (!ListTambahCharger->currentItem() && ListTambahCharger->count() > 0)
        ListTambahCharger->setCurrentRow(0);
    const bool none = devices.isEmpty();
    ListTambahCharger->setVisible(!none);
    LTidakAdaCharger->setVisible(none);
    RTambahChargerYes->setEnabled(!none && ListTambahCharger->currentItem());
}

void AddBayDialog::pickCurrent() {
    QListWidgetItem* item = ListTambahCharger->currentItem();
    if (!item || isHidden()) return;
    const QString address = item->data(kAddressRole).toString();
    close();
    emit picked(address);
}

}  // namespace velmora
