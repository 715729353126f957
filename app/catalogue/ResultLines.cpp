#include "catalogue/ResultLines.h"

#include <QCoreApplication>

namespace velmora {

QStringList resultLines(const TestResult& r, bool withStatus, const NumberFormat& format) {
    const auto fixed2 = [&format](double value) {
        return QString::fromStdString(formatFixed2(value, format));
    };
    QStringList lines{
        QCoreApplication::translate("ResultLines", "CCA = %1").arg(r.cca),
        QCoreApplication::translate("ResultLines", "iR = %1 mOhm").arg(fixed2(r.resistance)),
        QCoreApplication::translate("ResultLines", "V Diagnostic  = %1 V")
            .arg(fixed2(r.diagVoltage)),
        QCoreApplication::translate("ResultLines", "Voltage = %1 V").arg(fixed2(r.voltage))};
    if (withStatus)
        lines << QCoreApplication::translate("ResultLines", "Status  = %1")
                     .arg(QString::fromStdString(r.status));
    return lines;
}

}  // namespace velmora
