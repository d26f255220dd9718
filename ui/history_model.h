#pragma once

#include "chakra_palette.h"
#include "core/assessment.h"
#include "core/kept_result.h"
#include "core/kept_session.h"

#include <QAbstractTableModel>
#include <QColor>

#include <array>
#include <optional>
#include <vector>

namespace pranoth {

// The result window's colour of chakra 0..6.
QColor chakraColour(int chakra);

// The kept results as a table: the date and time kept (local), then one column
// per chakra with its verdict and percentage, empty when it was not tested,
// in the palette's text colour; a swatch of the chakra's colour beside its
// name in the column's header.
// The results are held in the order kept (their "time index", oldest first);
// rows show them newest first until sorted otherwise. Sorting by date needs no
// comparison at all, so thousands of rows open at once. A result is assessed
// the first time something needs its chakras' verdicts.
class HistoryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int DateColumn = 0;
    // What the assessment says of each chakra of a result.
    using Chakras = std::array<ChakraAssessment, ChakraCount>;

    explicit HistoryModel(QObject *parent = nullptr);

    void setResults(std::vector<KeptResult> records);
    void removeResult(std::int64_t id);
    void clear();

    // By time index, oldest first.
    const std::vector<KeptResult> &results() const { return records_; }
    const KeptResult &resultByTime(int time) const
    {
        return records_[static_cast<std::size_t>(time)];
    }
    const Chakras &chakrasByTime(int time) const;

    // By row, as shown.
    int timeOfRow(int row) const { return order_[static_cast<std::size_t>(row)]; }
    int rowOfTime(int time) const { return rows_[static_cast<std::size_t>(time)]; }
    const KeptResult &result(int row) const { return resultByTime(timeOfRow(row)); }
    const Chakras &chakras(int row) const { return chakrasByTime(timeOfRow(row)); }

    // When the result at time index `time` was kept, in local time: "7 Dec
    // 2026 10:30", with the seconds ("10:30:15") where a result kept next to
    // it falls in the same minute.
    QString keptOn(int time) const;
    // "7 Dec 2026 10:30" (with the seconds: "10:30:15") in local time.
    static QString localTime(std::int64_t utcSeconds, bool withSeconds = false);
    // "Open 50%", or empty for an untested chakra.
    static QString verdictText(const ChakraAssessment &chakra);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // By date, or by a chakra's percentage (untested ones last, then newest first).
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    // Sets order_ for the given column and order, rows_ as its inverse.
    void arrange(int column, Qt::SortOrder order);
    // Which results are shown with their seconds.
    void findSharedMinutes();

    std::vector<KeptResult> records_;
    mutable std::vector<std::optional<Chakras>> chakras_;
    std::vector<bool> seconds_; // by time index: shown with the seconds
    std::vector<int> order_;    // time index by row
    std::vector<int> rows_;     // row by time index
    int sortColumn_ = DateColumn;
    Qt::SortOrder sortOrder_ = Qt::DescendingOrder;
};

// The kept practice sessions as a table, newest first: when each started,
// the time practised and each posture with its time or "skipped".
// A week of practice: its start (Monday, 00:00 local time), its end, and the
// seconds practised in it.
struct PracticeWeek {
    std::int64_t startUtc = 0;
    std::int64_t endUtc = 0;
    int seconds = 0;
};

class SessionModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit SessionModel(QObject *parent = nullptr);

    void setSessions(std::vector<KeptSession> sessions);
    void removeSession(std::int64_t id);

    // Oldest first.
    const std::vector<KeptSession> &sessions() const { return sessions_; }
    // By row, as shown.
    const KeptSession &session(int row) const
    {
        return sessions_[sessions_.size() - 1 - static_cast<std::size_t>(row)];
    }

    // Each week with a session, oldest first.
    const std::vector<PracticeWeek> &weeks() const { return weeks_; }

    // "Mandukasana 8 s, Bhujangasana skipped".
    static QString posturesText(const KeptSession &session);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void sumWeeks();

    std::vector<KeptSession> sessions_;
    std::vector<PracticeWeek> weeks_;
};

} // namespace pranoth
