#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "catalogue/Dataaki.h"
#include "link/ChargerLink.h"
#include "link/LinkController.h"
#include "link/NumberText.h"
#include "link/TickEvents.h"
#include "shell/WindowSizing.h"

namespace velmora {

class ChartScreen;
class ScaledView;
class ConnectionDialog;
class DashboardScreen;
class DataLogger;
class DiagnosticScreen;
class ForceStopDialog;
class GuideScreen;
class HistoryBrowser;
class HistoryDialog;
class InformationDialog;
class JournalRecorder;
class OptionScreen;
class PrintJob;
class ProfileSelector;
class QuestionDialog;
class QuestionSaveDialog;
class ReceiptPreview;
class ReceiptPrinter;
class SaveDialog;
class TambahDialog;
class TopBar;
class UserGuide;
class VirtualPrinter;
namespace ui {
class MessageDialog;
class Notice;
class Picture;
}  // namespace ui

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

    LiveChargerState& state() { return m_state; }
    ChargerLink& link() { return *m_link; }
    LinkController& linkControl() { return *m_linkControl; }
    BluetoothPlatform& platform() { return *m_platform; }
    QTimer* Timerloop() const { return m_timerloop; }
    const WindowSizing& sizing() const { return m_sizing; }
    QWidget* content() const { return m_content; }
    const NumberFormat& numberFormat() const { return m_format; }
    const Dataaki& catalogue() const { return m_catalogue; }
    bool guideInitDone() const { return m_guideInitDone; }
    bool chargerPanelMode() const { return m_chargerPanelMode; }
    bool printerPanelMode() const { return m_printerPanelMode; }
    // Whether a connection attempt is running in the background.
    bool connecting() const;

    DashboardScreen* dashboard() const { return m_dashboard; }
    DiagnosticScreen* diagnostic() const { return m_diagnostic; }
    ProfileSelector& profile() const { return *m_profile; }
    ChartScreen* chartScreen() const { return m_chart; }
    // Dialogs opened now and then, made at their first opening.
    TambahDialog* tambahDialog();
    InformationDialog* informationDialog();
    ConnectionDialog* connectionDialog() const { return m_connection; }
    ReceiptPrinter* receipts() const { return m_receipts; }
    VirtualPrinter* virtualPrinter() const { return m_virtualPrinter; }
    // Whether a receipt is being sent to the printer.
    bool printing() const;
    DataLogger& logger() const { return *m_logger; }
    JournalRecorder& journal() const { return *m_journal; }
    // The charge history, made at the first look at it.
    HistoryBrowser& history();
    // Where the log files, the charge journal and the simulated printer's receipts live
    // ("Velmora Tester" is made inside):
    // the platform's Documents folder unless set (tests and screenshots set their own).
    void setDocumentsFolder(const QString& documents);

    // Program start (sizes the window) and first show (Bluetooth start-up).
    void FormCreate();
    void FormShow();
    void OnCloseDialog(bool ok);

    // Navigation
    void BT1Dashboard2Click();
    void BT2DiagnosticClick();
    void BT3ChartClick();
    void BT4OptionClick();
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
        m_messageSink = std::move(sink);
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
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    template <typename T>
    T* findMadeControl(const QString& name) const {
        if (T* found = m_content->findChild<T*>(name)) return found;
        return findChild<T*>(name);
    }
    void makeDialogsNotYetOpened();
    enum class Screen { Dashboard, Diagnostic, Chart, Option };
    void selectScreen(Screen screen);
    void buildContent();
    void wireHandlers();
    void setUpLogger();
    void setUpJournal();
    // Shows one tick's events on every screen and hands them to the charge journal.
    void showTick(const TickEvents& tick);
    // "Charge Mode" and "Test Mode" bring their screen up.
    void followStatusWord(StatusWord word);
    void journalTick(const TickEvents& events);
    void buildLink();
    void openConnectionDialog(bool forPrinter);
    void beginConnect(LinkController::Purpose purpose);
    void connectionStarted();
    // The lost charger's next attempt is due.
    void reconnectDue();
    // Once a receipt is out, the link goes back to the charger it was taken from.
    void returnToCharger();
    // Says so, and returns true, when the device chosen for printing is a charger.
    bool refuseChargerAsPrinter();
    void finishConnect(LinkController::Purpose purpose, bool ok, const QString& firstError,
                       const QString& secondError);
    void updateLinkStatus();
    void showMessage(const QString& text);
    // A short line that goes by itself: what a command just did.
    void showNotice(const QString& text);
    // The link goes to a charger that can take a command.
    bool chargerLinked() const;
    void buildPrinting();
    // Sends a kept session's receipt: at once to a connected printer, else through the
    // connection dialog in printer mode (the history hands it over here).
    void printKeptReceipt(std::vector<std::string> chunks);

    WindowSizing m_sizing;
    NumberFormat m_format;
    Dataaki m_catalogue;
    LiveChargerState m_state;
    std::unique_ptr<BluetoothPlatform> m_platform;
    ChargerLink* m_link = nullptr;
    LinkController* m_linkControl = nullptr;
    bool m_chargerPanelMode = false;
    bool m_printerPanelMode = false;
    bool m_guideInitDone = false;
    bool m_shown = false;
    std::function<void(const QString&)> m_messageSink;
    ui::MessageDialog* m_exitDialog = nullptr;
    ui::Notice* m_notice = nullptr;

    ScaledView* m_view = nullptr;
    QWidget* m_content = nullptr;  // ContentLayout, 960 x 540 design units
    QTimer* m_timerloop = nullptr;
    ui::Picture* m_background = nullptr;
    ui::Picture* m_backgroundChart = nullptr;
    TopBar* m_topBar = nullptr;
    QWidget* m_main = nullptr;
    DashboardScreen* m_dashboard = nullptr;
    DiagnosticScreen* m_diagnostic = nullptr;
    ProfileSelector* m_profile = nullptr;
    ChartScreen* m_chart = nullptr;
    OptionScreen* m_option = nullptr;
    GuideScreen* m_guide = nullptr;
    ConnectionDialog* m_connection = nullptr;
    SaveDialog* m_layoutSave = nullptr;
    QuestionSaveDialog* m_questionSave = nullptr;
    InformationDialog* m_layoutInformation = nullptr;
    ReceiptPreview* m_layoutStruk = nullptr;
    ReceiptPrinter* m_receipts = nullptr;
    PrintJob* m_printJob = nullptr;
    VirtualPrinter* m_virtualPrinter = nullptr;
    ForceStopDialog* m_forceStop = nullptr;
    TambahDialog* m_layoutTambah = nullptr;
    UserGuide* m_userGuide = nullptr;
    DataLogger* m_logger = nullptr;
    JournalRecorder* m_journal = nullptr;
    HistoryBrowser* m_history = nullptr;
    HistoryDialog* m_layoutRiwayat = nullptr;
    QuestionDialog* m_layoutHapusRiwayat = nullptr;
};

}  // namespace velmora
