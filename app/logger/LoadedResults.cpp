#include "logger/LoadedResults.h"

#include <QCoreApplication>
#include <QLabel>

#include "catalogue/DiagnosticScreen.h"
#include "logger/LogNumbers.h"
#include "monitor/DashboardScreen.h"

namespace velmora {

namespace {
struct Lines {
    QLabel *cca, *resistance, *voltage, *diagVoltage;
};

void showLines(const Lines& lines, int cca, double resistance, double voltage, double diagVoltage,
               const NumberFormat& format) {
    const auto fixed2 = [&format](double value) {
        return QString::fromStdString(formatFixed2(value, format));
    };
    lines.cca->setText(QCoreApplication::translate("ResultLines", "CCA = %1").arg(cca));
    lines.resistance->setText(
        QCoreApplication::translate("ResultLines", "iR = %1 mOhm").arg(fixed2(resistance)));
    lines.voltage->setText(
        QCoreApplication::translate("ResultLines", "Vo = %1 V").arg(fixed2(voltage)));
    lines.diagVoltage->setText(QCoreApplication::translate("ResultLines", "V Diagnostic  = %1 V")
                                   .arg(fixed2(diagVoltage)));
}
}  // namespace

void showLoadedResults(const LoadedRecord& r, DiagnosticScreen* d, DashboardScreen* dashboard,
                       const NumberFormat& format) {
    // The loaded panels take the place of a test-mode result, which would cover them.
    d->RTest->hide();
    d->RCAccu->show();
    d->RBefore->show();
    d->RAfter->show();
    // Both diagnostic voltages are written in every case, so no line keeps the figure of
    // the battery shown before.
    showLines({d->BCCA, d->BiR, d->BVo, d->Bvd}, r.before.cca, r.before.resistance,
              r.before.voltage, r.before.diagVoltage, format);
    showLines({d->ACCA, d->AiR, d->AVo, d->Avd}, r.after.cca, r.after.resistance, r.after.voltage,
              r.after.diagVoltage, format);
    d->ARes1->setText(QCoreApplication::translate("ResultLines", "Status  = %1")
                          .arg(QString::fromStdString(r.after.status)));

    const bool after = r.hasAfterResult();
    dashboard->LCCA->setText(QString::number(after ? r.after.cca : r.before.cca));
    dashboard->LiR->setText(QString::fromStdString(
        significantText(after ? r.after.resistance : r.before.resistance, format)));
}

}  // namespace velmora
