#include "journal/SessionListModel.h"

#include <QSet>
#include <algorithm>

#include "journal/SessionTexts.h"

namespace velmora {

namespace {

// The run of digits, or of other characters, that starts at `from`.
QStringView runAt(const QString& text, qsizetype from) {
    const bool digits = text.at(from).isDigit();
    qsizetype end = from;
    while (end < text.size() && text.at(end).isDigit() == digits) ++end;
    return QStringView(text).mid(from, end - from);
}

// Numbers within labels compare by their value: "Rak 2" before "Rak 10". The platform's
// collation cannot be relied on for that (it counts only where Qt has ICU).
int compareCounting(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const QStringView x = runAt(a, i), y = runAt(b, j);
        int by = 0;
        if (x.front().isDigit() && y.front().isDigit()) {
            const auto significant = [](QStringView run) {
                while (run.size() > 1 && run.front() == QLatin1Char('0')) run = run.mid(1);
                return run;
            };
            const QStringView p = significant(x), q = significant(y);
            by = p.size() != q.size() ? (p.size() < q.size() ? -1 : 1) : p.compare(q);
        } else {
            by = x.compare(y, Qt::CaseInsensitive);
        }
        if (by != 0) return by;
        i += x.size();
        j += y.size();
    }
    if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
    return a.compare(b);  // equal but for case or leading zeros: still one order
}

}  // namespace

SessionListModel::SessionListModel(QObject* parent) : QAbstractTableModel(parent) {}

void SessionListModel::setSessions(std::vector<journal::SessionSummary> sessions,
                                   const std::vector<int64_t>& recording,
                                   const QString& dateSeparator) {
    beginResetModel();
    m_sessions = std::move(sessions);
    m_texts.clear();
    m_texts.reserve(m_sessions.size());
    for (const journal::SessionSummary& s : m_sessions) {
        const journal::Profile& p = s.start.profile;
        const bool recorded =
            std::find(recording.begin(), recording.end(), s.id) != recording.end();
        QStringList row{startText(s, dateSeparator),
                        QString::fromStdString(s.start.bayLabel),
                        kindText(s.start),
                        QString::fromStdString(p.brand),
                        QString::fromStdString(p.type),
                        resultStatusText(s),
                        durationText(s.durationMs()),
                        stopText(s, recorded)};
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

QStringList SessionListModel::bayLabels() const {
    QSet<QString> seen;
    QStringList labels;
    for (const QStringList& row : m_texts) {
        const QString& label = row.at(Bay);
        if (label.isEmpty() || seen.contains(label)) continue;
        seen.insert(label);
        labels << label;
    }
    std::sort(labels.begin(), labels.end(),
              [](const QString& a, const QString& b) { return compareCounting(a, b) < 0; });
    return labels;
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
        case kBayRole:
            return row.at(Bay);
        case Qt::ToolTipRole:  // a long bay label or end is cut to its column
            return index.column() == Bay || index.column() == Stop ? row.at(index.column())
                                                                   : QVariant();
        case Qt::TextAlignmentRole:
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant SessionListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kHeadings[] = {
        QT_TR_NOOP("Waktu"), QT_TR_NOOP("Rak"),    QT_TR_NOOP("Jenis"),  QT_TR_NOOP("Merek"),
        QT_TR_NOOP("Tipe"),  QT_TR_NOOP("Status"), QT_TR_NOOP("Durasi"), QT_TR_NOOP("Akhir")};
    if (section < 0 || section >= ColumnCount) return {};
    return tr(kHeadings[section]);
}

SessionFilter::SessionFilter(QObject* parent) : QSortFilterProxyModel(parent) {}

void SessionFilter::setWords(const QString& text) {
    m_words = text.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    invalidateFilter();
}

void SessionFilter::setBay(const std::optional<QString>& label) {
    m_bay = label;
    invalidateFilter();
}

bool SessionFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const QModelIndex row = sourceModel()->index(sourceRow, 0, sourceParent);
    if (m_bay && row.data(SessionListModel::kBayRole).toString() != *m_bay) return false;
    if (m_words.isEmpty()) return true;
    const QString search = row.data(SessionListModel::kSearchRole).toString();
    for (const QString& word : m_words)
        if (!search.contains(word)) return false;
    return true;
}

}  // namespace velmora
