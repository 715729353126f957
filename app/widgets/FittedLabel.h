#pragma once

#include <QLabel>

namespace velmora::ui {

// A one-line label whose text never loses its ends: a text wider than the label is drawn
// in a smaller size of the same font, keeping a margin for the rounding of glyphs drawn
// at the window's scale. The font the label reports stays the one it was given.
class FittedLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The font the text is drawn in.
    QFont fittedFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velmora::ui
