#include "widgets/SlideInDialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "widgets/FocusChain.h"
#include "widgets/FramePacer.h"
#include "widgets/Theme.h"

namespace velmora::ui {

namespace {
constexpr qreal kBackdropOpacity = 0.8;
const QColor kPanelBorder = QColor::fromRgb(0x97, 0x97, 0x97);

bool usable(const QAbstractButton* button) {
    return button && button->isVisible() && button->isEnabled();
}
}  // namespace

SlideInDialog::SlideInDialog(QWidget* window, const QString& name, const QString& animationName,
                             QSize panelSize, int restingY)
    : QWidget(window), m_restingY(restingY) {
    setObjectName(name);
    setFocusPolicy(Qt::StrongFocus);  // holds the keyboard when no control of it does
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
    QWidget* focused = window()->focusWidget();
    if (isHidden()) m_previousFocus = focused && !isAncestorOf(focused) ? focused : nullptr;
    setPanelY(kStartY);
    show();
    m_animation->stop();
    m_animation->setStartValue(kStartY);
    m_animation->setEndValue(m_restingY);
    m_animation->start();
    // Keys reach the content only while the view showing it holds the window's focus.
    if (QGraphicsProxyWidget* proxy = window()->graphicsProxyWidget(); proxy && proxy->scene())
        for (QGraphicsView* view : proxy->scene()->views()) view->setFocus(Qt::OtherFocusReason);
    focusFirstControl();
}

void SlideInDialog::setAnswerButtons(QAbstractButton* positive, QAbstractButton* negative) {
    m_positive = positive;
    m_negative = negative;
}

void SlideInDialog::focusFirstControl() {
    // For a user of the mouse the dialog holds the keyboard itself, so no control of it
    // looks different; Tab goes on to them.
    if (!window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        setFocus(Qt::OtherFocusReason);
        return;
    }
    QWidget* const first = nextFocusIn(m_panel, nullptr, true);
    for (QWidget* w = first; w;) {
        if (!qobject_cast<QAbstractButton*>(w)) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
        w = nextFocusIn(m_panel, w, true);
        if (w == first) break;  // round once
    }
    setFocus(Qt::OtherFocusReason);
}

SlideInDialog* SlideInDialog::topmostOpen(const QWidget* content) {
    // Children are kept in stacking order, the topmost last.
    const QObjectList& children = content->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it)
        if (auto* dialog = qobject_cast<SlideInDialog*>(*it); dialog && !dialog->isHidden())
            return dialog;
    return nullptr;
}

void SlideInDialog::reject() {
    if (m_negative) {
        if (usable(m_negative)) m_negative->click();
        return;
    }
    emit backdropClicked();
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

void SlideInDialog::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat()) return;  // a held key answers once
    if (key == Qt::Key_Escape) {
        reject();
        return;
    }
    // A list answers Enter itself: it opens its current row.
    if (qobject_cast<QAbstractItemView*>(window()->focusWidget())) return;
    if (usable(m_positive)) m_positive->click();
}

void SlideInDialog::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!isHidden()) return;  // only the content went, the dialog stays open
    QWidget* focused = window()->focusWidget();
    QPointer<QWidget> back = m_previousFocus;
    m_previousFocus = nullptr;
    if (!focused || (focused != this && !isAncestorOf(focused))) return;
    // Back where the keyboard was, unless that control has gone meanwhile (a dialog
    // closed before its message).
    if (back && back->isVisible() && back->isEnabled())
        back->setFocus(Qt::OtherFocusReason);
    else
        focused->clearFocus();
}

bool SlideInDialog::focusNextPrevChild(bool next) {
    if (isHidden()) return QWidget::focusNextPrevChild(next);
    // Qt passes the keyboard on when its control is hidden or disabled (a busy dialog):
    // it stays inside the dialog.
    if (QWidget* target = nextFocusIn(m_panel, window()->focusWidget(), next))
        target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
    return true;
}

}  // namespace velmora::ui
