#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "catalogue/Dataaki.h"
#include "link/ChargerLink.h"
#include "link/ConnectionFlow.h"
#include "link/LinkController.h"
#include "link/NumberText.h"
#include "link/TickEvents.h"
#include "printing/PrintJob.h"
#include "shell/UserMessages.h"
#include "shell/WindowContent.h"
#include "shell/WindowControllers.h"
#include "shell/WindowSizing.h"

namespace velmora {

class Bench;
class ChargerBay;
class DataLogger;
class ExitQuestion;
class HistoryBrowser;
class JournalRecorder;
class ProfileSelector;
class ReceiptPrinter;
class CertificateControls;
class VirtualPrinter;

// The main window: one fixed-size window holding every screen and dialog, scaled as a
// whole. Handlers keep the names of the window's event wiring; the screens and dialogs
// own their controls and the window delegates to them.
class TVLForm : public QWidget {
    Q_OBJECT
public:
    // platform: the Bluetooth stack (with simulated devices where wanted).
    // screenWidth: 0 takes the primary screen's width.
    explicit TVLForm(std::unique_ptr<BluetoothPlatform> platform, int screenWidth = 0,
                     QWidget* parent = nullptr);
    ~TVLForm() override;

    // Finds a control by name anywhere in the window (content, dialogs, intro guide),
    // making the dialogs not yet opened if it is not found elsewhere.
    template <typename T>
    T* control(const QString& name) const {
        if (T* found = findMadeControl<T>(name)) return found;
        const_cast<TVLForm*>(this)->makeDialogsNotYetOpened();
        return findMadeControl<T>(name);
    }

    // The window's own charger (the first bay): its live state and link.
    LiveChargerState& state() { return m_state; }
    ChargerLink& link() { return *m_link; }
    // The chargers watched at once, and the one the detail screens show.
    Bench& bench() const { return *m_ctrl->bench; }
    ChargerBay& shownBay() const { return m_ctrl->shownBay(); }
    LiveChargerState& shownState() const { return m_ctrl->shownState(); }
    LinkController& linkControl() const { return *m_ctrl->linkControl; }
    BluetoothPlatform& platform() { return *m_platform; }
    QTimer* Timerloop() const { return m_timerloop; }
    const WindowSizing& sizing() const { return m_sizing; }
    QWidget* content() const { return m_ui->content; }
    const NumberFormat& numberFormat() const { return m_format; }
    const Dataaki& catalogue() const { return m_catalogue; }
    bool guideInitDone() const { return m_guideInitDone; }
    bool chargerPanelMode() const { return m_ctrl->connectionFlow->chargerPanelMode(); }
    bool printerPanelMode() const { return m_ctrl->connectionFlow->printerPanelMode(); }
    // Whether a connection attempt is running in the background.
    bool connecting() const { return linkControl().connecting(); }

    DashboardScreen* dashboard() const { return m_ui->dashboard; }
    DiagnosticScreen* diagnostic() const { return m_ui->diagnostic; }
    ProfileSelector& profile() const { return *m_ctrl->profile; }
    ChartScreen* chartScreen() const { return m_ui->chart; }
    // Dialogs opened now and then, made at their first opening.
    TambahDialog* tambahDialog() { return m_ui->tambahDialog(); }
    InformationDialog* informationDialog() { return m_ui->informationDialog(); }
    ConnectionDialog* connectionDialog() const { return m_ui->connection; }
    ReceiptPrinter* receipts() const { return m_ctrl->receipts; }
    CertificateControls& certificates() const { return *m_ctrl->certificateControls; }
    VirtualPrinter* virtualPrinter() const { return m_ctrl->virtualPrinter; }
    // Whether a receipt is being sent to the printer.
    bool printing() const { return m_ctrl->printJob->printing(); }
    DataLogger& logger() const { return *m_ctrl->logger; }
    JournalRecorder& journal() const { return *m_ctrl->journal; }
    // The charge history, made at the first look at it.
    HistoryBrowser& history();
    // Where the log files, the charge journal and the simulated printer's receipts live
    // ("Velmora Tester" is made inside):
    // the platform's Documents folder unless set (tests and screenshots set their own).
    void setDocumentsFolder(const QString& documents);

    // Chargers watched from start-up, one bay each, instead of the last charger.
    void setChargersToWatch(const QStringList& addresses) { m_watchAtStart = addresses; }

    // Program start (sizes the window) and first show (Bluetooth start-up).
    void FormCreate();
    void FormShow();
    void OnCloseDialog(bool ok);

    // Navigation
    void BT1Dashboard2Click();
    void BT2DiagnosticClick();
    void BT3ChartClick();
    void BT4OptionClick();
    void BT5BenchClick();
    void R1UseClick();
    void R2UseClick();
    void R3UseClick();
    void BackGuideClick();
    void TrackBar1Change();
    void bLeftClick();
    void bRightClick();
    void BTSkipClick();
    void FloatAnimation1Finish();

    // Refresh timer and its seven steps
    void TimerloopTimer();
    void detect();
    void display();
    void accudiagnostic();
    void datareference();
    void timercharger();
    void effect();
    void chart();
    void rest();

    // Bluetooth and connections
    bool ManagerConnected();
    void PairedDevices();
    void checkBT();
    void BTConnectionClick();
    void BTPrintClick();
    void ComboDeviceClick();
    void RectLayoutBTClick();
    void BTConnectClick();
    void BTReportClick();
    void start();
    void Kirimstringdata(const std::string& dataout);
    // The lost-link panel's "Sambungkan ulang": the same charger again.
    void BTSambungUlangClick();

    // Receipts, printer images and dealer information (app/printing)
    void inisialprint();
    void saveimage();
    void SusunBitmap();
    void DataPrint(int stat2);
    void DataPrint2(int stat3);
    void RSendInformationClick();
    void RCancelInformationClick();

    // Force stop
    void BTForceStopClick();
    void RForceYesClick();
    void RForceNoClick();

    // Battery selection, profile and custom options
    void ComboMerkChange();
    void ComboJenisChange();
    void ComboTipeChange();
    void RadioFastChange();
    void RadioNormalChange();
    void BTSendDataClick();
    void TittleAccu();
    void ImageAccuClick();
    void datarefresh();
    void ComboIndeksChange();
    void BTTambahClick();
    void RTambahYesClick();
    void RTambahNoClick();
    // Save question answers
    void RYESClick();
    void RNOClick();

    // Log files: saving and the log browser
    void BTSaveClick();
    void RCancelSaveClick();
    void ROKSaveClick();
    void BTRefreshClick();
    void BTLoadClick();

    // Charge journal: the "Riwayat" row opens the kept sessions.
    void RRiwayatClick();

    // Where short messages for the user go: a message in the window's own look, modal to
    // the window, unless replaced (tests).
    void setMessageSink(std::function<void(const QString&)> sink) {
        m_messages.setSink(std::move(sink));
    }
    // Shows an error that no handler caught, with its text.
    void reportError(const QString& text);

signals:
    // A background connection attempt finished (tests wait on it).
    void connectionFinished(bool ok);
    // A receipt has been sent, or its sending failed with error.
    void printFinished(const QString& error);

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
    // Closing by the window's close button or Alt+F4 asks first when it would cut off a
    // charge, a receipt or a reconnection.
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    template <typename T>
    T* findMadeControl(const QString& name) const {
        if (T* found = content()->findChild<T*>(name)) return found;
        return findChild<T*>(name);
    }
    void makeDialogsNotYetOpened();
    // Shows one tick's events on every screen and hands them to the charge journal.
    void showTick(ChargerBay& bay, const TickEvents& tick);
    void updateLinkStatus();
    void showMessage(const QString& text);
    // Whether a command can go to a charger now ("Kirim Data", "Atur Data", "Tambah Data").
    bool chargerTakesData() const;

    WindowSizing m_sizing;
    NumberFormat m_format;
    Dataaki m_catalogue;
    LiveChargerState m_state;
    std::unique_ptr<BluetoothPlatform> m_platform;
    ChargerLink* m_link = nullptr;
    bool m_guideInitDone = false;
    bool m_shown = false;
    UserMessages m_messages{nullptr};
    ExitQuestion* m_exitQuestion = nullptr;
    bool m_leaveConfirmed = false;  // the user answered the exit or close question

    QTimer* m_timerloop = nullptr;
    std::unique_ptr<WindowContent> m_ui;
    WindowControllers* m_ctrl = nullptr;
    HistoryBrowser* m_history = nullptr;
    QStringList m_watchAtStart;
};

}  // namespace velmora
