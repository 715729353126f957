#include "widgets/Picture.h"

#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include "widgets/PixmapCache.h"
#include "widgets/Theme.h"

namespace velmora::ui {

namespace {
QHash<QString, QSvgRenderer*>& renderers() {
    // Shared by every picture for the whole run and never freed: a cache destroyed at exit
    // would drop the last pointers to its renderers, a leak to the leak checker.
    static auto* cache = new QHash<QString, QSvgRenderer*>;
    return *cache;
}
}  // namespace

QSvgRenderer* svg(const QString& path) {
    if (path.isEmpty()) return nullptr;
    auto& cache = renderers();
    auto it = cache.find(path);
    if (it == cache.end()) it = cache.insert(path, new QSvgRenderer(path));
    return it.value()->isValid() ? it.value() : nullptr;
}

void forgetSvg(const QString& path) {
    delete renderers().take(path);
}

bool svgLoaded(const QString& path) {
    return renderers().contains(path);
}

namespace {
// Enter presses a focused button as Space does; true when the key was taken.
bool pressedByEnter(QAbstractButton* button, QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
    event->accept();
    if (!event->isAutoRepeat()) button->click();  // a held key presses once
    return true;
}
}  // namespace

Picture::Picture(QWidget* parent, const QString& name, const QString& svgPath)
    : QWidget(parent), m_path(svgPath) {
    setObjectName(name);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Picture::setSource(const QString& svgPath) {
    if (svgPath == m_path) return;
    m_path = svgPath;
    update();
}

void Picture::setOpacity(qreal opacity) {
    m_opacity = opacity;
    update();
}

void Picture::paintEvent(QPaintEvent*) {
    if (m_drawnElsewhere || m_opacity <= 0.0 || m_path.isEmpty()) return;
    QPainter painter(this);
    painter.setOpacity(m_opacity);
    // Through a pixmap rendered once per size: animations repaint parts of pictures often.
    drawCachedSvg(painter, m_path, QRectF(rect()));
}

void Picture::paintAt(QPainter& painter) const {
    if (m_opacity <= 0.0) return;
    QSvgRenderer* renderer = svg(m_path);
    if (!renderer) return;
    // Drawn from the vector picture: what the underlay draws is only where the controls
    // changed, a small part, and a whole window's picture kept for it would cost 2 MB
    // (more at larger scales).
    painter.save();
    painter.setOpacity(m_opacity);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer->render(&painter, QRectF(geometry()));
    painter.restore();
}

PictureButton::PictureButton(QWidget* parent, const QString& name, const QString& svgPath)
    : QAbstractButton(parent), m_path(svgPath) {
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void PictureButton::setSource(const QString& svgPath) {
    m_path = svgPath;
    update();
}

void PictureButton::paintEvent(QPaintEvent*) {
    QSvgRenderer* renderer = svg(m_path);
    if (!renderer) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(isDown() ? 0.6 : (underMouse() ? 0.85 : 1.0));
    renderer->render(&painter, rect());
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
    if (!pressedByEnter(this, event)) QAbstractButton::keyPressEvent(event);
}

TextButton::TextButton(QWidget* parent, const QString& name, const QString& text, int pixelSize)
    : QAbstractButton(parent) {
    setObjectName(name);
    setText(text);
    setFont(roboto(pixelSize, QFont::Medium));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setTextColor(this, kWhite);
}

void TextButton::keyPressEvent(QKeyEvent* event) {
    if (!pressedByEnter(this, event)) QAbstractButton::keyPressEvent(event);
}

void TextButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_fill.isValid()) {
        QColor fill = m_fill;
        if (!isEnabled())
            fill = fill.darker(160);
        else if (isDown())
            fill = fill.darker(130);
        else if (underMouse())
            fill = fill.lighter(115);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()), 4, 4);
    }
    QColor color = palette().color(QPalette::ButtonText);
    if (isDown())
        color.setAlphaF(0.6);
    else if (underMouse())
        color.setAlphaF(0.85);
    painter.setPen(color);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
}

Panel::Panel(QWidget* parent, const QString& name, const QColor& fill, const QColor& border,
             qreal radius)
    : QWidget(parent), m_fill(fill), m_border(border), m_radius(radius) {
    setObjectName(name);
}

void Panel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(m_border.isValid() ? QPen(m_border, 1) : Qt::NoPen);
    painter.setBrush(m_fill);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), m_radius, m_radius);
}

}  // namespace velmora::ui
