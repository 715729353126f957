#include "journal/SessionListModel.h"

#include "journal/SessionTexts.h"

namespace velmora {

SessionListModel::SessionListModel(QObject* parent) : QAbstractTableModel(parent) {}

void SessionListModel::setSessions(std::vector<journal::SessionSummary> sessions,
                                   std::optional<int64_t> recording, const QString& dateSeparator) {
    beginResetModel();
    m_sessions = std::move(sessions);
    m_texts.clear();
    m_texts.reserve(m_sessions.size());
    for (const journal::SessionSummary& s : m_sessions) {
        const journal::Profile& p = s.start.profile;
        QStringList row{
            startText(s, dateSeparator),    kindText(s.start),   QString::fromStdString(p.brand),
            QString::fromStdString(p.type), resultStatusText(s), durationText(s.durationMs()),
            stopText(s, recording == s.id)};
        // Found also by what the columns leave out: variety, mode, name, charger.
        QStringList search = row;
        search << QString::fromStdString(p.variety) << QString::fromStdString(p.modeText)
               << QString::fromStdString(p.capacity) << QString::fromStdString(p.name)
               << QString::fromStdString(s.start.deviceName) << QString::number(s.id);
        row << search.join(QLatin1Char(' ')).toLower();
        m_texts.push_back(std::move(row));
    }
    endResetModel();
}

int SessionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_sessions.size());
}

int SessionListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SessionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const QStringList& row = m_texts[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return row.at(index.column());
        case kSearchRole:
            return row.at(ColumnCount);
        case kIdRole:
            return QVariant::fromValue<qint64>(m_sessions[static_cast<size_t>(index.row())].id);
        case Qt::TextAlignmentRole:
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant SessionListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kHeadings[] = {
        QT_TR_NOOP("Waktu"),  QT_TR_NOOP("Jenis"),  QT_TR_NOOP("Merek"), QT_TR_NOOP("Tipe"),
        QT_TR_NOOP("Status"), QT_TR_NOOP("Durasi"), QT_TR_NOOP("Akhir")};
    if (section < 0 || section >= ColumnCount) return {};
    return tr(kHeadings[section]);
}

SessionFilter::SessionFilter(QObject* parent) : QSortFilterProxyModel(parent) {}

void SessionFilter::setWords(const QString& text) {
    m_words = text.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    invalidateFilter();
}

bool SessionFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (m_words.isEmpty()) return true;
    const QString search = sourceModel()
                               ->index(sourceRow, 0, sourceParent)
                               .data(SessionListModel::kSearchRole)
                               .toString();
    for (const QString& word : m_words)
        if (!search.contains(word)) return false;
    return true;
}

}  // namespace velmora
