#pragma once

#include <QWidget>

#include <cstdint>
#include <utility>
#include <vector>

class QPainter;

namespace pranoth {

class HistoryModel;
class SessionModel;
struct PracticeWeek;

// Each chakra's trend across the kept results: one row per chakra, each kept
// result a point at its date, the three verdict bands shaded and named behind
// them, the selected result marked. Only the stretch of results around the
// selected one that fits the width is shown and drawn. Beneath the chakras,
// on the same time axis, a strip with the minutes of practice kept for each
// week. What is shown is also the chart's accessible description, point by
// point and week by week.
class HistoryChart : public QWidget {
    Q_OBJECT

public:
    HistoryChart(const HistoryModel &model, const SessionModel &sessions,
                 QWidget *parent = nullptr);

    using PracticeWeek = pranoth::PracticeWeek;
    // The weeks the strip shows, oldest first: those within the time axis.
    std::vector<PracticeWeek> shownWeeks() const;

    // Rows here are the model's time indices, oldest first.
    // The selected one, or -1.
    void setSelectedRow(int row);

    // The point of chakra `chakra` for model row `row`, in widget coordinates;
    // a null point when that chakra was not tested or the row is not shown.
    QPointF pointAt(int row, int chakra) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user picked another result on the chart (a click, or Left/Right).
    void rowPicked(int row);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void updateShown();
    void describeShown();
    QRectF plotRect() const;
    QRectF rowRect(int chakra) const;
    // The practice strip, empty when no session is kept.
    QRectF stripRect() const;
    double xOf(int row) const;
    // The time axis: the dates of the first and last result shown, else of
    // the sessions; with sessions kept, it reaches the sessions before and
    // after the results when the first and last results are shown, and is
    // at least a week long.
    std::pair<double, double> timeSpan() const;
    double xOfTime(double secondsUtc) const;
    void paintPractice(QPainter &painter);

    const HistoryModel &model_;
    const SessionModel &sessions_;
    int selected_ = -1;
    int first_ = 0;
    int last_ = -1;
};

} // namespace pranoth
