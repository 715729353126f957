#include "widgets/KeyboardFocus.h"

#include <QApplication>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

#include "widgets/FocusChain.h"
#include "widgets/SlideInDialog.h"
#include "widgets/Theme.h"

namespace velmora::ui {

namespace {
constexpr qreal kRingWidth = 2.0, kRingRadius = 5.0;
}  // namespace

FocusRing::FocusRing(QWidget* content) : QWidget(content) {
    setObjectName(QStringLiteral("FocusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A dark line under the accent keeps the ring seen on white boxes and the chart screen.
    const QRectF ring = QRectF(rect()).adjusted(kRingWidth / 2 + 0.5, kRingWidth / 2 + 0.5,
                                                -kRingWidth / 2 - 0.5, -kRingWidth / 2 - 0.5);
    painter.setPen(QPen(QColor::fromRgba(0xB0000000), kRingWidth + 2));
    painter.drawRoundedRect(ring, kRingRadius, kRingRadius);
    painter.setPen(QPen(kAccent, kRingWidth));
    painter.drawRoundedRect(ring, kRingRadius, kRingRadius);
}

KeyboardFocus* KeyboardFocus::install(QGraphicsView* view, QWidget* content) {
    return new KeyboardFocus(view, content);
}

KeyboardFocus::KeyboardFocus(QGraphicsView* view, QWidget* content)
    : QObject(view), m_view(view), m_content(content), m_ring(new FocusRing(content)) {
    setObjectName(QStringLiteral("KeyboardFocus"));
    // Focus events reach the controls inside the view whatever moved the keyboard (a key,
    // a dialog opened by a timer); the application's focus signal does not tell of them all.
    qApp->installEventFilter(this);
}

bool KeyboardFocus::eventFilter(QObject* watched, QEvent* event) {
    if (!m_content || !m_ring) return false;
    switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            if (auto* widget = qobject_cast<QWidget*>(watched);
                widget && m_content->isAncestorOf(widget))
                followLater();
            break;
        case QEvent::KeyPress: {
            if (watched != m_view) break;
            followLater();  // whatever the key did to the focus
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) break;
            if (key->key() == Qt::Key_Backtab ||
                (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier)))
                return moveFocus(false);
            if (key->key() == Qt::Key_Tab) return moveFocus(true);
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::TouchBegin:
            if (m_inUse && watched == m_view->viewport()) setInUse(false);
            break;
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            // The ringed control moved (a panel sliding in) or went.
            if (m_watched && (watched == m_watched || m_watchedChain.contains(watched)))
                followLater();
            break;
        default:
            break;
    }
    return false;
}

bool KeyboardFocus::moveFocus(bool forward) {
    // An open drop-down list has the keys to itself.
    QGraphicsScene* scene = m_view->scene();
    QGraphicsProxyWidget* proxy = m_content->graphicsProxyWidget();
    if (!scene || !proxy || (scene->focusItem() && scene->focusItem() != proxy)) return false;
    if (QApplication::activePopupWidget()) return false;
    SlideInDialog* dialog = SlideInDialog::topmostOpen(m_content);
    QWidget* scope = dialog ? static_cast<QWidget*>(dialog->panel()) : m_content.data();
    QWidget* focused = m_content->focusWidget();
    if (focused && !focused->isVisible()) focused = nullptr;  // left on a hidden screen
    if (QWidget* target = nextFocusIn(scope, focused, forward)) {
        if (!m_inUse) setInUse(true);
        target->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        follow();
    }
    return true;  // Tab never leaves the content, nor reaches what lies under a dialog
}

void KeyboardFocus::setInUse(bool inUse) {
    m_inUse = inUse;
    // Qt's own mark of keyboard use: dialogs opening now put the keyboard on their first
    // control, and the style draws its focus cues.
    m_content->setAttribute(Qt::WA_KeyboardFocusChange, inUse);
    follow();
}

void KeyboardFocus::followLater() {
    if (m_followQueued) return;
    m_followQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_followQueued = false;
        follow();
    });
}

void KeyboardFocus::follow() {
    if (!m_content || !m_ring) return;
    QWidget* focused = m_content->focusWidget();
    const bool shown = m_inUse && focused && focused != m_content && focused->isVisible() &&
                       !qobject_cast<SlideInDialog*>(focused);
    watch(shown ? focused : nullptr);
    if (!shown) {
        m_ring->hide();
        return;
    }
    const QRect control(focused->mapTo(m_content, QPoint(0, 0)), focused->size());
    m_ring->setGeometry(control.adjusted(-FocusRing::kMargin, -FocusRing::kMargin,
                                         FocusRing::kMargin, FocusRing::kMargin));
    m_ring->raise();  // over dialogs made after it
    m_ring->show();
}

void KeyboardFocus::watch(QWidget* control) {
    if (control == m_watched) return;
    m_watched = control;
    m_watchedChain.clear();
    for (QWidget* w = control ? control->parentWidget() : nullptr; w && w != m_content;
         w = w->parentWidget())
        m_watchedChain.append(w);
}

}  // namespace velmora::ui
