#pragma once

#include <QWidget>

namespace pranoth {

class HistoryModel;

// Each chakra's trend across the kept results: one row per chakra, each kept
// result a point at its date, the three verdict bands shaded and named behind
// them, the selected result marked. Only the stretch of results around the
// selected one that fits the width is shown and drawn. What is shown is also
// the chart's accessible description, point by point.
class HistoryChart : public QWidget {
    Q_OBJECT

public:
    explicit HistoryChart(const HistoryModel &model, QWidget *parent = nullptr);

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
    double xOf(int row) const;

    const HistoryModel &model_;
    int selected_ = -1;
    int first_ = 0;
    int last_ = -1;
};

} // namespace pranoth
