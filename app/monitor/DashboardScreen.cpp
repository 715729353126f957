#include "monitor/DashboardScreen.h"

#include <QLabel>

#include "widgets/Theme.h"

namespace velmora {

namespace {
const QColor kTileFill = QColor::fromRgba(0xFF231F20);
const QColor kTileBorder = QColor::fromRgba(0xFF474B4E);
constexpr int kScreenHeight = 478;
constexpr int kSpacer = 255;  // the voltage and current figures sit below it

QWidget* column(QWidget* parent, const char* name, int left, int width) {
    auto* widget = new QWidget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, 0, width, kScreenHeight);
    widget->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    return widget;
}
}  // namespace

DashboardScreen::DashboardScreen(QWidget* main, const NumberFormat& format)
    : QWidget(main), m_format(format) {
    setObjectName(QStringLiteral("M1Dashboard"));
    setGeometry(0, 0, main->width(), main->height());
    // The gauge lies behind the middle columns, centred on the screen.
    RCircle = new GaugeWidget(this);
    RCircle->move((width() - GaugeWidget::kSize) / 2, (kScreenHeight - GaugeWidget::kSize) / 2);
    LProgress = RCircle->LProgress;
    buildLeftColumn();
    buildMiddle();
    buildRightColumn();
    PanelLinkLost = new LostLinkPanel(this);
    PanelLinkLost->move((width() - PanelLinkLost->width()) / 2, 150);
    // The starting zeros in the user's own notation, like every value after them.
    const QString zero = QString::fromStdString(formatFixed2(0.0, format));
    LVoltage->setText(zero + QStringLiteral(" V"));
    LCurrent->setText(zero + QStringLiteral(" A"));
    LiR->setText(zero);
}

void DashboardScreen::buildLeftColumn() {
    QWidget* rcca = column(this, "RCCA", 0, 240);
    BTPrint = new ui::PictureButton(rcca, QStringLiteral("BTPrint"),
                                    QStringLiteral(":/img/btn_print.svg"));
    BTPrint->setGeometry(25, 170, 40, 40);
    BTPrint->setToolTip(tr("Cetak struk"));
    BTSave =
        new ui::PictureButton(rcca, QStringLiteral("BTSave"), QStringLiteral(":/img/btn_save.svg"));
    BTSave->setGeometry(25, 240, 40, 40);
    BTSave->setToolTip(tr("Simpan hasil"));
    auto* caption = ui::makeLabel(rcca, QStringLiteral("LCCACaption"), QStringLiteral("CCA"), 20);
    caption->setGeometry(90, 185, 150, 28);
    LCCA = ui::makeLabel(rcca, QStringLiteral("LCCA"), QStringLiteral("0"), 32);
    LCCA->setFont(ui::roboto(32, QFont::Medium));
    LCCA->setGeometry(90, 213, 150, 44);

    QWidget* rv = column(this, "RV", 240, 100);
    LVoltage = ui::makeLabel(rv, QStringLiteral("LVoltage"), QString(), 25, ui::kWhite,
                             Qt::AlignRight | Qt::AlignVCenter);
    LVoltage->setFont(ui::roboto(25, QFont::Medium));
    LVoltage->setGeometry(0, kSpacer, 100, 36);
}

void DashboardScreen::buildMiddle() {
    QWidget* data = column(this, "RData", 340, 280);
    data->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The battery box fills the free top of the dial, below its rim and between the ends
    // of the two scales: type, variety and brand centred one under the other, the variety
    // (the longest text) in the middle, where the free space is widest.
    auto* battery = new QWidget(data);
    battery->setObjectName(QStringLiteral("RBattery"));
    battery->setGeometry(75, 20, 130, 59);
    LBatterySeries =
        ui::makeLabel(battery, QStringLiteral("LBatterySeries"), QStringLiteral("-"), 18);
    LBatterySeries->setFont(ui::roboto(18, QFont::Medium));
    LBatterySeries->setGeometry(0, 0, 130, 24);
    LBatteryBrand =
        ui::makeLabel(battery, QStringLiteral("LBatteryBrand"), QStringLiteral("-"), 13);
    LBatteryBrand->setGeometry(0, 41, 130, 18);
    LBatteryType = ui::makeLabel(battery, QStringLiteral("LBatteryType"), QStringLiteral("-"), 12);
    LBatteryType->setFont(ui::roboto(12, QFont::Medium));
    LBatteryType->setGeometry(0, 24, 130, 17);

    auto* time = new QWidget(data);
    time->setObjectName(QStringLiteral("RTime"));
    time->setGeometry(0, 325, 280, 50);
    QLabel** parts[] = {&LHour, &LMinute, &LSecond};
    const char* names[] = {"LHour", "LMinute", "LSecond"};
    constexpr int kField = 62, kColon = 16;
    int x = (280 - 3 * kField - 2 * kColon) / 2;
    for (int i = 0; i < 3; ++i) {
        *parts[i] = ui::makeLabel(time, QString::fromLatin1(names[i]), QStringLiteral("00"), 36);
        (*parts[i])->setFont(ui::roboto(36, QFont::Light));
        (*parts[i])->setGeometry(x, 0, kField, 50);
        x += kField;
        if (i < 2) {
            auto* colon =
                ui::makeLabel(time, QStringLiteral("LColon%1").arg(i + 1), QStringLiteral(":"), 36);
            colon->setGeometry(x, 0, kColon, 46);
            x += kColon;
        }
    }

    constexpr int kTile = 25, kGap = 9;
    const int rowLeft = (280 - (6 * kTile + 5 * kGap)) / 2;
    for (int i = 0; i < 6; ++i) {
        auto* tile =
            new ui::Panel(data, QStringLiteral("RStage%1").arg(i + 1), kTileFill, kTileBorder, 3);
        tile->setGeometry(rowLeft + i * (kTile + kGap), 415, kTile, kTile);
        LbStage[i] = ui::makeLabel(tile, QStringLiteral("LbStage%1").arg(i + 1),
                                   QString::number(i + 1), 14, ui::kGrey);
        LbStage[i]->setFont(ui::roboto(14, QFont::Bold));
        LbStage[i]->setGeometry(0, 0, kTile, kTile);
    }
    LChargingProgress = ui::makeLabel(data, QStringLiteral("LChargingProgress"), QString(), 11);
    LChargingProgress->setGeometry(0, 443, 280, 18);
}

void DashboardScreen::buildRightColumn() {
    QWidget* ri = column(this, "RI", 620, 100);
    LCurrent = ui::makeLabel(ri, QStringLiteral("LCurrent"), QString(), 25, ui::kWhite,
                             Qt::AlignRight | Qt::AlignVCenter);
    LCurrent->setFont(ui::roboto(25, QFont::Medium));
    LCurrent->setGeometry(0, kSpacer, 100, 36);

    QWidget* rir = column(this, "RiR", 720, 240);
    auto* caption = ui::makeLabel(rir, QStringLiteral("LiRCaption"), QStringLiteral("iR"), 20);
    caption->setGeometry(0, 170, 150, 26);
    auto* unit = ui::makeLabel(rir, QStringLiteral("LiRUnit"), QStringLiteral("(m Ohm)"), 18);
    unit->setGeometry(0, 194, 150, 24);
    LiR = ui::makeLabel(rir, QStringLiteral("LiR"), QString(), 32);
    LiR->setFont(ui::roboto(32, QFont::Medium));
    LiR->setGeometry(0, 218, 150, 44);

    // The state of the link, beside the button that makes it.
    LLinkStatus = ui::makeLabel(rir, QStringLiteral("LLinkStatus"), QString(), 12,
                                QColor::fromRgb(0xFF, 0xB0, 0x40));
    LLinkStatus->setWordWrap(true);
    LLinkStatus->setGeometry(0, 290, 150, 34);

    BTConnection = new ui::PictureButton(rir, QStringLiteral("BTConnection"),
                                         QStringLiteral(":/img/btn_connection.svg"));
    BTConnection->setGeometry(175, 170, 40, 40);
    BTConnection->setToolTip(tr("Sambungkan charger"));
    auto* stop = ui::makeLabel(rir, QStringLiteral("LStop"), tr("STOP"), 14);
    stop->setGeometry(160, 222, 70, 18);
    BTForceStop = new ui::PictureButton(rir, QStringLiteral("BTForceStop"),
                                        QStringLiteral(":/img/btn_stop.svg"));
    BTForceStop->setGeometry(175, 242, 40, 40);
    BTForceStop->setToolTip(tr("Hentikan pengisian"));
}

void DashboardScreen::showLinkLost(const std::optional<LostLinkView>& lost) {
    if (lost)
        PanelLinkLost->showLost(*lost);
    else
        PanelLinkLost->hide();
    const bool stale = lost.has_value();
    if (stale == m_stale) return;
    m_stale = stale;
    for (QLabel* figure : {LVoltage, LCurrent, LCCA, LiR, LHour, LMinute, LSecond, LProgress})
        ui::setTextColor(figure, stale ? ui::kGrey : ui::kWhite);
    RCircle->setStale(stale);
}

std::optional<LostLinkView> DashboardScreen::lostLinkOf(const LinkController& control) {
    const auto& device = control.lostCharger();
    if (!device) return std::nullopt;
    return LostLinkView{device->name,
                        control.connecting(),
                        control.reconnecting(),
                        control.reconnectAttempt(),
                        control.reconnectGaveUp(),
                        control.reconnectObstacle() == LinkController::Obstacle::AdapterOff,
                        control.reconnectObstacle() == LinkController::Obstacle::NotPaired};
}

void DashboardScreen::showLink(const LinkController& control, bool printing) {
    showLinkStatus(control.status(printing));
    showLinkLost(lostLinkOf(control));
}

}  // namespace velmora
