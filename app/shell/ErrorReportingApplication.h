#pragma once

#include <QApplication>
#include <functional>

namespace velmora {

// The application object: an error that no handler caught is shown with its text, and
// the window stays open.
class ErrorReportingApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;

    // Runs one delivery of an event. An error it throws is shown (as a message of the
    // window while the window is up, else in a system message box) and gives false.
    static bool deliverReportingErrors(const std::function<bool()>& deliver);
};

}  // namespace velmora
