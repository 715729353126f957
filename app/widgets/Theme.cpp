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
    // A face the system already has is used from its file, which the font engine maps and
    // shares with other programs; an embedded copy is read into memory twice (once when
    // registered, once when first drawn), about 3 MB for the four, so it is registered
    // only where the face is missing (Windows, a Linux without fonts-roboto).
    const struct {
        const char* family;
        const char* style;
        const char* file;
    } faces[] = {
        {"Roboto", "Regular", ":/fonts/Roboto-Regular.ttf"},
        {"Roboto", "Medium", ":/fonts/Roboto-Medium.ttf"},
        {"Roboto", "Bold", ":/fonts/Roboto-Bold.ttf"},
        {"Roboto Condensed", "Bold", ":/fonts/RobotoCondensed-Bold.ttf"},
    };
    for (const auto& face : faces)
        if (!QFontDatabase::styles(QString::fromLatin1(face.family))
                 .contains(QString::fromLatin1(face.style)))
            QFontDatabase::addApplicationFont(QString::fromLatin1(face.file));
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

void setFittedText(QLabel* label, const QString& text) {
    const QString fitted =
        label->fontMetrics().elidedText(text, Qt::ElideRight, label->contentsRect().width());
    label->setToolTip(fitted == text ? QString() : text);
    label->setText(fitted);
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
