#include "monitor/BenchScreen.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

#include "monitor/AddBayDialog.h"
#include "monitor/BayCard.h"
#include "widgets/QuestionDialog.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
constexpr int kHeaderHeight = 44, kSide = 12, kGap = 8;
const QColor kAddFill = QColor::fromRgb(0x00, 0xA7, 0x7F);
const QColor kHint = QColor::fromRgb(0xB8, 0xB8, 0xB8);
}  // namespace

BenchScreen::BenchScreen(QWidget* main, const NumberFormat& format)
    : QWidget(main), m_format(format) {
    setObjectName(QStringLiteral("M6Bench"));
    setGeometry(0, 0, main->width(), main->height());

    LBenchHint = ui::makeLabel(this, QStringLiteral("LBenchHint"),
                               tr("Pilih kartu untuk melihat rinciannya"), 14, kHint,
                               Qt::AlignLeft | Qt::AlignVCenter);
    LBenchHint->setGeometry(kSide + 4, 4, width() / 2, kHeaderHeight - 8);
    BTTambahCharger =
        new ui::TextButton(this, QStringLiteral("BTTambahCharger"), tr("+ Tambah charger"), 15);
    BTTambahCharger->setFill(kAddFill);
    BTTambahCharger->setGeometry(width() - kSide - 190, 7, 190, kHeaderHeight - 12);

    BayScroll = new QScrollArea(this);
    BayScroll->setObjectName(QStringLiteral("BayScroll"));
    BayScroll->setFrameShape(QFrame::NoFrame);
    BayScroll->setFocusPolicy(Qt::NoFocus);
    BayScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    BayScroll->setGeometry(0, kHeaderHeight, width(), height() - kHeaderHeight);
    BayScroll->setStyleSheet(QStringLiteral(
        "QScrollArea{background:transparent}"
        "QScrollBar:vertical{background:transparent;width:8px;margin:0}"
        "QScrollBar::handle:vertical{background:#5a5a5a;border-radius:4px;min-height:30px}"
        "QScrollBar::add-line,QScrollBar::sub-line{height:0}"
        "QScrollBar::add-page,QScrollBar::sub-page{background:transparent}"));
    m_grid = new QWidget;
    m_grid->setObjectName(QStringLiteral("BayGrid"));
    BayScroll->setWidget(m_grid);
    // The window's background shows through: the scroll area fills with nothing.
    BayScroll->viewport()->setAutoFillBackground(false);
    m_grid->setAutoFillBackground(false);

    LBenchEmpty = ui::makeLabel(
        this, QStringLiteral("LBenchEmpty"),
        tr("Belum ada charger yang dipantau.\nTekan \"+ Tambah charger\" untuk memulai."), 18,
        kHint);
    LBenchEmpty->setWordWrap(true);
    LBenchEmpty->setGeometry(kSide, kHeaderHeight, width() - 2 * kSide,
                             height() - kHeaderHeight - 40);

    QWidget* content = main->window();
    LayoutTambahCharger = new AddBayDialog(content);
    LayoutHapusBay = new QuestionDialog(
        content, QStringLiteral("LayoutHapusBay"), QStringLiteral("FloatHapusBay"), QString(),
        tr("Pengisian yang sudah tercatat tetap ada di Riwayat"), QStringLiteral("RHapusBayTidak"),
        tr("Tidak"), QStringLiteral("RHapusBayIya"), tr("Iya"));

    connect(BTTambahCharger, &QAbstractButton::clicked, LayoutTambahCharger, &AddBayDialog::open);
    connect(LayoutTambahCharger, &AddBayDialog::picked, this, &BenchScreen::addRequested);
    connect(LayoutHapusBay->left, &QAbstractButton::clicked, LayoutHapusBay,
            &QuestionDialog::close);
    connect(LayoutHapusBay, &ui::SlideInDialog::backdropClicked, LayoutHapusBay,
            &QuestionDialog::close);
    connect(LayoutHapusBay->right, &QAbstractButton::clicked, this, &BenchScreen::answerRemove);
    placeCards();
}

BayCard* BenchScreen::card(int index) const {
    return index >= 0 && index < m_cards.size() ? m_cards[index] : nullptr;
}

QVector<QRect> BenchScreen::cardPlaces(int count, QSize area) {
    QVector<QRect> places;
    if (count <= 0) return places;
    const int across = count <= 6 ? 3 : 4;
    const int width = (area.width() - 2 * kSide - (across - 1) * kGap) / across;
    const int height = (area.height() - kGap - (2 - 1) * kGap) / 2;
    for (int i = 0; i < count; ++i)
        places.append(QRect(kSide + (i % across) * (width + kGap), (i / across) * (height + kGap),
                            width, height));
    return places;
}

int BenchScreen::columns() const {
    return m_cards.size() <= 6 ? 3 : 4;
}

void BenchScreen::placeCards() {
    const QVector<QRect> places = cardPlaces(m_cards.size(), BayScroll->size());
    int bottom = 0;
    for (int i = 0; i < m_cards.size(); ++i) {
        m_cards[i]->setGeometry(places[i]);
        bottom = std::max(bottom, places[i].bottom() + 1);
    }
    // Beyond two rows the cards leave room for the scroll bar on their right.
    const bool scrolls = bottom > BayScroll->height();
    m_grid->resize(BayScroll->width() - (scrolls ? 10 : 0), std::max(bottom, 1));
    LBenchEmpty->setVisible(m_cards.isEmpty());
    LBenchHint->setVisible(!m_cards.isEmpty());  // no card to choose yet
}

void BenchScreen::setBays(const QVector<BayView>& bays) {
    const int before = m_cards.size();
    while (m_cards.size() > bays.size()) {
        // Let go later: the card may be the one whose signal brought this change.
        BayCard* gone = m_cards.takeLast();
        gone->blockSignals(true);
        gone->hide();
        gone->setObjectName(QString());
        gone->deleteLater();
    }
    while (m_cards.size() < bays.size()) {
        auto* card = new BayCard(m_grid, m_cards.size(), m_format);
        connect(card, &BayCard::chosen, this, &BenchScreen::baySelected);
        connect(card, &BayCard::renamed, this, &BenchScreen::labelEdited);
        connect(card, &BayCard::removeAsked, this, &BenchScreen::askRemove);
        connect(card, &BayCard::stepAsked, this, &BenchScreen::step);
        m_cards.append(card);
        card->show();
    }
    for (int i = 0; i < m_cards.size(); ++i) {
        m_cards[i]->setView(bays[i]);
        m_cards[i]->setSelected(i == m_selected);
    }
    if (m_cards.size() != before) placeCards();
    // The question about a bay that went meanwhile has nothing left to answer.
    if (!LayoutHapusBay->isHidden() &&
        std::none_of(bays.begin(), bays.end(),
                     [&](const BayView& bay) { return bay.deviceAddress == m_removeAddress; }))
        LayoutHapusBay->close();
}

void BenchScreen::setSelected(int index) {
    m_selected = index;
    for (int i = 0; i < m_cards.size(); ++i) m_cards[i]->setSelected(i == index);
}

void BenchScreen::setAddable(const QList<QPair<QString, QString>>& devices) {
    LayoutTambahCharger->setDevices(devices);
}

void BenchScreen::askRemove(int index) {
    const BayCard* asked = card(index);
    if (!asked) return;
    const BayView& bay = asked->view();
    m_removeAddress = bay.deviceAddress;
    m_removeIndex = index;
    const QString name = !bay.label.isEmpty()        ? bay.label
                         : !bay.deviceName.isEmpty() ? bay.deviceName
                                                     : bay.deviceAddress;
    ui::setFittedText(LayoutHapusBay->line1, tr("Berhenti memantau %1?").arg(name));
    LayoutHapusBay->open();
}

void BenchScreen::answerRemove() {
    LayoutHapusBay->close();
    // The bay asked about, wherever its card is now.
    int index = -1;
    if (const BayCard* asked = card(m_removeIndex);
        asked && asked->view().deviceAddress == m_removeAddress)
        index = m_removeIndex;
    for (int i = 0; index < 0 && i < m_cards.size(); ++i)
        if (m_cards[i]->view().deviceAddress == m_removeAddress) index = i;
    m_removeIndex = -1;
    if (index >= 0) emit removeRequested(index);
}

void BenchScreen::step(int index, int dx, int dy) {
    const int across = columns();
    const int column = index % across + dx;
    const int target = index + dx + dy * across;
    if (column < 0 || column >= across || target < 0 || target >= m_cards.size()) return;
    m_cards[target]->setFocus(Qt::TabFocusReason);
    BayScroll->ensureWidgetVisible(m_cards[target], 0, kGap);
}

}  // namespace velmora
