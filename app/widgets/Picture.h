#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QSvgRenderer;

namespace velmora::ui {

// The renderer of an embedded SVG, shared by every control that shows it. Callers use it
// at once and keep no pointer: a picture shown only now and then may be let go.
QSvgRenderer* svg(const QString& path);
// Lets go of the renderer of a picture; the next use reads it again.
void forgetSvg(const QString& path);
bool svgLoaded(const QString& path);

// A picture stretched over the control, with an opacity; vector-drawn so it stays
// crisp at every scale.
class Picture : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal opacity READ opacity WRITE setOpacity)
public:
    Picture(QWidget* parent, const QString& name, const QString& svgPath);
    void setSource(const QString& svgPath);
    const QString& source() const { return m_path; }
    qreal opacity() const { return m_opacity; }
    void setOpacity(qreal opacity);
    // A picture drawn by someone else (the window's underlay): the control only holds
    // its place, source and visibility.
    void setDrawnElsewhere(bool elsewhere) { m_drawnElsewhere = elsewhere; }
    // Draws the picture at its place with a painter in its parent's coordinates, from
    // the vector picture.
    void paintAt(QPainter& painter) const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QString m_path;
    qreal m_opacity = 1.0;
    bool m_drawnElsewhere = false;
};

// A clickable picture (icon buttons, hit areas when the path is empty). Reached by Tab
// only, so a click leaves the keyboard where it was; Space and Enter press it.
class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    PictureButton(QWidget* parent, const QString& name, const QString& svgPath);
    void setSource(const QString& svgPath);
    const QString& source() const { return m_path; }

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent*) override { update(); }
    void leaveEvent(QEvent*) override { update(); }

private:
    QString m_path;
};

// A flat text button whose colour follows the palette's button text. Reached by Tab only;
// Space and Enter press it.
class TextButton : public QAbstractButton {
    Q_OBJECT
public:
    TextButton(QWidget* parent, const QString& name, const QString& text, int pixelSize);
    // A filled rounded background turns the text into a dialog button.
    void setFill(const QColor& fill) {
        m_fill = fill;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent*) override { update(); }
    void leaveEvent(QEvent*) override { update(); }

private:
    QColor m_fill;
};

// A rounded panel with fill and border, the base of dialogs and value boxes.
class Panel : public QWidget {
    Q_OBJECT
public:
    Panel(QWidget* parent, const QString& name, const QColor& fill, const QColor& border = {},
          qreal radius = 3);
    void setFill(const QColor& fill) {
        m_fill = fill;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor m_fill, m_border;
    qreal m_radius;
};

}  // namespace velmora::ui
