#include "monitor/BayCard.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>

#include "monitor/BayCurve.h"
#include "monitor/StageTable.h"
#include "widgets/FittedLabel.h"
#include "widgets/Picture.h"
#include "widgets/PlainTextValidator.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
constexpr int kMargin = 3;  // room for the chosen card's ring
constexpr int kPad = 14;
constexpr int kButton = 26;
const QColor kQuiet = QColor::fromRgb(0xB8, 0xB8, 0xB8);
const QColor kTrack = QColor(255, 255, 255, 40);
const QColor kCurveLine = QColor::fromRgb(0x1F, 0xD1, 0xFF);
const QColor kRefused = QColor::fromRgb(0xFF, 0x6B, 0x5B);

QLabel* line(QWidget* card, const char* name, int size, QFont::Weight weight,
             Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
    QLabel* label =
        ui::makeLabel(card, QString::fromLatin1(name), QString(), size, ui::kWhite, align);
    label->setFont(ui::roboto(size, weight));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

ui::FittedLabel* fitted(QWidget* card, const char* name, Qt::Alignment align) {
    auto* label = new ui::FittedLabel(card);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(align);
    ui::setTextColor(label, ui::kWhite);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}
}  // namespace

BayCard::BayCard(QWidget* parent, int index, const NumberFormat& format)
    : QWidget(parent), m_index(index), m_format(format) {
    setObjectName(QStringLiteral("BayCard%1").arg(index));
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);  // the whole card is a button
    build();
    m_look = bayLook(m_view);
    showTexts();
}

void BayCard::build() {
    LBayLabel = line(this, "LBayLabel", 19, QFont::Medium);
    LBayDevice = line(this, "LBayDevice", 12, QFont::Normal);
    ui::setTextColor(LBayDevice, kQuiet);
    // The link line shrinks rather than lose its attempt number.
    LBayLink = fitted(this, "LBayLink", Qt::AlignLeft | Qt::AlignVCenter);
    LBayLink->setFont(ui::roboto(15, QFont::Medium));
    LBayElapsed = line(this, "LBayElapsed", 15, QFont::Medium, Qt::AlignRight | Qt::AlignVCenter);
    LBayVoltage = fitted(this, "LBayVoltage", Qt::AlignLeft | Qt::AlignVCenter);
    LBayCurrent = fitted(this, "LBayCurrent", Qt::AlignRight | Qt::AlignVCenter);
    LBayWord = fitted(this, "LBayWord", Qt::AlignLeft | Qt::AlignVCenter);
    LBayBattery = line(this, "LBayBattery", 14, QFont::Normal);
    LBayStage = line(this, "LBayStage", 14, QFont::Normal);
    LBayResult = fitted(this, "LBayResult", Qt::AlignLeft | Qt::AlignVCenter);
    LBayResult->setFont(ui::roboto(16, QFont::Bold));
    LBayProgress = line(this, "LBayProgress", 16, QFont::Medium, Qt::AlignRight | Qt::AlignVCenter);
    Curve = new BayCurve(this);

    BTUbahNama = new ui::PictureButton(this, QStringLiteral("BTUbahNama"),
                                       QStringLiteral(":/img/bay_rename.svg"));
    BTUbahNama->setToolTip(tr("Ubah nama"));
    BTHapusBay = new ui::PictureButton(this, QStringLiteral("BTHapusBay"),
                                       QStringLiteral(":/img/bay_remove.svg"));
    BTHapusBay->setToolTip(tr("Berhenti memantau"));
    connect(BTUbahNama, &QAbstractButton::clicked, this, &BayCard::startRename);
    connect(BTHapusBay, &QAbstractButton::clicked, this, [this] { emit removeAsked(m_index); });

    // The name goes with the bay's charges into the journal and onto receipts: plain text.
    EBayLabel = new QLineEdit(this);
    EBayLabel->setObjectName(QStringLiteral("EBayLabel"));
    EBayLabel->setMaxLength(kLabelMaxLength);
    EBayLabel->setValidator(new ui::PlainTextValidator(EBayLabel));
    EBayLabel->setFont(ui::roboto(17, QFont::Medium));
    EBayLabel->setStyleSheet(QStringLiteral(
        "QLineEdit{background:#141414;color:white;border:1px solid #00d8a0;border-radius:3px;"
        "padding:0 4px}"));
    EBayLabel->installEventFilter(this);
    EBayLabel->hide();
    connect(EBayLabel, &QLineEdit::returnPressed, this, [this] { finishRename(true); });
    LBayLabelRefused = line(this, "LBayLabelRefused", 12, QFont::Medium);
    ui::setTextColor(LBayLabelRefused, kRefused);
    LBayLabelRefused->setText(tr("Nama tidak boleh kosong"));
    LBayLabelRefused->hide();
}

void BayCard::placeControls() {
    const int w = width() - 2 * kMargin - 2 * kPad;  // the text column
    const int x = kMargin + kPad;
    const bool wide = width() >= 280;
    const int buttonsWidth = 2 * kButton + 6;
    LBayLabel->setGeometry(x, 9, w - buttonsWidth - 4, 26);
    EBayLabel->setGeometry(x - 4, 8, w - buttonsWidth, 28);
    BTUbahNama->setGeometry(x + w - buttonsWidth, 9, kButton, kButton);
    BTHapusBay->setGeometry(x + w - kButton, 9, kButton, kButton);
    LBayDevice->setGeometry(x, 34, w, 16);
    LBayLabelRefused->setGeometry(x, 34, w, 16);
    LBayLink->setGeometry(x, 52, w, 20);
    const int valueSize = wide ? 30 : 26;
    for (QLabel* value : {static_cast<QLabel*>(LBayVoltage), static_cast<QLabel*>(LBayCurrent)})
        value->setFont(ui::roboto(valueSize, QFont::Medium));
    LBayVoltage->setGeometry(x, 73, w / 2, 36);
    LBayCurrent->setGeometry(x + w / 2, 73, w - w / 2, 36);
    LBayWord->setFont(ui::roboto(wide ? 36 : 30, QFont::Bold));
    LBayWord->setGeometry(x, 71, w, 40);
    LBayBattery->setGeometry(x, 111, w - 76, 18);
    LBayElapsed->setGeometry(x + w - 72, 110, 72, 20);
    LBayStage->setGeometry(x, 130, w - 56, 20);
    LBayResult->setGeometry(x, 130, w - 56, 20);
    LBayProgress->setGeometry(x + w - 56, 130, 56, 20);
    m_progressBar = QRectF(x, 154, w, 4);
    Curve->setGeometry(x, 163, w, std::max(12, height() - kMargin - 10 - 163));
    // The texts are shortened to the widths just set.
    showTexts();
}

void BayCard::setView(const BayView& view) {
    if (view == m_view) return;
    // A card given another bay (one before it went) drops a rename begun for the old one.
    if (m_renaming && view.deviceAddress != m_view.deviceAddress) finishRename(false);
    const BayLook look = bayLook(view);
    const bool lookChanged = look != m_look;
    const bool progressChanged = view.progress != m_view.progress;
    m_view = view;
    m_look = look;
    showTexts();
    // The labels and the curve redraw themselves; the card only for its fill or its bar.
    if (lookChanged)
        update();
    else if (progressChanged)
        update(m_progressBar.toAlignedRect().adjusted(-1, -1, 1, 1));
}

void BayCard::showTexts() {
    const BayColours colours = bayColours(m_look, m_view.link);
    const bool filled = fillsCard(m_look);
    if (!m_renaming) ui::setFittedText(LBayLabel, m_view.label);
    ui::setFittedText(LBayDevice,
                      m_view.deviceName.isEmpty() ? m_view.deviceAddress : m_view.deviceName);
    ui::setTextColor(LBayDevice, filled ? ui::kWhite : kQuiet);
    // A lost card's large word says the link went; its line keeps the last readings, as
    // the values' place holds the word.
    LBayLink->setText(m_look == BayLook::Lost
                          ? tr("Bacaan terakhir %1 · %2")
                                .arg(bayValueText(m_view.voltage, "V", m_format),
                                     bayValueText(m_view.current, "A", m_format))
                          : bayLinkText(m_view));
    ui::setTextColor(LBayLink, colours.linkText);
    LBayElapsed->setText(elapsedText(m_view.elapsedSeconds));
    LBayVoltage->setText(bayValueText(m_view.voltage, "V", m_format));
    LBayCurrent->setText(bayValueText(m_view.current, "A", m_format));
    LBayWord->setText(bayLookWord(m_look));
    LBayVoltage->setVisible(!filled);
    LBayCurrent->setVisible(!filled);
    LBayWord->setVisible(filled);
    ui::setFittedText(LBayBattery,
                      m_view.battery.isEmpty() ? tr("Aki belum dipilih") : m_view.battery);
    ui::setTextColor(LBayBattery, m_view.battery.isEmpty() && !filled ? kQuiet : ui::kWhite);
    ui::setFittedText(LBayStage, bayStageText(m_view.stage));
    LBayResult->setText(m_view.result);
    const bool hasResult = !m_view.result.isEmpty();
    LBayStage->setVisible(!hasResult);
    LBayResult->setVisible(hasResult);
    LBayProgress->setText(percentageText(m_view.progress));
    Curve->setCurve(m_view.curve, filled ? ui::kWhite : kCurveLine);
}

void BayCard::setSelected(bool selected) {
    if (selected == m_selected) return;
    m_selected = selected;
    update();
}

void BayCard::startRename() {
    if (m_renaming) return;
    m_renaming = true;
    EBayLabel->setText(m_view.label);
    EBayLabel->selectAll();
    LBayLabel->hide();
    EBayLabel->show();
    EBayLabel->setFocus(Qt::OtherFocusReason);
}

bool BayCard::finishRename(bool keep) {
    if (!m_renaming) return true;
    const QString label = EBayLabel->text().trimmed();
    if (keep && label.isEmpty()) {
        LBayLabelRefused->show();
        LBayDevice->hide();
        return false;
    }
    m_renaming = false;
    const bool hadKeyboard = EBayLabel->hasFocus();
    EBayLabel->hide();
    LBayLabelRefused->hide();
    LBayDevice->show();
    LBayLabel->show();
    if (hadKeyboard) setFocus(Qt::OtherFocusReason);
    if (keep && label != m_view.label) {
        // Shown at once; the bay's next view brings the name back if it was not taken.
        m_view.label = label;
        ui::setFittedText(LBayLabel, label);
        emit renamed(m_index, label);
    }
    return true;
}

bool BayCard::eventFilter(QObject* watched, QEvent* event) {
    if (watched != EBayLabel) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        finishRename(false);
        return true;
    }
    if (event->type() == QEvent::KeyPress && LBayLabelRefused->isVisible()) {
        LBayLabelRefused->hide();  // typing again takes the refusal back
        LBayDevice->show();
    }
    if (event->type() == QEvent::FocusOut) {
        // Leaving the box keeps a usable name and drops an empty one; the window losing
        // the keyboard for a moment ends nothing.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (m_renaming && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            if (!finishRename(true)) finishRename(false);
    }
    return QWidget::eventFilter(watched, event);
}

void BayCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const BayColours colours = bayColours(m_look, m_view.link);
    const QRectF body = QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    if (m_selected) {
        painter.setPen(QPen(ui::kWhite, 2.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1.25, 1.25, -1.25, -1.25), 8, 8);
    }
    const qreal half = colours.borderWidth / 2;
    painter.setPen(QPen(colours.border, colours.borderWidth));
    painter.setBrush(colours.fill);
    painter.drawRoundedRect(body.adjusted(half, half, -half, -half), 6, 6);

    painter.setPen(Qt::NoPen);
    painter.setBrush(kTrack);
    painter.drawRoundedRect(m_progressBar, 2, 2);
    const int progress = std::clamp(m_view.progress, 0, 100);
    if (progress > 0) {
        QRectF done = m_progressBar;
        done.setWidth(m_progressBar.width() * progress / 100.0);
        painter.setBrush(fillsCard(m_look) ? ui::kWhite : ui::kAccent);
        painter.drawRoundedRect(done, 2, 2);
    }
}

void BayCard::resizeEvent(QResizeEvent*) {
    placeControls();
}

void BayCard::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit chosen(m_index);
    event->accept();
}

void BayCard::mouseDoubleClickEvent(QMouseEvent* event) {
    if (LBayLabel->geometry().contains(event->position().toPoint()))
        startRename();
    else
        emit chosen(m_index);
    event->accept();
}

void BayCard::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) emit chosen(m_index);
            return;
        case Qt::Key_F2:
            startRename();
            return;
        case Qt::Key_Delete:
            emit removeAsked(m_index);
            return;
        case Qt::Key_Left:
            emit stepAsked(m_index, -1, 0);
            return;
        case Qt::Key_Right:
            emit stepAsked(m_index, 1, 0);
            return;
        case Qt::Key_Up:
            emit stepAsked(m_index, 0, -1);
            return;
        case Qt::Key_Down:
            emit stepAsked(m_index, 0, 1);
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace velmora
