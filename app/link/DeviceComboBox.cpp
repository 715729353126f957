#include "link/DeviceComboBox.h"

#include <QAbstractItemView>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace velmora {

DeviceComboBox::DeviceComboBox(QWidget* parent) : QComboBox(parent) {
    view()->setTextElideMode(Qt::ElideMiddle);
}

void DeviceComboBox::showPopup() {
    emit aboutToShowPopup();
    QComboBox::showPopup();
}

QRect DeviceComboBox::textField() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField,
                                   this);
}

QString DeviceComboBox::shownText() const {
    // A little room for the style's own margin inside the field.
    return fontMetrics().elidedText(currentText(), Qt::ElideMiddle, textField().width() - 4);
}

void DeviceComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    // The style draws the label unshortened, under the arrow when it is too long.
    option.currentText = shownText();
    setToolTip(option.currentText == currentText() ? QString() : currentText());
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace velmora
