#pragma once

#include <QLabel>
#include <QTimer>

namespace velmora::ui {

// A short line at the bottom of the window that says what just happened ("Data terkirim
// ke charger") and goes by itself: no click needed, nothing else is blocked.
class Notice : public QLabel {
public:
    static constexpr int kShownMs = 3000;

    // window: the 960 x 540 content the line is centred in.
    explicit Notice(QWidget* window);

    void say(const QString& text);

private:
    QTimer m_hide;
};

}  // namespace velmora::ui
