#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

namespace velmora {

namespace ui {
class MessageDialog;
}

// The hardware Back key asks before leaving, unless it is closing the on-screen keyboard
// or a message in front is to be answered first. Closing the window (its close button,
// Alt+F4) asks only when it would cut something off, and says what.
class ExitQuestion : public QObject {
    Q_OBJECT
public:
    // What closing now would cut off, the first that applies.
    enum class CutOff { Nothing, Print, Charge, Reconnect };

    explicit ExitQuestion(QWidget* content);
    // Whether the key was the Back key and has been taken care of.
    bool handle(QKeyEvent* event);
    // Asks whether to close although `what` would be cut off; the answer comes with
    // answered(). A question already open is only brought to the front.
    void askToClose(CutOff what);
    static QString closeQuestion(CutOff what);

signals:
    void answered(bool leave);

private:
    // Whether the exit or close question is open (it is brought to the front).
    bool raiseOpenQuestion();

    QWidget* m_content;
    ui::MessageDialog* m_dialog = nullptr;
    ui::MessageDialog* m_closeDialog = nullptr;
};

}  // namespace velmora
