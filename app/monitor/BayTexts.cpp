#include "monitor/BayTexts.h"

#include <QCoreApplication>
#include <algorithm>

#include "monitor/StageTable.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
const QColor kTileFill = QColor::fromRgb(0x23, 0x1F, 0x20);
const QColor kTileBorder = QColor::fromRgb(0x47, 0x4B, 0x4E);
const QColor kAmber = QColor::fromRgb(0xFF, 0xB0, 0x40);
const QColor kGreen = QColor::fromRgb(0x00, 0xD8, 0xA0);
const QColor kRed = QColor::fromRgb(0xFF, 0x6B, 0x5B);
const QColor kQuiet = QColor::fromRgb(0xC8, 0xC8, 0xC8);
}  // namespace

BayLook bayLook(const BayView& view) {
    if (view.outcome == BayView::Outcome::BatteryFault) return BayLook::Fault;
    if (view.outcome == BayView::Outcome::Finished) return BayLook::Finished;
    switch (view.link) {
        case BayView::Link::Lost:
            return BayLook::Lost;
        case BayView::Link::Connecting:
        case BayView::Link::Reconnecting:
            return BayLook::Waiting;
        case BayView::Link::Live:
            break;
    }
    return BayLook::Normal;
}

bool fillsCard(BayLook look) {
    return look == BayLook::Finished || look == BayLook::Fault || look == BayLook::Lost;
}

BayColours bayColours(BayLook look, BayView::Link link) {
    const QColor linkText = link == BayView::Link::Live           ? kGreen
                            : link == BayView::Link::Lost         ? kRed
                            : link == BayView::Link::Reconnecting ? kAmber
                                                                  : kQuiet;
    // On a filled card every line is white: coloured words on a strong fill do not read.
    switch (look) {
        case BayLook::Finished:
            return {QColor::fromRgb(0x00, 0x6E, 0x55), kGreen, 4, ui::kWhite};
        case BayLook::Fault:
            return {QColor::fromRgb(0x8C, 0x1D, 0x18), kRed, 4, ui::kWhite};
        case BayLook::Lost:
            return {QColor::fromRgb(0x70, 0x46, 0x00), kAmber, 4, ui::kWhite};
        case BayLook::Waiting:
            return {kTileFill, kAmber, 2, linkText};
        case BayLook::Normal:
            break;
    }
    return {kTileFill, kTileBorder, 1.5, linkText};
}

QString bayLinkText(const BayView& view) {
    switch (view.link) {
        case BayView::Link::Live:
            return QCoreApplication::translate("BayTexts", "Terhubung");
        case BayView::Link::Reconnecting:
            return view.attempt > 0
                       ? QCoreApplication::translate("BayTexts", "Menyambung ulang (percobaan %1)")
                             .arg(view.attempt)
                       : QCoreApplication::translate("BayTexts", "Menyambung ulang…");
        case BayView::Link::Lost:
            return QCoreApplication::translate("BayTexts", "Terputus");
        case BayView::Link::Connecting:
            break;
    }
    return QCoreApplication::translate("BayTexts", "Menyambungkan…");
}

QString bayLookWord(BayLook look) {
    switch (look) {
        case BayLook::Finished:
            return QCoreApplication::translate("BayTexts", "SELESAI");
        case BayLook::Fault:
            return QCoreApplication::translate("BayTexts", "AKI RUSAK");
        case BayLook::Lost:
            return QCoreApplication::translate("BayTexts", "TERPUTUS");
        case BayLook::Normal:
        case BayLook::Waiting:
            break;
    }
    return QString();
}

QString bayStageText(int stage) {
    if (stage < 1 || stage > 6) return QStringLiteral("-");
    return QCoreApplication::translate("BayTexts", "Tahap %1 · %2")
        .arg(stage)
        .arg(stageView(stage).name);
}

QString elapsedText(int seconds) {
    const int s = std::max(0, seconds);
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600)
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString bayValueText(double value, const char* unit, const NumberFormat& format) {
    return QString::fromStdString(formatFixed2(value, format)) + QLatin1Char(' ') +
           QLatin1String(unit);
}

}  // namespace velmora
