#include "simulated_window.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace velmora::bench {

SimulatedWindow::SimulatedWindow(const SimulatorOptions& simulator,
                                 const QStringList& chargerAddresses)
    : window(std::make_unique<DevicePlatform>(nullptr, true, chargerAddresses, simulator), 1366) {
    window.setMessageSink([](const QString&) {});
    window.setDocumentsFolder(documents.path());
}

void connectSimulatedCharger(TVLForm& window) {
    window.show();
    window.FormShow();
    window.BTConnectionClick();
    bool connected = false;
    QObject::connect(&window, &TVLForm::connectionFinished, [&](bool ok) { connected = ok; });
    window.BTConnectClick();
    while (!connected) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

}  // namespace velmora::bench
