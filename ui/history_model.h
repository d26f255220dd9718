#pragma once

#include "core/kept_result.h"

#include <QAbstractTableModel>
#include <QColor>

#include <optional>
#include <vector>

namespace pranoth {

// The result window's colour of chakra 0..6.
QColor chakraColour(int chakra);
// The chakra's colour, darkened where needed to be read on a light background.
QColor chakraTextColour(int chakra);
// "Root", "Sacral", ... "Crown".
QString chakraShortName(int chakra);

// The kept results as a table: the date and time kept (local), then one column
// per chakra with its verdict and percentage, empty when it was not tested.
// Rows stay in the order given (oldest first); a view sorts them through a
// proxy by SortRole. Scores are worked out the first time a row needs them.
class HistoryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int DateColumn = 0;
    static constexpr int SortRole = Qt::UserRole;   // the time kept, or the percentage
    static constexpr int IdRole = Qt::UserRole + 1; // the store's id

    explicit HistoryModel(QObject *parent = nullptr);

    void setResults(std::vector<KeptResult> records);
    void removeResult(std::int64_t id);
    void clear();

    const std::vector<KeptResult> &results() const { return records_; }
    const KeptResult &result(int row) const { return records_[static_cast<std::size_t>(row)]; }
    const KeptScores &scores(int row) const;

    // "7 Dec 2026 10:30" style, in local time.
    static QString localTime(std::int64_t keptAtUtc);
    // "Open 50%", or empty for an untested chakra.
    static QString verdictText(const std::optional<int> &score);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    std::vector<KeptResult> records_;
    mutable std::vector<std::optional<KeptScores>> scores_;
};

} // namespace pranoth
