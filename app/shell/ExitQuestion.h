#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

namespace velmora {

namespace ui {
class MessageDialog;
}

// The hardware Back key asks before leaving, unless it is closing the on-screen keyboard
// or a message in front is to be answered first.
class ExitQuestion : public QObject {
    Q_OBJECT
public:
    explicit ExitQuestion(QWidget* content);
    // Whether the key was the Back key and has been taken care of.
    bool handle(QKeyEvent* event);

signals:
    void answered(bool leave);

private:
    QWidget* m_content;
    ui::MessageDialog* m_dialog = nullptr;
};

}  // namespace velmora
