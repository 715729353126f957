#include "catalogue/ResultLines.h"

namespace velmora {

QStringList resultLines(const TestResult& r, bool withStatus, const NumberFormat& format) {
    const auto fixed2 = [&format](double value) {
        return QString::fromStdString(formatFixed2(value, format));
    };
    QStringList lines{
        QStringLiteral("CCA = %1").arg(r.cca),
        QStringLiteral("iR = ") + fixed2(r.resistance) + QStringLiteral(" mOhm"),
        QStringLiteral("V Diagnostic  = ") + fixed2(r.diagVoltage) + QStringLiteral(" V"),
        QStringLiteral("Voltage = ") + fixed2(r.voltage) + QStringLiteral(" V")};
    if (withStatus) lines << QStringLiteral("Status  = ") + QString::fromStdString(r.status);
    return lines;
}

}  // namespace velmora
