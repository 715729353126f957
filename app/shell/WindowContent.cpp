#include "shell/WindowContent.h"

#include <QCoreApplication>
#include <QPaintEngine>
#include <QPainter>

#include "catalogue/DiagnosticScreen.h"
#include "catalogue/TambahDialog.h"
#include "journal/HistoryDialog.h"
#include "link/ConnectionDialog.h"
#include "logger/SaveDialog.h"
#include "monitor/BenchScreen.h"
#include "monitor/ChartScreen.h"
#include "monitor/DashboardScreen.h"
#include "monitor/LostLinkPanel.h"
#include "printing/InformationDialog.h"
#include "printing/ReceiptPreview.h"
#include "shell/Dialogs.h"
#include "shell/OptionScreen.h"
#include "shell/ScaledView.h"
#include "shell/TopBar.h"
#include "shell/UserGuide.h"
#include "widgets/ComboPopups.h"
#include "widgets/Picture.h"

namespace velmora {

namespace {
constexpr int kDesignWidth = 960, kDesignHeight = 540, kMainHeight = 478;

// The parts of the window a repaint really covers, in the painter's coordinates. The view
// hands its background the bounding rectangle of them: a wave's band and a needle's box
// together span a rectangle reaching far past the dial, whose background would be drawn
// and blended for nothing. A repaint made of many parts is drawn as its bounding rectangle.
QList<QRectF> exposedPieces(QPainter& painter, const QRectF& exposed) {
    constexpr int kMostPieces = 6;
    const QPaintEngine* engine = painter.paintEngine();
    const QRegion clip = engine ? engine->systemClip() : QRegion();
    if (clip.isEmpty() || clip.rectCount() > kMostPieces) return {exposed};
    const QTransform toPainter = painter.deviceTransform().inverted();
    QList<QRectF> pieces;
    for (const QRect& rect : clip) {
        const QRectF piece = toPainter.mapRect(QRectF(rect)) & exposed;
        if (!piece.isEmpty()) pieces.append(piece);
    }
    return pieces;
}
}  // namespace

WindowContent::WindowContent(QWidget* window, const Dataaki& catalogue,
                             const NumberFormat& format) {
    content = new QWidget;
    content->setObjectName(QStringLiteral("ContentLayout"));
    content->setFixedSize(kDesignWidth, kDesignHeight);
    // Transparent: the view draws the background and the gauge beneath the controls.
    content->setAttribute(Qt::WA_TranslucentBackground);
    ui::ComboPopupGuard::install(content);  // every drop-down list stays in the window

    background = new ui::Picture(content, QStringLiteral("Background"),
                                 QStringLiteral(":/img/background.svg"));
    background->setGeometry(0, 0, kDesignWidth, kDesignHeight);
    backgroundChart = new ui::Picture(content, QStringLiteral("BackgroundChart"),
                                      QStringLiteral(":/img/background_chart.svg"));
    backgroundChart->setGeometry(0, 0, kDesignWidth, kDesignHeight);
    backgroundChart->hide();
    background->setDrawnElsewhere(true);
    backgroundChart->setDrawnElsewhere(true);
    topBar = new TopBar(content);
    buildScreens(catalogue, format);

    // Created bottom to top: the dialogs always stack in this order. The dealer dialog
    // (under the force stop question) and the add dialog (under the receipt preview) are
    // made at their first opening and take their places then.
    connection = new ConnectionDialog(content);
    layoutSave = new SaveDialog(content);
    questionSave = new QuestionSaveDialog(content);
    forceStop = new ForceStopDialog(content);
    layoutStruk = new ReceiptPreview(content);
    buildView(window);
    userGuide = new UserGuide(window);
}

void WindowContent::buildScreens(const Dataaki& catalogue, const NumberFormat& format) {
    main = new QWidget(content);
    main->setObjectName(QStringLiteral("Main"));
    main->setGeometry(0, TopBar::kHeight, kDesignWidth, kMainHeight);
    dashboard = new DashboardScreen(main, format);
    diagnostic = new DiagnosticScreen(main, catalogue);
    chart = new ChartScreen(main);
    option = new OptionScreen(main);
    guide = new GuideScreen(main);
    bench = new BenchScreen(main, format);
    diagnostic->hide();
    chart->hide();
    option->hide();
    guide->hide();
    bench->hide();
}

void WindowContent::buildView(QWidget* window) {
    view = new ScaledView(window, content, 1.0);
    view->setUnderlay([this](QPainter& painter, const QRectF& exposed) {
        GaugeWidget* gauge = dashboard->isVisibleTo(content) ? dashboard->RCircle : nullptr;
        const QPointF origin = gauge ? QPointF(gauge->mapTo(content, QPoint(0, 0))) : QPointF();
        const QList<QRectF> pieces = exposedPieces(painter, exposed);
        // Gauge frames lie on its opaque dial: nothing beneath it needs drawing. The
        // background is drawn once, over the pieces the dial leaves open (the repaint's own
        // clip keeps it off the rest).
        QRectF open;
        for (const QRectF& piece : pieces)
            if (!gauge || !GaugeWidget::coversOpaquely(piece.translated(-origin))) open |= piece;
        if (!open.isEmpty()) {
            // A margin, so no partly covered device pixel at its edge is left out.
            open.adjust(-2, -2, 2, 2);
            painter.save();
            painter.setClipRect(open, Qt::IntersectClip);
            painter.fillRect(open, Qt::black);
            for (ui::Picture* picture : {background, backgroundChart})
                if (picture->isVisibleTo(content)) picture->paintAt(painter);
            painter.restore();
        }
        if (!gauge) return;
        for (const QRectF& piece : pieces) {
            painter.save();
            painter.translate(origin);
            gauge->paintGauge(painter, piece.translated(-origin));
            painter.restore();
        }
    });

    // Gauge frames follow the animation ticks, which the frame pacer keeps at 20 a second
    // while only the gauge moves: the waves never stop rolling, and a workshop PC runs
    // this window all day.
    QObject::connect(dashboard->RCircle, &GaugeWidget::paintRequested, window,
                     [this](const QRect& area) {
                         // A hidden gauge is drawn afresh when its screen shows again.
                         if (!dashboard->isVisibleTo(content)) return;
                         const QPoint origin = dashboard->RCircle->mapTo(content, QPoint(0, 0));
                         view->refreshUnderlay(QRectF(area.translated(origin)));
                     });
}

void WindowContent::fitWindow(QWidget* window, const WindowSizing& sizing) {
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(sizing.width, sizing.clientHeight());
    view->setTransform(QTransform::fromScale(sizing.scale, sizing.scale));
    window->move(0, 0);
}

void WindowContent::selectScreen(Screen screen) {
    static const struct {
        const char* title;
        bool darkText;
    } kRows[] = {{QT_TRANSLATE_NOOP("velmora::TopBar", "DASHBOARD"), false},
                 {QT_TRANSLATE_NOOP("velmora::TopBar", "DIAGNOSTIC"), false},
                 {QT_TRANSLATE_NOOP("velmora::TopBar", "CHART"), true},
                 {QT_TRANSLATE_NOOP("velmora::TopBar", "OPTION"), false},
                 {QT_TRANSLATE_NOOP("velmora::TopBar", "RAK"), false}};
    const int row = static_cast<int>(screen);
    topBar->apply(TopBar::tr(kRows[row].title), kRows[row].darkText, row);
    background->setVisible(screen != Screen::Chart);
    backgroundChart->setVisible(screen == Screen::Chart);
    dashboard->setVisible(screen == Screen::Dashboard);
    diagnostic->setVisible(screen == Screen::Diagnostic);
    chart->setVisible(screen == Screen::Chart);
    option->setVisible(screen == Screen::Option);
    bench->setVisible(screen == Screen::Bench);
    guide->hide();
    view->refreshUnderlay();  // background and gauge follow the screen
}

void WindowContent::followStatusWord(StatusWord word) {
    if (word == StatusWord::ChargeMode) selectScreen(Screen::Dashboard);
    if (word == StatusWord::TestMode) selectScreen(Screen::Diagnostic);
}

void WindowContent::showLink(const LinkController& control, bool printing) {
    dashboard->showLink(control, printing);
    const std::optional<LostLinkView> lost = DashboardScreen::lostLinkOf(control);
    topBar->showLinkAlert(lost ? lostLinkHeadline(*lost) : QString());
}

InformationDialog* WindowContent::informationDialog() {
    if (m_layoutInformation) return m_layoutInformation;
    m_layoutInformation = new InformationDialog(content);
    m_layoutInformation->stackUnder(forceStop);
    if (informationDialogMade) informationDialogMade(m_layoutInformation);
    return m_layoutInformation;
}

TambahDialog* WindowContent::tambahDialog() {
    if (m_layoutTambah) return m_layoutTambah;
    m_layoutTambah = new TambahDialog(content);
    m_layoutTambah->stackUnder(layoutStruk);
    if (tambahDialogMade) tambahDialogMade(m_layoutTambah);
    return m_layoutTambah;
}

WindowContent::HistoryDialogs WindowContent::makeHistoryDialogs() {
    auto* history = new HistoryDialog(content);
    auto* question = new QuestionDialog(
        content, QStringLiteral("LayoutHapusRiwayat"), QStringLiteral("FloatHapusRiwayat"),
        QCoreApplication::translate("WindowContent", "Hapus sesi ini dari riwayat?"),
        QCoreApplication::translate("WindowContent",
                                    "Hasil dan grafiknya tidak dapat dikembalikan"),
        QStringLiteral("RHapusTidak"), QCoreApplication::translate("WindowContent", "Tidak"),
        QStringLiteral("RHapusIya"), QCoreApplication::translate("WindowContent", "Iya"));
    return {history, question};
}

}  // namespace velmora
