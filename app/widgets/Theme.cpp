#include "widgets/Theme.h"

#include <QFontDatabase>

// The resources live in a static library: they must be registered by name.
static void initVelmoraResources() {
    Q_INIT_RESOURCE(velmora);
}

namespace velmora::ui {

void loadFonts() {
    static bool loaded = false;
    if (loaded) return;
    loaded = true;
    initVelmoraResources();
    for (const char* file : {":/fonts/Roboto-Regular.ttf", ":/fonts/Roboto-Medium.ttf",
                             ":/fonts/Roboto-Bold.ttf", ":/fonts/RobotoCondensed-Bold.ttf"})
        QFontDatabase::addApplicationFont(QString::fromLatin1(file));
}

QFont roboto(int pixelSize, QFont::Weight weight) {
    QFont font(QStringLiteral("Roboto"));
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont display(int pixelSize) {
    QFont font(QStringLiteral("Roboto Condensed"));
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Bold);
    return font;
}

void setTextColor(QWidget* widget, const QColor& color) {
    // Called on every refresh tick: an unchanged colour must not repaint the control.
    if (widget->palette().color(QPalette::WindowText) == color &&
        widget->palette().color(QPalette::ButtonText) == color)
        return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::ButtonText, color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

QColor textColor(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, int pixelSize,
                  const QColor& color, Qt::Alignment align) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(roboto(pixelSize));
    label->setAlignment(align);
    setTextColor(label, color);
    return label;
}

}  // namespace velmora::ui
