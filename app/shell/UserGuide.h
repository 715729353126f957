#pragma once

#include <QPropertyAnimation>
#include <QWidget>

#include "widgets/Picture.h"

class QStackedWidget;

namespace velmora {

// The intro guide: five full-window pages with slide transitions, invisible hit areas
// to skip and to turn pages, and a fade-out. It lies over the whole client area and is
// not scaled with the content; its pictures stretch to fill it.
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
    // Shown in full over the window.
    void present();
    // One page back or on, staying within the pages.
    void previousPage();
    void nextPage();
    // Fades out from where it is; FloatAnimation1 ends hidden.
    void fadeOut();

    ui::PictureButton* BTSkip;
    ui::PictureButton* bLeft;
    ui::PictureButton* bRight;
    QPropertyAnimation* FloatAnimation1;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    class QVariantAnimation* m_slide;
    int m_index = 0;
    int m_previous = 0;
    qreal m_offset = 0;  // slide progress, 0..1
    qreal m_opacity = 1.0;
};

}  // namespace velmora
