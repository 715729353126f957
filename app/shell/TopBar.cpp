#include "shell/TopBar.h"

#include <QLabel>

#include "widgets/Theme.h"

namespace velmora {

namespace {
const QString kHighlight = QStringLiteral(":/img/highlight.svg");
const QString kOptionWhite = QStringLiteral(":/img/option_white.svg");
const QString kOptionBlack = QStringLiteral(":/img/option_black.svg");
constexpr int kTitleLeft = 55, kTitleWidth = 240;
// The bench's slot joins the strip on its left: the other four stay where they were.
constexpr int kBenchSlot = 72, kStripWidth = 440 + kBenchSlot;
constexpr int kAlertLeft = kTitleLeft + kTitleWidth;
// With a bay shown the title moves up and the bay's name goes beneath it.
constexpr int kTitleHeightWithBay = 40, kBayNameTop = 37, kBayNameHeight = 20;
const QColor kAlert = QColor::fromRgb(0xFF, 0x6B, 0x5B);
}  // namespace

TopBar::TopBar(QWidget* content) : QWidget(content) {
    setObjectName(QStringLiteral("Footer"));
    setGeometry(0, 0, content->width(), kHeight);

    auto* title = new QWidget(this);
    title->setObjectName(QStringLiteral("RTittle"));
    title->setGeometry(kTitleLeft, 0, kTitleWidth, kHeight);
    LTittle = ui::makeLabel(title, QStringLiteral("LTittle"), tr("DASHBOARD"), 29, ui::kWhite,
                            Qt::AlignLeft | Qt::AlignVCenter);
    LTittle->setFont(ui::roboto(29, QFont::Medium));
    LTittle->setGeometry(0, 0, kTitleWidth, kHeight);
    LBayName = ui::makeLabel(title, QStringLiteral("LBayName"), QString(), 15, ui::kAccent,
                             Qt::AlignLeft | Qt::AlignVCenter);
    LBayName->setFont(ui::roboto(15, QFont::Medium));
    LBayName->setGeometry(0, kBayNameTop, kTitleWidth, kBayNameHeight);
    LBayName->hide();

    auto* strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("RBT"));
    strip->setGeometry(width() - kStripWidth - 10, 0, kStripWidth, kHeight);
    struct Slot {
        int width;
        ui::Picture** highlight;
        const char* highlightName;
    } places[] = {{kBenchSlot, &IBT5, "IBT5"},
                  {120, &IBT1, "IBT1"},
                  {120, &IBT2, "IBT2"},
                  {80, &IBT3, "IBT3"},
                  {90, &IBT4, "IBT4"}};
    int x = kStripWidth - (kBenchSlot + 120 + 120 + 80 + 90);
    QRect geometry[5];
    for (int i = 0; i < 5; ++i) {
        geometry[i] = QRect(x, 0, places[i].width, kHeight);
        *places[i].highlight =
            new ui::Picture(strip, QString::fromLatin1(places[i].highlightName), kHighlight);
        (*places[i].highlight)->setGeometry(geometry[i]);
        x += places[i].width;
    }
    // Made first so that Tab reaches the buttons in their order on the bar.
    BT5Bench = new ui::TextButton(strip, QStringLiteral("BT5Bench"), tr("RAK"), 17);
    BT5Bench->setGeometry(geometry[0]);
    BT1Dashboard = new ui::TextButton(strip, QStringLiteral("BT1Dashboard"), tr("DASHBOARD"), 17);
    BT2Diagnostic =
        new ui::TextButton(strip, QStringLiteral("BT2Diagnostic"), tr("DIAGNOSTIC"), 17);
    BT3Chart = new ui::TextButton(strip, QStringLiteral("BT3Chart"), tr("CHART"), 17);
    BT4Option = new ui::PictureButton(strip, QStringLiteral("BT4Option"), kOptionWhite);
    BT1Dashboard->setGeometry(geometry[1]);
    BT2Diagnostic->setGeometry(geometry[2]);
    BT3Chart->setGeometry(geometry[3]);
    // The option icon sits centred in its slot at 40 x 40.
    BT4Option->setGeometry(geometry[4].center().x() - 20, (kHeight - 40) / 2, 40, 40);
    LLinkAlert = ui::makeLabel(this, QStringLiteral("LLinkAlert"), QString(), 13, kAlert,
                               Qt::AlignLeft | Qt::AlignVCenter);
    LLinkAlert->setFont(ui::roboto(13, QFont::Medium));
    LLinkAlert->setWordWrap(true);
    LLinkAlert->setGeometry(kAlertLeft, 0, strip->x() + geometry[0].x() - 8 - kAlertLeft, kHeight);
    LLinkAlert->hide();
    apply(tr("DASHBOARD"), false, 0);
}

void TopBar::showLinkAlert(const QString& text) {
    if (LLinkAlert->text() != text) LLinkAlert->setText(text);
    LLinkAlert->setVisible(!text.isEmpty());
}

void TopBar::showBayName(const QString& name) {
    ui::setFittedText(LBayName, name);
    LBayName->setVisible(!name.isEmpty());
    LTittle->setFixedHeight(name.isEmpty() ? kHeight : kTitleHeightWithBay);
}

void TopBar::apply(const QString& title, bool darkText, int activeButton) {
    LTittle->setText(title);
    const QColor color = darkText ? ui::kBlack : ui::kWhite;
    ui::setTextColor(LTittle, color);
    for (QWidget* button : {static_cast<QWidget*>(BT1Dashboard),
                            static_cast<QWidget*>(BT2Diagnostic), static_cast<QWidget*>(BT3Chart),
                            static_cast<QWidget*>(BT4Option), static_cast<QWidget*>(BT5Bench)})
        ui::setTextColor(button, color);
    // On the chart's light background the bay's name takes the title's colour.
    ui::setTextColor(LBayName, darkText ? ui::kBlack : ui::kAccent);
    BT4Option->setSource(darkText ? kOptionBlack : kOptionWhite);
    ui::Picture* highlights[] = {IBT1, IBT2, IBT3, IBT4, IBT5};
    for (int i = 0; i < 5; ++i) highlights[i]->setOpacity(i == activeButton ? 1.0 : 0.0);
}

}  // namespace velmora
