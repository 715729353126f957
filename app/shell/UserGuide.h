#pragma once

#include <QPointer>
#include <QPropertyAnimation>
#include <QWidget>

#include "widgets/Picture.h"

class QStackedWidget;

namespace velmora {

// The intro guide: five full-window pages with slide transitions, invisible hit areas
// to skip and to turn pages, and a fade-out. It lies over the whole client area and is
// not scaled with the content; its pictures stretch to fill it.
//
// While shown it holds the keyboard, so no key reaches the window it covers: Left and
// Right turn the pages, Escape skips, Enter and Space press the hit area that holds the
// keyboard (the next page, or the end on the last one), and Tab goes round the hit areas
// with a ring around the one it is on. Once hidden, the keyboard goes back where it was.
class UserGuide : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal opacity READ opacity WRITE setOpacity)
public:
    static constexpr int kPages = 5;
    explicit UserGuide(QWidget* window);

    int pageIndex() const { return m_index; }
    // Slides to a page; direction +1 slides in from the right, -1 from the left.
    void slideTo(int index);
    qreal opacity() const { return m_opacity; }
    void setOpacity(qreal opacity);
    // Shown in full over the window, holding the keyboard; keyboardInUse: opened by a user
    // of the keyboard, who starts ringed on the next page's hit area.
    void present(bool keyboardInUse = false);
    // One page back or on, staying within the pages.
    void previousPage();
    void nextPage();
    // Fades out from where it is; FloatAnimation1 ends hidden.
    void fadeOut();
    // Whether the ring shows around the hit area holding the keyboard.
    bool ringShown() const;

    ui::PictureButton* BTSkip;
    ui::PictureButton* bLeft;
    ui::PictureButton* bRight;
    QPropertyAnimation* FloatAnimation1;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void hideEvent(QHideEvent*) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The hit areas that do something on this page, in reading order.
    QList<ui::PictureButton*> usableHitAreas() const;
    // What Enter does where no hit area holds the keyboard: on, or the end on the last page.
    ui::PictureButton* defaultHitArea() const;
    void showPageNames();

    QPointer<QWidget> m_returnFocus;
    bool m_keyboardInUse = false;
    class QVariantAnimation* m_slide;
    int m_index = 0;
    int m_previous = 0;
    qreal m_offset = 0;  // slide progress, 0..1
    qreal m_opacity = 1.0;
};

}  // namespace velmora
