#pragma once

#include <QComboBox>

namespace velmora {

// A device box: announces when its list is about to open, so the list can be refreshed
// first, and shortens a long device name in the middle, where names of one kind differ
// least ("Charger Simulasi (…0.0.1:5556)"), clear of the arrow; the whole name is the
// item's tooltip.
class DeviceComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DeviceComboBox(QWidget* parent = nullptr);
    void showPopup() override;
    // The chosen name as drawn: whole when it fits beside the arrow, else shortened.
    QString shownText() const;
    // Where the name is drawn, left of the arrow.
    QRect textField() const;

signals:
    void aboutToShowPopup();

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velmora
