#include "catalogue/InputStyle.h"

namespace velmora::ui {

const QString kComboStyle = QStringLiteral(
    "QComboBox{background:white;color:black;border:1px solid #5f5f5f;border-radius:3px;"
    "padding-left:8px}"
    "QComboBox:disabled{background:#9a9a9a;color:#444}"
    "QComboBox QAbstractItemView{background:white;color:black;"
    "selection-background-color:#00a77f;selection-color:white}");

const QString kLineEditStyle = QStringLiteral(
    "QLineEdit{background:white;color:black;border:1px solid #5f5f5f;border-radius:3px;"
    "padding-left:8px}");

const QString kSpinStyle = QStringLiteral(
    "QAbstractSpinBox{background:white;color:black;border:1px solid #5f5f5f;"
    "border-radius:3px;padding-left:8px}");

}  // namespace velmora::ui
