#include "widgets/FocusChain.h"

#include <QGraphicsView>
#include <QWidget>

namespace velmora::ui {

bool takesTab(const QWidget* widget, const QWidget* scope) {
    return widget != scope && scope->isAncestorOf(widget) &&
           (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !widget->focusProxy() &&
           widget->isVisibleTo(scope) && widget->isEnabled() &&
           !qobject_cast<const QGraphicsView*>(widget);
}

QWidget* nextFocusIn(const QWidget* scope, QWidget* from, bool forward) {
    if (from && !scope->isAncestorOf(from)) from = nullptr;
    // The chain runs through every widget of the window and closes on itself.
    QWidget* start = from ? from : const_cast<QWidget*>(scope);
    for (QWidget* w = start;;) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == start) break;
        if (takesTab(w, scope)) return w;
    }
    return from && takesTab(from, scope) ? from : nullptr;
}

}  // namespace velmora::ui
