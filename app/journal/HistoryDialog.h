#pragma once

#include "widgets/SlideInDialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;
class QTableView;

namespace velmora {

class SessionFilter;
class SessionListModel;
class SessionPage;

// The charge history (LayoutRiwayat): the kept sessions, newest first, filtered by what
// is typed and by bay; a chosen session opens on a second page of the same panel. On the list Enter
// shows the chosen session and Escape closes; on a session's page Escape goes back.
class HistoryDialog : public ui::SlideInDialog {
    Q_OBJECT
public:
    explicit HistoryDialog(QWidget* window);

    SessionListModel* model() const { return m_model; }
    SessionFilter* filter() const { return m_filter; }
    // Shows the list page or the session page.
    void showList();
    void showSessionPage();
    bool sessionPageShown() const;
    // With sessions of named bays: the bay column and the choice of a bay show. Without,
    // the list looks as it does for a single charger.
    void showBays(bool shown);

    // List page
    QLabel* LRiwayatTitle;
    QLineEdit* EditCariRiwayat;
    QComboBox* ComboRakRiwayat;  // "Semua rak", then each bay's label
    QTableView* ListRiwayat;
    QLabel* LRiwayatInfo;  // how many sessions, or why there are none
    ui::TextButton* RRiwayatEkspor;
    ui::TextButton* RRiwayatTutup;
    ui::TextButton* RRiwayatLihat;
    // Session page
    SessionPage* PageSesi;

private:
    void showPage(int index);

    QStackedWidget* m_pages;
    SessionListModel* m_model;
    SessionFilter* m_filter;
};

}  // namespace velmora
