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
    enum Column { Start, Bay, Kind, Brand, Type, Status, Duration, Stop, ColumnCount };
    static constexpr int kSearchRole = Qt::UserRole;  // every text of the row, lower case
    static constexpr int kIdRole = Qt::UserRole + 1;
    static constexpr int kBayRole = Qt::UserRole + 2;  // the bay label as kept

    explicit SessionListModel(QObject* parent = nullptr);

    // recording: the sessions being recorded now (one per bay), marked as such.
    void setSessions(std::vector<journal::SessionSummary> sessions,
                     const std::vector<int64_t>& recording, const QString& dateSeparator);
    const journal::SessionSummary& session(int row) const { return m_sessions.at(row); }
    // The bay labels the sessions carry, each once, in the order a person counts them
    // ("Rak 2" before "Rak 10"); none when no session has one.
    QStringList bayLabels() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<journal::SessionSummary> m_sessions;
    std::vector<QStringList> m_texts;  // per row: the column texts, then the search text
};

// Keeps the rows whose texts hold every word typed, in any order and case, and that are of
// the bay chosen, if one is.
class SessionFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit SessionFilter(QObject* parent = nullptr);
    void setWords(const QString& text);
    // Only the sessions of this bay, its label matched whole; none: every bay's.
    void setBay(const std::optional<QString>& label);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QStringList m_words;
    std::optional<QString> m_bay;
};

}  // namespace velmora
