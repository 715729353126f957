#include "widgets/ComboPopups.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>

namespace velmora::ui {

namespace {
// Space kept between a list and the root's edge.
constexpr int kEdgeMargin = 4;
// A scrolling list instead of the menu-like list that centres on the selected row: the
// latter has no scroll bar and is placed against the screen, not the window. The bar is
// drawn plainly, a dark handle on a light track, so it is seen at a glance.
const QString kListPopup = QStringLiteral(
    "QComboBox{combobox-popup:0}"
    "QComboBox QAbstractItemView QScrollBar:vertical{background:#e2e2e2;width:12px;border:none;"
    "margin:0}"
    "QComboBox QAbstractItemView QScrollBar::handle:vertical{background:#7c7c7c;"
    "border-radius:4px;min-height:24px;margin:2px}"
    "QComboBox QAbstractItemView QScrollBar::add-line:vertical,"
    "QComboBox QAbstractItemView QScrollBar::sub-line:vertical{height:0;border:none}"
    "QComboBox QAbstractItemView QScrollBar::add-page:vertical,"
    "QComboBox QAbstractItemView QScrollBar::sub-page:vertical{background:none}");

void preferScrollingList(QComboBox* box) {
    if (!box->styleSheet().contains(QLatin1String("combobox-popup")))
        box->setStyleSheet(box->styleSheet() + kListPopup);
}
}  // namespace

ComboPopupGuard::ComboPopupGuard(QWidget* root) : QObject(root), m_root(root) {
    setObjectName(QStringLiteral("ComboPopupGuard"));
}

ComboPopupGuard* ComboPopupGuard::install(QWidget* root) {
    auto* guard = new ComboPopupGuard(root);
    for (QComboBox* box : root->findChildren<QComboBox*>()) preferScrollingList(box);
    // Application-wide: boxes and their lists appear anywhere under the root, at any time.
    qApp->installEventFilter(guard);
    return guard;
}

QRect ComboPopupGuard::placement(const QRect& box, const QSize& list, const QRect& bounds) {
    const int below = bounds.bottom() - box.bottom();
    const int above = box.top() - bounds.top();
    QRect rect(QPoint(box.left(), 0), list);
    if (list.height() <= below) {
        rect.moveTop(box.bottom() + 1);
    } else if (list.height() <= above) {
        rect.moveBottom(box.top() - 1);
    } else if (below >= above) {
        rect.setTop(box.bottom() + 1);
        rect.setBottom(bounds.bottom());
    } else {
        rect.setTop(bounds.top());
        rect.setBottom(box.top() - 1);
    }
    rect.setWidth(std::min(rect.width(), bounds.width()));
    if (rect.right() > bounds.right()) rect.moveRight(bounds.right());
    if (rect.left() < bounds.left()) rect.moveLeft(bounds.left());
    return rect;
}

QComboBox* ComboPopupGuard::boxUnderRoot(QObject* object) const {
    auto* box = qobject_cast<QComboBox*>(object);
    return box && m_root->isAncestorOf(box) ? box : nullptr;
}

bool ComboPopupGuard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Polish:
        case QEvent::StyleChange:  // a style sheet set again would drop the list style
            if (QComboBox* box = boxUnderRoot(watched)) preferScrollingList(box);
            break;
        case QEvent::Show:
            if (auto* popup = qobject_cast<QWidget*>(watched); popup && popup->isWindow())
                if (QComboBox* box = boxUnderRoot(popup->parentWidget());
                    box && box->view()->window() == popup)
                    place(box, popup);
            break;
        default:
            break;
    }
    return false;
}

void ComboPopupGuard::place(QComboBox* box, QWidget* popup) {
    // A list made before the box turned into a scrolling list keeps its bar switched off.
    box->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const QRect bounds =
        m_root->rect().adjusted(kEdgeMargin, kEdgeMargin, -kEdgeMargin, -kEdgeMargin);
    const QRect boxRect(box->mapTo(m_root, QPoint(0, 0)), box->size());
    const QRect rect = placement(boxRect, popup->size(), bounds);
    // Through the box's own mapping, which also knows the view's scaling.
    popup->setGeometry(QRect(box->mapToGlobal(box->mapFrom(m_root, rect.topLeft())), rect.size()));
    QAbstractItemView* view = box->view();
    view->scrollTo(view->currentIndex(), QAbstractItemView::EnsureVisible);
}

}  // namespace velmora::ui
