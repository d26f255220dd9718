#include "history_model.h"

#include "chakra_palette.h"
#include "core/practice_progress.h"
#include "qt_text.h"
#include "yoga/asana_catalogue.h"
#include "yoga/session_postures.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

#include <algorithm>
#include <array>
#include <iterator>
#include <map>

namespace pranoth {

QColor chakraColour(int chakra)
{
    if (chakra < 0 || chakra >= ChakraCount)
        return Qt::black;
    return ChakraBarColours[asIndex(chakra)];
}

HistoryModel::HistoryModel(QObject *parent) : QAbstractTableModel(parent)
{}

void HistoryModel::setResults(std::vector<KeptResult> records)
{
    beginResetModel();
    records_ = std::move(records);
    chakras_.assign(records_.size(), std::nullopt);
    findSharedMinutes();
    arrange(sortColumn_, sortOrder_);
    endResetModel();
}

void HistoryModel::removeResult(std::int64_t id)
{
    const auto found = std::find_if(records_.begin(), records_.end(),
                                    [id](const KeptResult &record) { return record.id == id; });
    if (found == records_.end())
        return;
    const auto time = static_cast<int>(found - records_.begin());
    const int row = rowOfTime(time);
    beginRemoveRows({}, row, row);
    records_.erase(found);
    chakras_.erase(chakras_.begin() + time);
    findSharedMinutes();
    order_.erase(order_.begin() + row);
    std::transform(order_.begin(), order_.end(), order_.begin(),
                   [time](int later) { return later > time ? later - 1 : later; });
    rows_.assign(order_.size(), 0);
    for (std::size_t r = 0; r < order_.size(); ++r)
        rows_[asIndex(order_[r])] = static_cast<int>(r);
    endRemoveRows();
}

void HistoryModel::clear()
{
    setResults({});
}

const HistoryModel::Chakras &HistoryModel::chakrasByTime(int time) const
{
    std::optional<Chakras> &cached = chakras_[asIndex(time)];
    if (!cached)
        cached = assess(resultByTime(time).run).chakras;
    return *cached;
}

void HistoryModel::arrange(int column, Qt::SortOrder order)
{
    sortColumn_ = column;
    sortOrder_ = order;
    const auto count = static_cast<int>(records_.size());
    order_.resize(records_.size());
    for (int r = 0; r < count; ++r)
        order_[asIndex(r)] = order == Qt::AscendingOrder ? r : count - 1 - r;
    const int chakra = column - 1;
    if (chakra >= 0 && chakra < ChakraCount) {
        const auto percent = [this, chakra](int time) {
            const ChakraAssessment &assessed = chakrasByTime(time)[asIndex(chakra)];
            return assessed.tested ? assessed.barPercent : -1;
        };
        std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
            const int left = percent(a);
            const int right = percent(b);
            if ((left < 0) != (right < 0))
                return right < 0; // untested last, either way
            return order == Qt::AscendingOrder ? left < right : left > right;
        });
    }
    rows_.assign(order_.size(), 0);
    for (int r = 0; r < count; ++r)
        rows_[asIndex(order_[asIndex(r)])] = r;
}

void HistoryModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column > ChakraCount)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> times;
    times.reserve(static_cast<std::size_t>(before.size()));
    std::transform(before.begin(), before.end(), std::back_inserter(times),
                   [this](const QModelIndex &index) { return timeOfRow(index.row()); });
    arrange(column, order);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after.push_back(index(rowOfTime(times[asIndex(static_cast<int>(i))]), before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void HistoryModel::findSharedMinutes()
{
    // The results are held in time order: a minute is shared by neighbours.
    const auto minute = [this](std::size_t time) { return records_[time].keptAtUtc / 60; };
    seconds_.assign(records_.size(), false);
    for (std::size_t time = 1; time < records_.size(); ++time) {
        if (minute(time) == minute(time - 1))
            seconds_[time] = seconds_[time - 1] = true;
    }
}

QString HistoryModel::keptOn(int time) const
{
    return localTime(resultByTime(time).keptAtUtc, seconds_[asIndex(time)]);
}

QString HistoryModel::localTime(std::int64_t utcSeconds, bool withSeconds)
{
    const QDateTime time = QDateTime::fromSecsSinceEpoch(utcSeconds, Qt::UTC).toLocalTime();
    return QLocale().toString(time, withSeconds ? QStringLiteral("d MMM yyyy HH:mm:ss")
                                                : QStringLiteral("d MMM yyyy HH:mm"));
}

QString HistoryModel::verdictText(const ChakraAssessment &chakra)
{
    if (!chakra.tested)
        return {};
    return QStringLiteral("%1 %2%")
        .arg(fromLatin1(verdictName(chakra.verdict)))
        .arg(chakra.barPercent);
}

int HistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(records_.size());
}

int HistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 1 + ChakraCount;
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const int chakra = index.column() - 1;
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == DateColumn ? keptOn(timeOfRow(index.row()))
                                            : verdictText(chakras(index.row())[asIndex(chakra)]);
    case Qt::AccessibleTextRole:
        if (index.column() != DateColumn && !chakras(index.row())[asIndex(chakra)].tested)
            return tr("not tested");
        break;
    default:
        break;
    }
    return {};
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return section == DateColumn ? tr("Kept on") : chakraShortName(section - 1);
    if (orientation == Qt::Horizontal && role == Qt::DecorationRole && section != DateColumn) {
        // Framed in the header's text colour, so that yellow shows on a light
        // header and dark blue on a dark one.
        QPixmap swatch(12, 12);
        swatch.fill(QGuiApplication::palette().color(QPalette::ButtonText));
        QPainter(&swatch).fillRect(1, 1, 10, 10, chakraColour(section - 1));
        return swatch;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

SessionModel::SessionModel(QObject *parent) : QAbstractTableModel(parent)
{}

void SessionModel::setSessions(std::vector<KeptSession> sessions)
{
    beginResetModel();
    sessions_ = std::move(sessions);
    sumWeeks();
    endResetModel();
}

void SessionModel::sumWeeks()
{
    // The calendar is asked here, once a session and twice a week, and never
    // while painting: each asking reads the time zone again.
    std::map<std::int64_t, int> seconds;
    for (const KeptSession &kept : sessions_)
        seconds[mondayOf(localDayNumber(kept.startedAtUtc))] += kept.practisedSeconds;
    weeks_.clear();
    weeks_.reserve(seconds.size());
    for (const auto &[monday, practised] : seconds)
        weeks_.push_back({localMidnightUtc(monday), localMidnightUtc(monday + 7), practised});
}

void SessionModel::removeSession(std::int64_t id)
{
    const auto found = std::find_if(sessions_.begin(), sessions_.end(),
                                    [id](const KeptSession &session) { return session.id == id; });
    if (found == sessions_.end())
        return;
    const auto row = static_cast<int>(sessions_.end() - found) - 1;
    beginRemoveRows({}, row, row);
    sessions_.erase(found);
    sumWeeks();
    endRemoveRows();
}

QString SessionModel::posturesText(const KeptSession &session)
{
    QStringList postures;
    for (const PracticedPosture &posture : session.postures) {
        const QString name = posture.asana >= 0 && posture.asana < SessionPostureCount
                                 ? fromLatin1(postureRecord(posture.asana).name)
                                 : QString::number(posture.asana);
        const QString held =
            posture.heldSeconds > 0 ? fromLatin1(durationText(posture.heldSeconds)) : tr("skipped");
        // Sessions kept before plans grew have no planned time.
        postures
            << name + QLatin1Char(' ') +
                   (posture.plannedSeconds > 0 && posture.heldSeconds > 0
                        ? tr("%1 of %2").arg(held, fromLatin1(durationText(posture.plannedSeconds)))
                        : held);
    }
    return postures.join(QStringLiteral(", "));
}

int SessionModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(sessions_.size());
}

int SessionModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant SessionModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::DisplayRole)
        return {};
    const KeptSession &kept = session(index.row());
    switch (index.column()) {
    case 0:
        return HistoryModel::localTime(kept.startedAtUtc);
    case 1:
        return fromLatin1(durationText(kept.practisedSeconds));
    default:
        return posturesText(kept);
    }
}

QVariant SessionModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case 0:
        return tr("Practised on");
    case 1:
        return tr("Time");
    default:
        return tr("Postures");
    }
}

} // namespace pranoth
