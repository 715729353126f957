#pragma once

#include <QPixmap>
#include <QPoint>
#include <QPointF>

class QPainter;

namespace velmora {

// The gauge's pictures rendered once per scale, in device pixels, grouped by what moves:
// what lies beneath the waves and needles (dial, background arc, ring), what lies over the
// waves inside the filling square (its shine and the ring), the two waves, and each needle
// trimmed to the pixels it covers. A wave frame is then a few plain copies.
class GaugeLayers {
public:
    // A picture cut to its drawn pixels; offset is its top left in gauge units.
    struct Trimmed {
        QPixmap pixmap;
        QPointF offset;
    };
    // A wave kept in two pieces: the rows its crest crosses, whole, and a narrow strip of
    // the liquid beneath, where every column is alike, repeated across. A fifth of the
    // memory of the whole picture.
    struct Wave {
        QPixmap crest;
        QPixmap body;
        int width = 0;  // of the whole wave, in device pixels
        void draw(QPainter& painter, QPoint topLeft) const;
    };
    // How far below a wave's top its crest reaches, in gauge units.
    static constexpr int kCrestDepth = 24;

    // Renders the layers again when the scale differs from the one they were made for.
    void ensure(qreal scale);
    qreal scale() const { return m_scale; }

    const QPixmap& dial() const { return m_dial; }
    const QPixmap& cover() const { return m_cover; }
    // The filling square's top left from the dial's, in whole device pixels.
    QPoint coverOffset() const { return m_coverOffset; }
    const Wave& waveFront() const { return m_waveFront; }
    const Wave& waveBehind() const { return m_waveBehind; }
    const Trimmed& needleLeft() const { return m_needleLeft; }
    const Trimmed& needleRight() const { return m_needleRight; }

private:
    qreal m_scale = 0;
    QPixmap m_dial, m_cover;
    Wave m_waveFront, m_waveBehind;
    QPoint m_coverOffset;
    Trimmed m_needleLeft, m_needleRight;
};

}  // namespace velmora
