#include "shell/UserGuide.h"

#include <QKeyEvent>
#include <QPainter>
#include <QVariantAnimation>

#include "widgets/FramePacer.h"
#include "widgets/Language.h"
#include "widgets/PixmapCache.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
QString pagePath(int index) {
    return ui::localizedPicture(QStringLiteral(":/img/intro%1.svg").arg(index + 1));
}
constexpr int kSlideMs = 300;
constexpr qreal kRingWidth = 2.5, kRingGap = 4;
// Where the artwork draws what each hit area stands for, on the 960 x 540 page: the ring
// goes round the drawing rather than round the larger invisible area.
const QRectF kSkipDrawn(886, 8, 66, 28), kDoneDrawn(872, 8, 80, 28);
const QRectF kLeftDrawn(16, 476, 48, 48), kRightDrawn(896, 476, 48, 48);
constexpr qreal kPageWidth = 960, kPageHeight = 540;

bool turnsPages(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_PageUp ||
           key == Qt::Key_PageDown || key == Qt::Key_Up || key == Qt::Key_Down;
}
}  // namespace

UserGuide::UserGuide(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("UserGuide"));
    BTSkip = new ui::PictureButton(this, QStringLiteral("BTSkip"), QString());
    bLeft = new ui::PictureButton(this, QStringLiteral("bLeft"), QString());
    bRight = new ui::PictureButton(this, QStringLiteral("bRight"), QString());
    FloatAnimation1 = new QPropertyAnimation(this, "opacity", this);
    FloatAnimation1->setObjectName(QStringLiteral("FloatAnimation1"));
    FloatAnimation1->setDuration(1000);
    m_slide = new QVariantAnimation(this);
    m_slide->setDuration(kSlideMs);
    m_slide->setEasingCurve(QEasingCurve::OutCubic);
    // Both move the whole window's picture.
    ui::FramePacer::fullRateWhileRunning(FloatAnimation1);
    ui::FramePacer::fullRateWhileRunning(m_slide);
    connect(m_slide, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_offset = value.toReal();
        update();
    });
    setFocusPolicy(Qt::StrongFocus);  // holds the keyboard while no hit area does
    for (ui::PictureButton* area : {BTSkip, bLeft, bRight}) area->installEventFilter(this);
    showPageNames();
    hide();
}

void UserGuide::showPageNames() {
    // The last page ends the guide rather than skipping the rest; its artwork says so too.
    BTSkip->setAccessibleName(m_index == kPages - 1 ? tr("Selesai") : tr("Lewati"));
    bLeft->setAccessibleName(tr("Halaman sebelumnya"));
    bRight->setAccessibleName(tr("Halaman berikutnya"));
}

QList<ui::PictureButton*> UserGuide::usableHitAreas() const {
    QList<ui::PictureButton*> areas{BTSkip};
    if (m_index > 0) areas << bLeft;
    if (m_index < kPages - 1) areas << bRight;
    return areas;
}

ui::PictureButton* UserGuide::defaultHitArea() const {
    return m_index < kPages - 1 ? bRight : BTSkip;
}

bool UserGuide::ringShown() const {
    QWidget* focused = focusWidget();
    return m_keyboardInUse && isVisible() && focused && focused->hasFocus() &&
           usableHitAreas().contains(focused);
}

void UserGuide::resizeEvent(QResizeEvent*) {
    BTSkip->setGeometry(width() - 70, 0, 70, 40);
    bLeft->setGeometry(0, height() - 80, 80, 80);
    bRight->setGeometry(width() - 80, height() - 80, 80, 80);
}

void UserGuide::hideEvent(QHideEvent*) {
    // A page is a picture of the whole window: none is kept once the guide is closed.
    for (int page = 0; page < kPages; ++page) ui::forgetCachedSvg(pagePath(page));
    if (!isHidden()) return;  // only the window went, the guide stays open
    m_keyboardInUse = false;
    QWidget* focused = window()->focusWidget();
    QPointer<QWidget> back = m_returnFocus;
    m_returnFocus = nullptr;
    if (!focused || (focused != this && !isAncestorOf(focused))) return;
    if (back && back->isVisible() && back->isEnabled())
        back->setFocus(Qt::OtherFocusReason);
    else
        focused->clearFocus();
}

void UserGuide::keyPressEvent(QKeyEvent* event) {
    event->accept();  // nothing the guide covers hears the keyboard
    const int key = event->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Back) {
        BTSkip->click();
    } else if (key == Qt::Key_Left || key == Qt::Key_PageUp || key == Qt::Key_Up) {
        bLeft->click();
    } else if (key == Qt::Key_Right || key == Qt::Key_PageDown || key == Qt::Key_Down) {
        bRight->click();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        if (!event->isAutoRepeat()) defaultHitArea()->click();  // a held key presses once
    }
}

void UserGuide::keyReleaseEvent(QKeyEvent* event) {
    event->accept();  // the Back key's exit question would open unseen under the guide
}

void UserGuide::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (!m_keyboardInUse) return;
    m_keyboardInUse = false;  // as on the screens: the ring is for users of the keyboard
    update();
}

bool UserGuide::focusNextPrevChild(bool next) {
    if (isHidden()) return QWidget::focusNextPrevChild(next);
    // Tab stays on the guide, going round the hit areas of the page.
    const QList<ui::PictureButton*> areas = usableHitAreas();
    const int at = areas.indexOf(focusWidget());
    const int count = static_cast<int>(areas.size());
    const int to = at < 0 ? (next ? 0 : count - 1) : (at + (next ? 1 : count - 1)) % count;
    areas[to]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    m_keyboardInUse = true;
    update();
    return true;
}

bool UserGuide::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            update();  // the ring follows
            break;
        case QEvent::KeyPress: {
            // A hit area would take the arrows to move the focus and pass Escape on; here
            // they turn the pages and skip, wherever the keyboard is.
            auto* key = static_cast<QKeyEvent*>(event);
            if (turnsPages(key->key()) || key->key() == Qt::Key_Escape ||
                key->key() == Qt::Key_Back) {
                keyPressEvent(key);
                return true;
            }
            break;
        }
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

void UserGuide::slideTo(int index) {
    if (index < 0 || index >= kPages || index == m_index) return;
    m_previous = m_index;
    m_index = index;
    showPageNames();
    // The keyboard leaves a hit area that does nothing on this page.
    if (QWidget* focused = focusWidget();
        focused && focused != this && focused->hasFocus() && !usableHitAreas().contains(focused))
        defaultHitArea()->setFocus(Qt::OtherFocusReason);
    m_slide->stop();
    m_slide->setStartValue(0.0);
    m_slide->setEndValue(1.0);
    m_slide->start();
}

void UserGuide::setOpacity(qreal opacity) {
    m_opacity = opacity;
    update();
}

void UserGuide::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setOpacity(m_opacity);
    painter.fillRect(rect(), Qt::white);
    const qreal w = width();
    if (m_slide->state() == QAbstractAnimation::Running && m_previous != m_index) {
        const qreal direction = m_index > m_previous ? 1.0 : -1.0;
        const qreal shift = m_offset * w * direction;
        ui::drawCachedSvg(painter, pagePath(m_previous), QRectF(-shift, 0, w, height()));
        ui::drawCachedSvg(painter, pagePath(m_index),
                          QRectF(direction * w - shift, 0, w, height()));
    } else {
        ui::drawCachedSvg(painter, pagePath(m_index), QRectF(rect()));
    }
    if (!ringShown()) return;
    QWidget* focused = focusWidget();
    QRectF drawn = focused == bLeft        ? kLeftDrawn
                   : focused == bRight     ? kRightDrawn
                   : m_index == kPages - 1 ? kDoneDrawn
                                           : kSkipDrawn;
    const qreal sx = width() / kPageWidth, sy = height() / kPageHeight;
    drawn = QRectF(drawn.x() * sx, drawn.y() * sy, drawn.width() * sx, drawn.height() * sy)
                .adjusted(-kRingGap, -kRingGap, kRingGap, kRingGap);
    const qreal radius = drawn.height() / 2;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ui::kAccent, kRingWidth));
    painter.drawRoundedRect(drawn, radius, radius);
}

void UserGuide::present(bool keyboardInUse) {
    FloatAnimation1->stop();
    setOpacity(1.0);
    QWidget* focused = window()->focusWidget();
    if (isHidden()) m_returnFocus = focused && !isAncestorOf(focused) ? focused : nullptr;
    show();
    raise();
    // A user of the keyboard starts on the way on, ringed; for the mouse nothing shows.
    m_keyboardInUse = keyboardInUse;
    if (keyboardInUse)
        defaultHitArea()->setFocus(Qt::TabFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
    update();
}

void UserGuide::previousPage() {
    if (m_index >= 1) slideTo(m_index - 1);
}

void UserGuide::nextPage() {
    if (m_index <= 3) slideTo(m_index + 1);
}

void UserGuide::fadeOut() {
    FloatAnimation1->stop();
    FloatAnimation1->setStartValue(opacity());
    FloatAnimation1->setEndValue(0.0);
    FloatAnimation1->start();
}

}  // namespace velmora
