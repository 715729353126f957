#include "shell/ErrorReportingApplication.h"

#include <QMessageBox>
#include <exception>

namespace velmora {

bool ErrorReportingApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Velmora Tester"),
                              QString::fromUtf8(error.what()));
    } catch (...) {
        QMessageBox::critical(activeWindow(), QStringLiteral("Velmora Tester"),
                              QStringLiteral("Terjadi kesalahan yang tidak diketahui"));
    }
    return false;
}

}  // namespace velmora
