#include "journal/HistoryDialog.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTableView>
#include <iterator>

#include "catalogue/InputStyle.h"
#include "journal/SessionListModel.h"
#include "journal/SessionPage.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
constexpr int kPanelWidth = 920, kPanelHeight = 500, kRestingY = 20;
// Column widths of the list, in design units: date, bay, kind, brand, type, status,
// duration, end; together the table's width less its scroll bar. The kind's longest, "Isi
// daya (di tengah)", and the end's, "Dialihkan ke printer", fit whole. The bay's column
// shows only where sessions have bays, and then takes its room from the others (a long end
// or label is cut; its tooltip has it whole).
constexpr int kColumnWidths[] = {140, 0, 150, 104, 116, 90, 80, 176};
constexpr int kColumnWidthsWithBays[] = {136, 92, 150, 92, 96, 80, 72, 136};
static_assert(std::size(kColumnWidths) == SessionListModel::ColumnCount &&
              std::size(kColumnWidthsWithBays) == SessionListModel::ColumnCount);

const QString kTableStyle = QStringLiteral(
    "QTableView{background:#141414;color:white;border:1px solid #3a3a3a;border-radius:4px;"
    "gridline-color:transparent;selection-background-color:#00a77f;selection-color:white;"
    "outline:0}"
    "QTableView::item{padding-left:3px;border-bottom:1px solid #242424}"
    "QHeaderView::section{background:#1f1f1f;color:#b8b8b8;border:0;"
    "border-bottom:1px solid #3a3a3a;padding-left:6px;height:30px}"
    "QScrollBar:vertical{background:#1c1c1c;width:14px;margin:0}"
    "QScrollBar::handle:vertical{background:#6a6a6a;min-height:30px;border-radius:5px;"
    "margin:2px}"
    "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0}");

const QString kEditStyle = QStringLiteral(
    "QLineEdit{background:#141414;color:white;border:1px solid #4a4a4a;border-radius:4px;"
    "padding:0 8px}QLineEdit:focus{border-color:#00a77f}");
}  // namespace

HistoryDialog::HistoryDialog(QWidget* window)
    : ui::SlideInDialog(window, QStringLiteral("LayoutRiwayat"), QStringLiteral("FloatRiwayat"),
                        QSize(kPanelWidth, kPanelHeight), kRestingY) {
    m_pages = new QStackedWidget(panel());
    m_pages->setObjectName(QStringLiteral("PagesRiwayat"));
    m_pages->setGeometry(0, 0, kPanelWidth, kPanelHeight);

    auto* list = new QWidget;
    list->setObjectName(QStringLiteral("PageDaftar"));
    LRiwayatTitle = ui::makeLabel(list, QStringLiteral("LRiwayatTitle"), tr("Riwayat"), 22,
                                  ui::kWhite, Qt::AlignLeft | Qt::AlignVCenter);
    LRiwayatTitle->setFont(ui::roboto(22, QFont::Medium));
    LRiwayatTitle->setGeometry(24, 12, 300, 36);
    EditCariRiwayat = new QLineEdit(list);
    EditCariRiwayat->setObjectName(QStringLiteral("EditCariRiwayat"));
    EditCariRiwayat->setPlaceholderText(tr("Cari tanggal, merek, tipe, status..."));
    EditCariRiwayat->setClearButtonEnabled(true);
    EditCariRiwayat->setFont(ui::roboto(15));
    EditCariRiwayat->setStyleSheet(kEditStyle);
    EditCariRiwayat->setGeometry(546, 13, 350, 34);
    ComboRakRiwayat = new QComboBox(list);
    ComboRakRiwayat->setObjectName(QStringLiteral("ComboRakRiwayat"));
    ComboRakRiwayat->setFont(ui::roboto(15));
    ComboRakRiwayat->setStyleSheet(ui::comboStyle());
    ComboRakRiwayat->setGeometry(334, 13, 200, 34);
    ComboRakRiwayat->setToolTip(tr("Tampilkan sesi satu rak saja"));

    m_model = new SessionListModel(this);
    m_filter = new SessionFilter(this);
    m_filter->setSourceModel(m_model);
    ListRiwayat = new QTableView(list);
    ListRiwayat->setObjectName(QStringLiteral("ListRiwayat"));
    ListRiwayat->setModel(m_filter);
    ListRiwayat->setGeometry(24, 60, 872, 372);
    ListRiwayat->setFont(ui::roboto(14));
    ListRiwayat->setStyleSheet(kTableStyle);
    ListRiwayat->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListRiwayat->setSelectionMode(QAbstractItemView::SingleSelection);
    ListRiwayat->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListRiwayat->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListRiwayat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ListRiwayat->setShowGrid(false);
    ListRiwayat->setWordWrap(false);
    ListRiwayat->setTextElideMode(Qt::ElideRight);
    ListRiwayat->verticalHeader()->hide();
    // Fixed row height: ten thousand rows are laid out without measuring each one.
    ListRiwayat->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ListRiwayat->verticalHeader()->setDefaultSectionSize(30);
    QHeaderView* header = ListRiwayat->horizontalHeader();
    header->setFont(ui::roboto(13, QFont::Medium));
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setStretchLastSection(true);
    showBays(false);

    LRiwayatInfo = ui::makeLabel(list, QStringLiteral("LRiwayatInfo"), QString(), 14, ui::kGrey,
                                 Qt::AlignLeft | Qt::AlignVCenter);
    LRiwayatInfo->setGeometry(24, 448, 390, 38);
    LRiwayatInfo->setWordWrap(true);
    const QColor grey = QColor::fromRgb(0x4A, 0x4A, 0x4A);
    RRiwayatEkspor = footerButton(list, "RRiwayatEkspor", tr("Ekspor Daftar"), grey, 436, 146);
    RRiwayatTutup = footerButton(list, "RRiwayatTutup", tr("Tutup"), grey, 594, 146);
    RRiwayatLihat = footerButton(list, "RRiwayatLihat", tr("Lihat"),
                                 QColor::fromRgb(0x00, 0xA7, 0x7F), 752, 144);

    PageSesi = new SessionPage(nullptr);
    m_pages->addWidget(list);
    m_pages->addWidget(PageSesi);
    showList();
}

void HistoryDialog::showList() {
    showPage(0);
    setAnswerButtons(RRiwayatLihat, RRiwayatTutup);
}

void HistoryDialog::showSessionPage() {
    showPage(1);
    setAnswerButtons(nullptr, PageSesi->BackSesi);  // Escape goes back to the list
}

void HistoryDialog::showPage(int index) {
    QWidget* focused = window()->focusWidget();
    const bool focusInside = focused && isAncestorOf(focused);
    m_pages->setCurrentIndex(index);
    if (focusInside && isVisible()) focusFirstControl();
}

void HistoryDialog::showBays(bool shown) {
    ComboRakRiwayat->setVisible(shown);
    ListRiwayat->setColumnHidden(SessionListModel::Bay, !shown);
    QHeaderView* header = ListRiwayat->horizontalHeader();
    const int* widths = shown ? kColumnWidthsWithBays : kColumnWidths;
    for (int column = 0; column < SessionListModel::ColumnCount; ++column)
        if (widths[column] > 0) header->resizeSection(column, widths[column]);
}

bool HistoryDialog::sessionPageShown() const {
    return m_pages->currentIndex() == 1;
}

}  // namespace velmora
