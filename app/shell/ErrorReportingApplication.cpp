#include "shell/ErrorReportingApplication.h"

#include <QMessageBox>
#include <exception>

#include "shell/TVLForm.h"

namespace velmora {

namespace {
void showUncaughtError(const QString& text) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<TVLForm*>(widget);
        if (window && window->isVisible()) {
            window->reportError(text);
            return;
        }
    }
    // No window to speak in (starting up or gone): the system's box.
    QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Velmora Tester"), text);
}
}  // namespace

bool ErrorReportingApplication::notify(QObject* receiver, QEvent* event) {
    return deliverReportingErrors([&] { return QApplication::notify(receiver, event); });
}

bool ErrorReportingApplication::deliverReportingErrors(const std::function<bool()>& deliver) {
    try {
        return deliver();
    } catch (const std::exception& error) {
        showUncaughtError(QString::fromUtf8(error.what()));
    } catch (...) {
        showUncaughtError(QCoreApplication::translate("ErrorReportingApplication",
                                                      "Terjadi kesalahan yang tidak diketahui"));
    }
    return false;
}

}  // namespace velmora
