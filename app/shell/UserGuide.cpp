#include "shell/UserGuide.h"

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
    hide();
}

void UserGuide::resizeEvent(QResizeEvent*) {
    BTSkip->setGeometry(width() - 70, 0, 70, 40);
    bLeft->setGeometry(0, height() - 80, 80, 80);
    bRight->setGeometry(width() - 80, height() - 80, 80, 80);
}

void UserGuide::hideEvent(QHideEvent*) {
    // A page is a picture of the whole window: none is kept once the guide is closed.
    for (int page = 0; page < kPages; ++page) ui::forgetCachedSvg(pagePath(page));
}

void UserGuide::slideTo(int index) {
    if (index < 0 || index >= kPages || index == m_index) return;
    m_previous = m_index;
    m_index = index;
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
}

void UserGuide::present() {
    setOpacity(1.0);
    show();
    raise();
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
