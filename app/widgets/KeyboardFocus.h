#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QGraphicsView;

namespace velmora::ui {

// The ring around the control that holds the keyboard: drawn over the content, outside the
// control's edge, and never in the way of the mouse.
class FocusRing : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMargin = 3;
    explicit FocusRing(QWidget* content);

protected:
    void paintEvent(QPaintEvent*) override;
};

// Keyboard use of the content a view shows scaled: Tab and Shift+Tab go round the controls
// of the open slide-in dialog, or of the shown screen when none is open, in reading order;
// the control holding the keyboard wears a ring from the first Tab until the next mouse
// press, so nothing changes on screen for a user of the mouse.
class KeyboardFocus : public QObject {
    Q_OBJECT
public:
    // Lives as long as the view.
    static KeyboardFocus* install(QGraphicsView* view, QWidget* content);

    FocusRing* ring() const { return qobject_cast<FocusRing*>(m_ring.data()); }
    // Whether the keyboard is in use: focus moved by Tab since the last mouse press.
    bool inUse() const { return m_inUse; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyboardFocus(QGraphicsView* view, QWidget* content);
    // Tab (forward) or Shift+Tab; false when the keys belong to someone else (an open list).
    bool moveFocus(bool forward);
    void setInUse(bool inUse);
    // Puts the ring around the focused control, or hides it.
    void follow();
    void followLater();
    // Notes the control and its parents, which move it (a panel sliding in) or hide it.
    void watch(QWidget* control);

    QGraphicsView* m_view;
    QPointer<QWidget> m_content;  // the window deletes it before the view
    // Held as a plain widget: the filter sees the ring's own events while it is destroyed,
    // when it is no longer a FocusRing.
    QPointer<QWidget> m_ring;
    bool m_inUse = false;
    bool m_followQueued = false;
    QPointer<QWidget> m_watched;
    QList<QObject*> m_watchedChain;  // its parents, compared only
};

}  // namespace velmora::ui
