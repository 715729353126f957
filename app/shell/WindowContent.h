#pragma once

#include <QWidget>
#include <functional>

#include "catalogue/Dataaki.h"
#include "link/NumberText.h"
#include "link/TickEvents.h"
#include "shell/WindowSizing.h"

namespace velmora {

class BenchScreen;
class ChartScreen;
class ConnectionDialog;
class DashboardScreen;
class DiagnosticScreen;
class ForceStopDialog;
class GuideScreen;
class HistoryDialog;
class InformationDialog;
class LinkController;
class OptionScreen;
class QuestionDialog;
class QuestionSaveDialog;
class ReceiptPreview;
class SaveDialog;
class ScaledView;
class TambahDialog;
class TopBar;
class UserGuide;
namespace ui {
class Picture;
}

// What the window shows: ContentLayout (960 x 540 design units) with the backgrounds, the
// top bar, the screens and the dialogs in their stacking order, drawn through the scaled
// view with the dashboard's gauge beneath the controls, and the intro guide above it all.
// The content has no parent: the window deletes it before its own children go.
class WindowContent {
public:
    enum class Screen { Dashboard, Diagnostic, Chart, Option, Bench };

    WindowContent(QWidget* window, const Dataaki& catalogue, const NumberFormat& format);

    // A fixed window at the top-left corner, without resizing or maximising, showing the
    // content at the sizing's scale.
    void fitWindow(QWidget* window, const WindowSizing& sizing);
    // Shows one screen with its title, top bar look and background.
    void selectScreen(Screen screen);
    // "Charge Mode" and "Test Mode" bring their screen up.
    void followStatusWord(StatusWord word);
    // The link's state on the dashboard and, while the charger link is lost, on every
    // screen's top bar.
    void showLink(const LinkController& control, bool printing);

    // The dialogs opened now and then, made at their first opening in their stacking
    // place; `made` is told of each one made.
    InformationDialog* informationDialog();
    TambahDialog* tambahDialog();
    std::function<void(InformationDialog*)> informationDialogMade;
    // The charge history and its delete question, above every other dialog, the question
    // above the history it belongs to.
    struct HistoryDialogs {
        HistoryDialog* history;
        QuestionDialog* deleteQuestion;
    };
    HistoryDialogs makeHistoryDialogs();
    std::function<void(TambahDialog*)> tambahDialogMade;

    QWidget* content = nullptr;  // ContentLayout
    ScaledView* view = nullptr;
    ui::Picture* background = nullptr;
    ui::Picture* backgroundChart = nullptr;
    TopBar* topBar = nullptr;
    QWidget* main = nullptr;
    DashboardScreen* dashboard = nullptr;
    DiagnosticScreen* diagnostic = nullptr;
    ChartScreen* chart = nullptr;
    OptionScreen* option = nullptr;
    BenchScreen* bench = nullptr;
    GuideScreen* guide = nullptr;
    ConnectionDialog* connection = nullptr;
    SaveDialog* layoutSave = nullptr;
    QuestionSaveDialog* questionSave = nullptr;
    ForceStopDialog* forceStop = nullptr;
    ReceiptPreview* layoutStruk = nullptr;
    UserGuide* userGuide = nullptr;

private:
    void buildScreens(const Dataaki& catalogue, const NumberFormat& format);
    void buildView(QWidget* window);

    InformationDialog* m_layoutInformation = nullptr;
    TambahDialog* m_layoutTambah = nullptr;
};

}  // namespace velmora
