#pragma once

#include "widgets/SlideInDialog.h"

class QLabel;

namespace velmora::ui {

// A message or a question in the window's own look: the slide-in panel over the dark
// backdrop, placed inside the content so it scales with it. While open it is modal to the
// window: it covers every control, holds the keyboard and lets no input through. Enter
// answers OK; Escape answers Cancel, or OK when there is no Cancel. The panel grows with
// the text, which wraps (inside long words too) and never leaves the panel.
class MessageDialog : public SlideInDialog {
    Q_OBJECT
public:
    enum class Buttons { Ok, OkCancel };
    static constexpr int kWidth = 400;

    // content: the scaled content layer; the dialog covers it whole.
    MessageDialog(QWidget* content, const QString& name, const QString& text, Buttons buttons);

    // Shows a message with one OK button on top of everything and returns once it is
    // answered: callers stay synchronous.
    static void inform(QWidget* content, const QString& text);
    // Whether a message or question is open in this content layer.
    static bool anyOpen(const QWidget* content);

    // Shows the dialog on top of everything and returns at once; the answer comes with
    // finished().
    void present();
    // Shows the dialog and waits in a local event loop; true when answered OK.
    bool exec();

    QLabel* text() const { return m_text; }
    TextButton* okButton() const { return m_ok; }
    TextButton* cancelButton() const { return m_cancel; }

signals:
    void finished(bool ok);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void answer(bool ok);

    QLabel* m_text;
    TextButton* m_ok;
    TextButton* m_cancel = nullptr;
};

}  // namespace velmora::ui
