#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <optional>
#include <vector>

#include "journal/SessionTypes.h"

namespace velmora {

// The kept sessions as the list shows them, newest first: one row per session, its texts
// made once when the list is filled.
class SessionListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Start, Kind, Brand, Type, Status, Duration, Stop, ColumnCount };
    static constexpr int kSearchRole = Qt::UserRole;  // every text of the row, lower case
    static constexpr int kIdRole = Qt::UserRole + 1;

    explicit SessionListModel(QObject* parent = nullptr);

    // recording: the session being recorded now, marked as such.
    void setSessions(std::vector<journal::SessionSummary> sessions,
                     std::optional<int64_t> recording, const QString& dateSeparator);
    const journal::SessionSummary& session(int row) const { return m_sessions.at(row); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<journal::SessionSummary> m_sessions;
    std::vector<QStringList> m_texts;  // per row: the column texts, then the search text
};

// Keeps the rows whose texts hold every word typed, in any order and case.
class SessionFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit SessionFilter(QObject* parent = nullptr);
    void setWords(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QStringList m_words;
};

}  // namespace velmora
