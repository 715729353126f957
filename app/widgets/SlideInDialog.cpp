#include "widgets/SlideInDialog.h"

#include <QMouseEvent>
#include <QPainter>

#include "widgets/FramePacer.h"
#include "widgets/Theme.h"

namespace velmora::ui {

namespace {
constexpr qreal kBackdropOpacity = 0.8;
const QColor kPanelBorder = QColor::fromRgb(0x97, 0x97, 0x97);
}  // namespace

SlideInDialog::SlideInDialog(QWidget* window, const QString& name, const QString& animationName,
                             QSize panelSize, int restingY)
    : QWidget(window), m_restingY(restingY) {
    setObjectName(name);
    setGeometry(0, 0, window->width(), window->height());
    m_panel = new Panel(this, name + QStringLiteral("Panel"), kPanel, kPanelBorder, 3);
    m_panel->setGeometry((width() - panelSize.width()) / 2, restingY, panelSize.width(),
                         panelSize.height());
    m_animation = new QPropertyAnimation(this, "panelY", this);
    m_animation->setObjectName(animationName);
    m_animation->setDuration(kSlideMs);
    m_animation->setEasingCurve(QEasingCurve::OutCubic);
    FramePacer::fullRateWhileRunning(m_animation);  // the panel crosses the window
    hide();
}

int SlideInDialog::panelY() const {
    return m_panel->y();
}

void SlideInDialog::setPanelY(int y) {
    m_panel->move(m_panel->x(), y);
}

void SlideInDialog::open() {
    setPanelY(kStartY);
    show();
    m_animation->stop();
    m_animation->setStartValue(kStartY);
    m_animation->setEndValue(m_restingY);
    m_animation->start();
}

void SlideInDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QColor backdrop = kBlack;
    backdrop.setAlphaF(kBackdropOpacity);
    painter.fillRect(rect(), backdrop);
}

void SlideInDialog::mousePressEvent(QMouseEvent* event) {
    if (!m_panel->geometry().contains(event->position().toPoint())) emit backdropClicked();
    event->accept();  // the backdrop blocks clicks to the screens below
}

}  // namespace velmora::ui
