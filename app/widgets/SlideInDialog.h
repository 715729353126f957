#pragma once

#include <QPointer>
#include <QPropertyAnimation>
#include <QWidget>

#include "widgets/Picture.h"

class QAbstractButton;

namespace velmora::ui {

// A full-window dark backdrop with a centred panel that slides up from below the window
// to its resting position when opened. Closing hides it at once.
//
// While open it holds the keyboard: it takes the focus on opening (while the keyboard is in
// use the panel's first edit, box or list, else the dialog itself), Tab and Shift+Tab go
// round its controls only, Enter presses its positive button and Escape its negative one,
// and on closing the focus goes back where it was.
class SlideInDialog : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int panelY READ panelY WRITE setPanelY)
public:
    static constexpr int kStartY = 780;
    static constexpr int kSlideMs = 250;

    // name: the layout's name; animationName: its float animation's name.
    SlideInDialog(QWidget* window, const QString& name, const QString& animationName,
                  QSize panelSize, int restingY);

    Panel* panel() const { return m_panel; }
    QPropertyAnimation* animation() const { return m_animation; }
    int restingY() const { return m_restingY; }
    int panelY() const;
    void setPanelY(int y);

    // Shows the layout and slides the panel in from below.
    void open();
    void close() { hide(); }

    // The buttons that answer the keyboard: Enter presses `positive` (a focused button
    // presses itself); Escape presses `negative`, or acts as a click beside the panel when
    // there is none. Either may be null; a hidden or disabled one is not pressed.
    void setAnswerButtons(QAbstractButton* positive, QAbstractButton* negative);
    QAbstractButton* positiveButton() const { return m_positive; }
    QAbstractButton* negativeButton() const { return m_negative; }
    // Puts the keyboard on the panel's first edit, box or list while the keyboard is in use
    // (Qt::WA_KeyboardFocusChange on the content), else on the dialog itself, where Enter
    // and Escape answer.
    void focusFirstControl();

    // The open dialog on top of the others in this content layer, or null.
    static SlideInDialog* topmostOpen(const QWidget* content);

signals:
    // A press on the dark area outside the panel.
    void backdropClicked();

protected:
    // Escape: the negative button, else what a click beside the panel does.
    virtual void reject();

    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    Panel* m_panel;
    QPropertyAnimation* m_animation;
    int m_restingY;
    QPointer<QAbstractButton> m_positive;
    QPointer<QAbstractButton> m_negative;
    QPointer<QWidget> m_previousFocus;
};

}  // namespace velmora::ui
