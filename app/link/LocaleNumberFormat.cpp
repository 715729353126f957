#include "link/LocaleNumberFormat.h"

#include <QLocale>
#include <QString>

namespace velmora {

NumberFormat userNumberFormat() {
    const QString point = QLocale().decimalPoint();
    NumberFormat format;
    if (point.size() == 1 && point.at(0).unicode() < 128)
        format.decimalSeparator = static_cast<char>(point.at(0).unicode());
    return format;
}

}  // namespace velmora
