#pragma once

#include <QApplication>

namespace velmora {

// The application object: an error that no handler caught is shown in a message box
// with its text, and the window stays open.
class ErrorReportingApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace velmora
