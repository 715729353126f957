#include "widgets/MessageDialog.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QPainter>
#include <QTextLayout>
#include <QtMath>

#include "widgets/Theme.h"

namespace velmora::ui {

namespace {
constexpr int kTextSize = 17, kButtonTextSize = 16;
constexpr int kPadding = 24, kTextTop = 26, kTextGap = 22, kBottom = 18;
constexpr int kButtonWidth = 100, kButtonHeight = 40, kButtonGap = 30;
constexpr int kMinHeight = 150, kWindowMargin = 20;
constexpr int kTextWidth = MessageDialog::kWidth - 2 * kPadding;
constexpr int kAroundText = kTextTop + kTextGap + kButtonHeight + kBottom;
const QColor kOkFill = QColor::fromRgb(0x00, 0xA7, 0x7F);
const QColor kCancelFill = QColor::fromRgb(0x4A, 0x4A, 0x4A);

// Lines of the given width, broken between words where possible and inside a word where
// it must be (paths and addresses in system error texts). Returns the height of all lines.
qreal layOut(QTextLayout& layout, const QString& text, const QFont& font, qreal width) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\n'), QChar::LineSeparator);
    layout.setText(shown);
    layout.setFont(font);
    QTextOption option(Qt::AlignHCenter);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return height;
}

// A centred, wrapping text. A text taller than the label ends with an elided line
// instead of running past it.
class WrappingLabel : public QLabel {
public:
    using QLabel::QLabel;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override {
        QTextLayout layout;
        return qCeil(layOut(layout, text(), font(), width));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.setFont(font());
        QTextLayout layout;
        const qreal total = layOut(layout, text(), font(), width());
        const qreal top = qMax<qreal>(0, (height() - total) / 2);
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine line = layout.lineAt(i);
            const bool lastFitting =
                i + 1 == layout.lineCount() || layout.lineAt(i + 1).rect().bottom() > height();
            if (!lastFitting || i + 1 == layout.lineCount()) {
                line.draw(&painter, QPointF(0, top));
                continue;
            }
            const QString rest = layout.text().mid(line.textStart());
            const QString elided = fontMetrics().elidedText(rest, Qt::ElideRight, width());
            painter.drawText(QRectF(0, top + line.y(), width(), line.height()),
                             Qt::AlignHCenter | Qt::AlignTop, elided);
            break;
        }
    }
};

QSize panelSizeFor(const QString& text, const QWidget* content) {
    QTextLayout layout;
    const int textHeight = qCeil(layOut(layout, text, roboto(kTextSize), kTextWidth));
    const int tallest = content->height() - 2 * kWindowMargin;
    return QSize(MessageDialog::kWidth, qBound(kMinHeight, textHeight + kAroundText, tallest));
}

int centredY(const QString& text, const QWidget* content) {
    return (content->height() - panelSizeFor(text, content).height()) / 2;
}

TextButton* makeButton(QWidget* panel, const QString& name, const QString& text,
                       const QColor& fill) {
    auto* button = new TextButton(panel, name, text, kButtonTextSize);
    button->setFill(fill);
    button->resize(kButtonWidth, kButtonHeight);
    return button;
}
}  // namespace

MessageDialog::MessageDialog(QWidget* content, const QString& name, const QString& text,
                             Buttons buttons)
    : SlideInDialog(content, name, QStringLiteral("Float") + name, panelSizeFor(text, content),
                    centredY(text, content)) {
    Panel* box = panel();
    const int buttonY = box->height() - kBottom - kButtonHeight;
    m_text = new WrappingLabel(text, box);
    m_text->setObjectName(name + QStringLiteral("Text"));
    m_text->setFont(roboto(kTextSize));
    setTextColor(m_text, kWhite);
    m_text->setGeometry(kPadding, kTextTop, kTextWidth, buttonY - kTextGap - kTextTop);

    m_ok = makeButton(box, name + QStringLiteral("OK"), tr("OK"), kOkFill);
    connect(m_ok, &QAbstractButton::clicked, this, [this] { answer(true); });
    if (buttons == Buttons::Ok) {
        m_ok->move((kWidth - kButtonWidth) / 2, buttonY);
        setAnswerButtons(m_ok, m_ok);  // Escape closes a message too
        return;
    }
    m_cancel = makeButton(box, name + QStringLiteral("Cancel"), tr("Cancel"), kCancelFill);

    connect(m_cancel, &QAbstractButton::clicked, this, [this] { answer(false); });
    const int left = (kWidth - 2 * kButtonWidth - kButtonGap) / 2;
    m_cancel->move(left, buttonY);
    m_ok->move(left + kButtonWidth + kButtonGap, buttonY);
    setTabOrder(m_cancel, m_ok);  // left to right
    setAnswerButtons(m_ok, m_cancel);
}

void MessageDialog::inform(QWidget* content, const QString& text) {
    QPointer<MessageDialog> dialog =
        new MessageDialog(content, QStringLiteral("LayoutMessage"), text, Buttons::Ok);
    dialog->exec();
    delete dialog.data();  // already gone when the window went away meanwhile
}

bool MessageDialog::anyOpen(const QWidget* content) {
    for (const MessageDialog* dialog :
         content->findChildren<MessageDialog*>(Qt::FindDirectChildrenOnly))
        if (!dialog->isHidden()) return true;
    return false;
}

void MessageDialog::present() {
    raise();
    open();
}

bool MessageDialog::exec() {
    QEventLoop loop;
    bool ok = false;
    connect(this, &MessageDialog::finished, &loop, [&](bool answered) {
        ok = answered;
        loop.quit();
    });
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    present();
    loop.exec();
    return ok;
}

void MessageDialog::answer(bool ok) {
    if (isHidden()) return;  // a second key or click on the way out
    close();                 // the keyboard goes back where it was
    emit finished(ok);
}

void MessageDialog::keyPressEvent(QKeyEvent* event) {
    SlideInDialog::keyPressEvent(event);  // Enter and Escape answer
    event->accept();                      // nothing behind the dialog hears the keyboard
}

void MessageDialog::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
}

void MessageDialog::wheelEvent(QWheelEvent* event) {
    event->accept();
}

}  // namespace velmora::ui
