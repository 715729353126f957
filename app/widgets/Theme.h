#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QString>

namespace velmora::ui {

inline const QColor kWhite = QColor::fromRgba(0xFFFFFFFF);
inline const QColor kBlack = QColor::fromRgba(0xFF000000);
inline const QColor kGrey = QColor::fromRgba(0xFF808080);
inline const QColor kPanel = QColor::fromRgba(0xFF262626);
inline const QColor kAccent = QColor::fromRgba(0xFF00D8A0);

// Registers the embedded fonts once; safe to call again.
void loadFonts();
// Roboto at a size in design pixels.
QFont roboto(int pixelSize, QFont::Weight weight = QFont::Normal);
// The display face of the progress label.
QFont display(int pixelSize);

void setTextColor(QWidget* widget, const QColor& color);
QColor textColor(const QWidget* widget);

// Shows `text` in the label's own width: a text too wide ends in "…" and the whole text
// becomes the label's tool tip, so no value ever runs out of its box.
void setFittedText(QLabel* label, const QString& text);

// A label with the given object name, text, size, colour and alignment.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, int pixelSize,
                  const QColor& color = kWhite, Qt::Alignment align = Qt::AlignCenter);

}  // namespace velmora::ui
