#include "shell/TVLForm.h"

#include <QGraphicsProxyWidget>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QScreen>

#include "catalogue/DiagnosticScreen.h"
#include "catalogue/ProfileSelector.h"
#include "catalogue/TambahDialog.h"
#include "journal/JournalRecorder.h"
#include "link/ConnectionDialog.h"
#include "logger/SaveDialog.h"
#include "monitor/ChartScreen.h"
#include "monitor/DashboardScreen.h"
#include "printing/InformationDialog.h"
#include "printing/ReceiptPreview.h"
#include "shell/Dialogs.h"
#include "shell/OptionScreen.h"
#include "shell/ScaledView.h"
#include "shell/TopBar.h"
#include "shell/UserGuide.h"
#include "widgets/ComboPopups.h"
#include "widgets/FramePacer.h"
#include "widgets/MessageDialog.h"
#include "widgets/Notice.h"
#include "widgets/Picture.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
constexpr int kDesignWidth = 960, kDesignHeight = 540, kMainHeight = 478;

NumberFormat userNumberFormat() {
    const QString point = QLocale().decimalPoint();
    NumberFormat format;
    if (point.size() == 1 && point.at(0).unicode() < 128)
        format.decimalSeparator = static_cast<char>(point.at(0).unicode());
    return format;
}

}  // namespace

TVLForm::TVLForm(std::unique_ptr<BluetoothPlatform> platform, int screenWidth, QWidget* parent)
    : QWidget(parent), m_sizing(windowSizingFor(1366)), m_platform(std::move(platform)) {
    setObjectName(QStringLiteral("VLForm"));
    setWindowTitle(QStringLiteral("Velmora Tester"));
    ui::loadFonts();
    ui::FramePacer::instance();  // before the gauge starts its waves
    m_format = userNumberFormat();
    m_link = new ChargerLink(m_state, this);
    m_link->setNumberFormat(m_format);
    m_timerloop = new QTimer(this);
    m_timerloop->setObjectName(QStringLiteral("Timerloop"));
    m_timerloop->setInterval(1000);
    buildContent();
    wireHandlers();
    setUpLogger();
    setUpJournal();
    if (screenWidth <= 0 && QGuiApplication::primaryScreen())
        screenWidth = QGuiApplication::primaryScreen()->size().width();
    m_sizing = windowSizingFor(screenWidth);
    FormCreate();
}

TVLForm::~TVLForm() {
    m_journal->close();  // a session being recorded ends as closed by the application
    m_linkControl->shutDown();
    m_timerloop->stop();
    m_link->stopReaderAndRelease();  // the window closes without sending anything
    // A view item keeping the keyboard focus while the content goes would be asked to
    // pass it on through the half-destroyed content (a crash on the way out).
    if (QGraphicsProxyWidget* proxy = m_content->graphicsProxyWidget()) proxy->clearFocus();
    delete m_content;
}

void TVLForm::buildContent() {
    m_content = new QWidget;
    m_content->setObjectName(QStringLiteral("ContentLayout"));
    m_content->setFixedSize(kDesignWidth, kDesignHeight);
    // Transparent: the view draws the background and the gauge beneath the controls.
    m_content->setAttribute(Qt::WA_TranslucentBackground);
    ui::ComboPopupGuard::install(m_content);  // every drop-down list stays in the window

    m_background = new ui::Picture(m_content, QStringLiteral("Background"),
                                   QStringLiteral(":/img/background.svg"));
    m_background->setGeometry(0, 0, kDesignWidth, kDesignHeight);
    m_backgroundChart = new ui::Picture(m_content, QStringLiteral("BackgroundChart"),
                                        QStringLiteral(":/img/background_chart.svg"));
    m_backgroundChart->setGeometry(0, 0, kDesignWidth, kDesignHeight);
    m_backgroundChart->hide();
    m_background->setDrawnElsewhere(true);
    m_backgroundChart->setDrawnElsewhere(true);
    m_topBar = new TopBar(m_content);

    m_main = new QWidget(m_content);
    m_main->setObjectName(QStringLiteral("Main"));
    m_main->setGeometry(0, TopBar::kHeight, kDesignWidth, kMainHeight);
    m_dashboard = new DashboardScreen(m_main, m_format);
    m_diagnostic = new DiagnosticScreen(m_main, m_catalogue);
    m_profile = new ProfileSelector(m_diagnostic, m_catalogue, m_state, m_format, this);
    connect(m_profile, &ProfileSelector::titleChanged, m_dashboard, &DashboardScreen::showBattery);
    m_chart = new ChartScreen(m_main);
    m_option = new OptionScreen(m_main);
    m_guide = new GuideScreen(m_main);
    m_diagnostic->hide();
    m_chart->hide();
    m_option->hide();
    m_guide->hide();

    // Created bottom to top: the dialogs always stack in this order. The dealer dialog
    // (under the force stop question) and the add dialog (under the receipt preview) are
    // made at their first opening and take their places then.
    m_connection = new ConnectionDialog(m_content);
    m_layoutSave = new SaveDialog(m_content);
    m_questionSave = new QuestionSaveDialog(m_content);
    m_forceStop = new ForceStopDialog(m_content);
    m_layoutStruk = new ReceiptPreview(m_content);
    buildLink();
    buildPrinting();

    m_view = new ScaledView(this, m_content, 1.0);
    m_view->setUnderlay([this](QPainter& painter, const QRectF& exposed) {
        GaugeWidget* gauge = m_dashboard->isVisibleTo(m_content) ? m_dashboard->RCircle : nullptr;
        const QPointF origin = gauge ? QPointF(gauge->mapTo(m_content, QPoint(0, 0))) : QPointF();
        // Gauge frames lie on its opaque dial: nothing beneath it needs drawing.
        if (!gauge || !GaugeWidget::coversOpaquely(exposed.translated(-origin))) {
            painter.fillRect(exposed, Qt::black);
            for (ui::Picture* background : {m_background, m_backgroundChart})
                if (background->isVisibleTo(m_content)) background->paintAt(painter);
        }
        if (!gauge) return;
        painter.save();
        painter.translate(origin);
        gauge->paintGauge(painter, exposed.translated(-origin));
        painter.restore();
    });
    // Gauge frames follow the animation ticks, which the frame pacer keeps at 30 a second
    // while only the gauge moves: the waves never stop rolling, and a workshop PC runs
    // this window all day.
    connect(m_dashboard->RCircle, &GaugeWidget::paintRequested, this, [this](const QRect& area) {
        // A hidden gauge is drawn afresh when its screen shows again.
        if (!m_dashboard->isVisibleTo(m_content)) return;
        const QPoint origin = m_dashboard->RCircle->mapTo(m_content, QPoint(0, 0));
        m_view->refreshUnderlay(QRectF(area.translated(origin)));
    });
    m_userGuide = new UserGuide(this);
}

void TVLForm::makeDialogsNotYetOpened() {
    informationDialog();
    tambahDialog();
}

void TVLForm::FormCreate() {
    inisialprint();
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    const QSize client(m_sizing.width, m_sizing.clientHeight());
    setFixedSize(client);
    m_view->setTransform(QTransform::fromScale(m_sizing.scale, m_sizing.scale));
    move(0, 0);
}

void TVLForm::resizeEvent(QResizeEvent*) {
    m_view->setGeometry(rect());
    m_userGuide->setGeometry(rect());
}

void TVLForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    // After the first paint, so the window appears at once.
    QTimer::singleShot(0, this, &TVLForm::FormShow);
}

void TVLForm::FormShow() {
    m_linkControl->startUp(true);
    if (m_linkControl->connectLastChargerAtStart()) connectionStarted();
}

void TVLForm::showMessage(const QString& text) {
    if (m_messageSink) {
        m_messageSink(text);
        return;
    }
    ui::MessageDialog::inform(m_content, text);
}

void TVLForm::showNotice(const QString& text) {
    if (!m_notice) m_notice = new ui::Notice(m_content);
    m_notice->say(text);
}

void TVLForm::reportError(const QString& text) {
    showMessage(text);
}

void TVLForm::keyReleaseEvent(QKeyEvent* event) {
    // The hardware Back key asks before leaving, unless it is closing the on-screen keyboard.
    if (event->key() != Qt::Key_Back) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    if (QInputMethod* input = QGuiApplication::inputMethod(); input && input->isVisible()) {
        event->ignore();
        return;
    }
    event->accept();
    if (ui::MessageDialog::anyOpen(m_content)) return;  // answered there first
    if (!m_exitDialog) {
        m_exitDialog =
            new ui::MessageDialog(m_content, QStringLiteral("ExitDialog"),
                                  QStringLiteral("Apakah anda yakin ingin keluar dari aplikasi ?"),
                                  ui::MessageDialog::Buttons::OkCancel);
        connect(m_exitDialog, &ui::MessageDialog::finished, this, &TVLForm::OnCloseDialog);
    }
    m_exitDialog->present();
}

void TVLForm::OnCloseDialog(bool ok) {
    if (ok) close();
}

}  // namespace velmora
