#include "printing/ReceiptPreview.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QUrl>

#include "widgets/Theme.h"

namespace velmora {

namespace {
constexpr int kWidth = 440, kHeight = 500, kRestingY = 20;
const QColor kCloseFill = QColor::fromRgb(0x4A, 0x4A, 0x4A);
const QColor kFolderFill = QColor::fromRgb(0x00, 0xA7, 0x7F);
const QColor kPathColour = QColor::fromRgb(0xB0, 0xE0, 0xD0);
const QColor kErrorColour = QColor::fromRgb(0xFF, 0x6B, 0x5B);
const QColor kDesk = QColor::fromRgb(0x3A, 0x3A, 0x3A);
}  // namespace

PaperView::PaperView(QWidget* parent) : QAbstractScrollArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameShape(QFrame::NoFrame);
    verticalScrollBar()->setSingleStep(30);
}

void PaperView::setPaper(const QImage& paper) {
    m_paper = paper;
    updateRange();
    verticalScrollBar()->setValue(0);
    viewport()->update();
}

void PaperView::updateRange() {
    const int hidden = qMax(0, m_paper.height() - viewport()->height());
    verticalScrollBar()->setRange(0, hidden);
    verticalScrollBar()->setPageStep(viewport()->height());
}

void PaperView::paintEvent(QPaintEvent*) {
    // Only the visible part is drawn: the scaled window does not clip a widget's painting.
    QPainter painter(viewport());
    const QRect frame = viewport()->rect();
    painter.setClipRect(frame);
    painter.fillRect(frame, kDesk);
    const int left = (frame.width() - m_paper.width()) / 2;
    const QRect visible(0, verticalScrollBar()->value(), m_paper.width(),
                        qMin(frame.height(), m_paper.height() - verticalScrollBar()->value()));
    if (visible.height() > 0)
        painter.drawImage(QRect(QPoint(left, 0), visible.size()), m_paper, visible);
}

void PaperView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateRange();
}

void PaperView::scrollContentsBy(int, int) {
    viewport()->update();
}

ReceiptPreview::ReceiptPreview(QWidget* window)
    : ui::SlideInDialog(window, QStringLiteral("LayoutStruk"), QStringLiteral("FloatStruk"),
                        QSize(kWidth, kHeight), kRestingY) {
    ui::Panel* box = panel();
    LStrukTitle =
        ui::makeLabel(box, QStringLiteral("LStrukTitle"), tr("Struk Printer Simulasi"), 20);
    LStrukTitle->setFont(ui::roboto(20, QFont::Medium));
    LStrukTitle->setGeometry(0, 12, kWidth, 30);

    StrukPaper = new PaperView(box);
    StrukPaper->setObjectName(QStringLiteral("StrukPaper"));
    StrukPaper->setGeometry(20, 50, kWidth - 40, 330);

    LStrukPath = ui::makeLabel(box, QStringLiteral("LStrukPath"), QString(), 13, kPathColour);
    LStrukPath->setWordWrap(true);
    LStrukPath->setGeometry(20, 386, kWidth - 40, 44);

    RStrukFolder = new ui::TextButton(box, QStringLiteral("RStrukFolder"), tr("Buka Folder"), 16);
    RStrukFolder->setFill(kFolderFill);
    RStrukFolder->setGeometry(kWidth - 60 - 140, kHeight - 58, 140, 42);
    RStrukClose = new ui::TextButton(box, QStringLiteral("RStrukClose"), tr("Tutup"), 16);
    RStrukClose->setFill(kCloseFill);
    RStrukClose->setGeometry(60, kHeight - 58, 140, 42);
    setTabOrder(RStrukClose, RStrukFolder);  // left to right
    setAnswerButtons(RStrukFolder, RStrukClose);

    connect(RStrukClose, &QAbstractButton::clicked, this, &ReceiptPreview::close);
    connect(this, &ui::SlideInDialog::backdropClicked, this, &ReceiptPreview::close);
    m_openFolder = [](const QString& folder) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
    };
    connect(RStrukFolder, &QAbstractButton::clicked, this, &ReceiptPreview::openFolder);
}

void ReceiptPreview::openFolder() {
    if (m_savedPath.isEmpty()) return;
    const QString folder = QFileInfo(m_savedPath).absolutePath();
    if (m_openFolder(folder)) return;
    // Without a file manager the user still learns where to look.
    LStrukPath->setText(
        tr("Folder tidak dapat dibuka. Buka sendiri: %1").arg(QDir::toNativeSeparators(folder)));
    ui::setTextColor(LStrukPath, kErrorColour);
}

void ReceiptPreview::showReceipt(const QImage& paper, const QString& savedPath,
                                 const QString& saveError) {
    m_savedPath = savedPath;
    StrukPaper->setPaper(paper);
    const bool saved = !savedPath.isEmpty();
    LStrukPath->setText(saved ? tr("Disimpan di %1").arg(QDir::toNativeSeparators(savedPath))
                              : saveError);
    ui::setTextColor(LStrukPath, saved ? kPathColour : kErrorColour);
    RStrukFolder->setEnabled(saved);
    open();
}

}  // namespace velmora
