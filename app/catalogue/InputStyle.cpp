#include "catalogue/InputStyle.h"

// The arrow pictures live in a static library: they must be registered by name.
static void initCatalogueResources() {
    Q_INIT_RESOURCE(catalogue);
}

namespace velmora::ui {

namespace {
QString withArrows(const char* style) {
    static const bool registered = (initCatalogueResources(), true);
    (void)registered;
    return QString::fromLatin1(style);
}
}  // namespace

QString comboStyle() {
    return withArrows(
        "QComboBox{background:white;color:black;border:1px solid #5f5f5f;border-radius:3px;"
        "padding-left:8px}"
        "QComboBox:disabled{background:#9a9a9a;color:#444}"
        "QComboBox::drop-down{subcontrol-origin:padding;subcontrol-position:center right;"
        "width:28px;border:none}"
        "QComboBox::down-arrow{image:url(:/catalogue/img/arrow_down.svg);width:10px;height:7px}"
        "QComboBox::down-arrow:disabled{image:url(:/catalogue/img/arrow_down_off.svg)}"
        "QComboBox QAbstractItemView{background:white;color:black;"
        "selection-background-color:#00a77f;selection-color:white}");
}

QString lineEditStyle() {
    return QStringLiteral(
        "QLineEdit{background:white;color:black;border:1px solid #5f5f5f;border-radius:3px;"
        "padding-left:8px}");
}

QString spinStyle() {
    return withArrows(
        "QAbstractSpinBox{background:white;color:black;border:1px solid #5f5f5f;"
        "border-radius:3px;padding-left:8px}"
        "QAbstractSpinBox::up-button,QAbstractSpinBox::down-button{subcontrol-origin:border;"
        "width:26px;border:none;background:transparent}"
        "QAbstractSpinBox::up-button{subcontrol-position:top right}"
        "QAbstractSpinBox::down-button{subcontrol-position:bottom right}"
        "QAbstractSpinBox::up-arrow{image:url(:/catalogue/img/arrow_up.svg);width:10px;"
        "height:7px}"
        "QAbstractSpinBox::down-arrow{image:url(:/catalogue/img/arrow_down.svg);width:10px;"
        "height:7px}"
        "QAbstractSpinBox::up-arrow:disabled,QAbstractSpinBox::up-arrow:off{"
        "image:url(:/catalogue/img/arrow_up_off.svg)}"
        "QAbstractSpinBox::down-arrow:disabled,QAbstractSpinBox::down-arrow:off{"
        "image:url(:/catalogue/img/arrow_down_off.svg)}");
}

QString radioStyle() {
    return QStringLiteral(
        "QRadioButton::indicator{width:14px;height:14px;border-radius:9px;"
        "border:2px solid #8a8a8a;background:transparent}"
        "QRadioButton::indicator:checked{border:2px solid #00d8a0;"
        "background:qradialgradient(cx:0.5,cy:0.5,radius:0.5,fx:0.5,fy:0.5,"
        "stop:0 #00d8a0,stop:0.5 #00d8a0,stop:0.56 transparent)}");
}

}  // namespace velmora::ui
