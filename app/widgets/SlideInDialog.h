#pragma once

#include <QPropertyAnimation>
#include <QWidget>

#include "widgets/Picture.h"

namespace velmora::ui {

// A full-window dark backdrop with a centred panel that slides up from below the window
// to its resting position when opened. Closing hides it at once.
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

signals:
    // A press on the dark area outside the panel.
    void backdropClicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Panel* m_panel;
    QPropertyAnimation* m_animation;
    int m_restingY;
};

}  // namespace velmora::ui
