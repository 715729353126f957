#include "shell/TVLForm.h"

#include <QCloseEvent>
#include <QGraphicsProxyWidget>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "bench/Bench.h"
#include "journal/JournalRecorder.h"
#include "link/ConnectionFlow.h"
#include "link/LocaleNumberFormat.h"
#include "shell/ExitQuestion.h"
#include "shell/HandlerWiring.h"
#include "shell/ScaledView.h"
#include "shell/UserGuide.h"
#include "shell/WindowContent.h"
#include "widgets/FramePacer.h"
#include "widgets/Theme.h"

namespace velmora {

namespace {
// A charge is watched while the charger's link is up and a session is being recorded or
// the charger reports a charging stage (the history may be unable to record).
bool watchingACharge(TVLForm& window) {
    if (!window.linkControl().chargerLinkUp()) return false;
    if (window.journal().recordingSessionId()) return true;
    const int stage = window.state().measurement().stageNumber;
    return stage >= 1 && stage <= 5;
}

ExitQuestion::CutOff closingCutsOff(TVLForm& window) {
    using CutOff = ExitQuestion::CutOff;
    if (window.printing()) return CutOff::Print;
    if (watchingACharge(window)) return CutOff::Charge;
    if (window.linkControl().reconnecting()) return CutOff::Reconnect;
    return CutOff::Nothing;
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
    m_ui = std::make_unique<WindowContent>(this, m_catalogue, m_format);
    m_messages = UserMessages(m_ui->content);
    m_ctrl = new WindowControllers({m_state, *m_link, *m_platform, m_timerloop, m_catalogue,
                                    m_format, [this] { datareference(); }},
                                   *m_ui, this);
    connect(m_ctrl, &WindowControllers::message, this, &TVLForm::showMessage);
    connect(m_ctrl, &WindowControllers::error, this, &TVLForm::reportError);
    connect(m_ctrl, &WindowControllers::linkStatusChanged, this, &TVLForm::updateLinkStatus);
    connect(m_ctrl, &WindowControllers::connectionFinished, this, &TVLForm::connectionFinished);
    connect(m_ctrl, &WindowControllers::printFinished, this, &TVLForm::printFinished);
    wireHandlers(*this, *m_ui);
    m_exitQuestion = new ExitQuestion(m_ui->content);
    connect(m_exitQuestion, &ExitQuestion::answered, this, &TVLForm::OnCloseDialog);
    if (screenWidth <= 0 && QGuiApplication::primaryScreen())
        screenWidth = QGuiApplication::primaryScreen()->size().width();
    m_sizing = windowSizingFor(screenWidth);
    FormCreate();
}

TVLForm::~TVLForm() {
    journal().close();   // a session being recorded ends as closed by the application
    bench().shutDown();  // every further charger's receive thread ends with the window
    linkControl().shutDown();
    m_timerloop->stop();
    m_link->stopReaderAndRelease();  // the window closes without sending anything
    // A view item keeping the keyboard focus while the content goes would be asked to
    // pass it on through the half-destroyed content (a crash on the way out).
    if (QGraphicsProxyWidget* proxy = m_ui->content->graphicsProxyWidget()) proxy->clearFocus();
    delete m_ui->content;
}

void TVLForm::makeDialogsNotYetOpened() {
    informationDialog();
    tambahDialog();
}

void TVLForm::FormCreate() {
    inisialprint();
    m_ui->fitWindow(this, m_sizing);
}

void TVLForm::resizeEvent(QResizeEvent*) {
    m_ui->view->setGeometry(rect());
    m_ui->userGuide->setGeometry(rect());
}

void TVLForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    // After the first paint, so the window appears at once.
    QTimer::singleShot(0, this, &TVLForm::FormShow);
}

void TVLForm::FormShow() {
    linkControl().startUp(true);
    if (!m_watchAtStart.isEmpty()) {
        for (const QString& address : std::as_const(m_watchAtStart))
            if (const auto refused = bench().add(address))
                showMessage(tr("%1: %2").arg(address, *refused));
        return;
    }
    m_ctrl->connectionFlow->connectLastChargerAtStart();
    if (linkControl().remembered().autoConnect()) bench().restoreBays();
}

void TVLForm::showMessage(const QString& text) {
    m_messages.message(text);
}

void TVLForm::reportError(const QString& text) {
    showMessage(text);
}

void TVLForm::keyReleaseEvent(QKeyEvent* event) {
    if (!m_exitQuestion->handle(event)) QWidget::keyReleaseEvent(event);
}

void TVLForm::closeEvent(QCloseEvent* event) {
    const ExitQuestion::CutOff cutOff =
        m_leaveConfirmed ? ExitQuestion::CutOff::Nothing : closingCutsOff(*this);
    if (cutOff == ExitQuestion::CutOff::Nothing) {
        QWidget::closeEvent(event);
        return;
    }
    event->ignore();
    m_exitQuestion->askToClose(cutOff);
}

void TVLForm::OnCloseDialog(bool ok) {
    if (!ok) return;
    m_leaveConfirmed = true;  // asked once is enough
    close();
}

}  // namespace velmora
