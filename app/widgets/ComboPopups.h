#pragma once

#include <QObject>
#include <QRect>

class QComboBox;
class QWidget;

namespace velmora::ui {

// Keeps the drop-down list of every selection box under a root widget inside that root.
// The window's content is scaled inside a graphics view, where Qt cannot see the window's
// edges and lets lists run off them. Installed once on the content, it covers every box
// created under it, now or later: each list is a plain scrolling list (at most
// maxVisibleItems rows, scroll bar and wheel when longer), opens below its box or above it
// when there is more room there, stays within the root and shows the selected row.
class ComboPopupGuard : public QObject {
    Q_OBJECT
public:
    // The guard lives as long as the root.
    static ComboPopupGuard* install(QWidget* root);

    // Where a list of this size goes for a box (both in root coordinates): below the box
    // when it fits, else above, else on the roomier side, cut to fit; never outside bounds.
    static QRect placement(const QRect& box, const QSize& list, const QRect& bounds);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ComboPopupGuard(QWidget* root);
    QComboBox* boxUnderRoot(QObject* object) const;
    void place(QComboBox* box, QWidget* popup);

    QWidget* m_root;
};

}  // namespace velmora::ui
