#include "widgets/Notice.h"

#include "widgets/Theme.h"

namespace velmora::ui {

namespace {
constexpr int kBottomGap = 18, kHeight = 34, kPadding = 24;
}

Notice::Notice(QWidget* window) : QLabel(window) {
    setObjectName(QStringLiteral("LNotice"));
    setFont(roboto(14));
    setAlignment(Qt::AlignCenter);
    setStyleSheet(
        QStringLiteral("background-color: rgba(20, 20, 20, 230); color: white;"
                       "border: 1px solid #00A77F; border-radius: 6px;"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_hide.setSingleShot(true);
    m_hide.setInterval(kShownMs);
    connect(&m_hide, &QTimer::timeout, this, &QWidget::hide);
    hide();
}

void Notice::say(const QString& text) {
    setText(text);
    const QWidget* window = parentWidget();
    const int width =
        std::min(fontMetrics().horizontalAdvance(text) + 2 * kPadding, window->width() - 40);
    setGeometry((window->width() - width) / 2, window->height() - kBottomGap - kHeight, width,
                kHeight);
    show();
    raise();
    m_hide.start();
}

}  // namespace velmora::ui
