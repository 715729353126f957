#pragma once

#include <QList>
#include <QPair>

#include "widgets/SlideInDialog.h"

class QLabel;
class QListWidget;

namespace velmora {

// "Tambah charger" (LayoutTambahCharger): the paired chargers not yet watched, one to
// pick. Enter or a double-click on a row adds it; Escape closes.
class AddBayDialog : public ui::SlideInDialog {
    Q_OBJECT
public:
    explicit AddBayDialog(QWidget* content);

    // (name, address); the row picked stays picked while it is still offered.
    void setDevices(const QList<QPair<QString, QString>>& devices);

    QListWidget* ListTambahCharger;
    QLabel* LTidakAdaCharger;
    ui::TextButton* RTambahChargerNo;
    ui::TextButton* RTambahChargerYes;

signals:
    void picked(const QString& address);

private:
    void pickCurrent();
};

}  // namespace velmora
