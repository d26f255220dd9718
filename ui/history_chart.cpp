#include "history_chart.h"

#include "history_model.h"
#include "qt_text.h"
#include "readable_colour.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace pranoth {

namespace {

constexpr int LabelWidth = 72; // chakra names on the left
constexpr int BandWidth = 64;  // band names on the right
constexpr int AxisHeight = 20; // dates along the bottom
constexpr int RowHeight = 44;
constexpr int RowGap = 4;
constexpr double MinSpacing = 16.0; // between neighbouring results
constexpr double PointRadius = 3.5;

// The shade of each verdict's band on a light palette, in the order of the
// verdict bands.
constexpr std::array<QColor, VerdictBands.size()> BandShades{{
    {226, 232, 244},
    {222, 240, 222},
    {246, 226, 222},
}};

} // namespace

HistoryChart::HistoryChart(const HistoryModel &model, QWidget *parent)
    : QWidget(parent), model_(model)
{
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    const auto changed = [this] {
        selected_ = std::min(selected_, model_.rowCount() - 1);
        updateShown();
    };
    connect(&model_, &QAbstractItemModel::modelReset, this, changed);
    connect(&model_, &QAbstractItemModel::rowsRemoved, this, changed);
    updateShown();
}

QSize HistoryChart::sizeHint() const
{
    return {720, AxisHeight + ChakraCount * (RowHeight + RowGap)};
}

QSize HistoryChart::minimumSizeHint() const
{
    return {LabelWidth + BandWidth + 120, AxisHeight + ChakraCount * 16};
}

void HistoryChart::setSelectedRow(int row)
{
    if (row == selected_)
        return;
    selected_ = row;
    updateShown();
}

QRectF HistoryChart::plotRect() const
{
    return {static_cast<qreal>(LabelWidth), 2.0,
            static_cast<qreal>(std::max(1, width() - LabelWidth - BandWidth)),
            static_cast<qreal>(std::max(1, height() - AxisHeight - 2))};
}

QRectF HistoryChart::rowRect(int chakra) const
{
    const QRectF plot = plotRect();
    const double pitch = plot.height() / ChakraCount;
    return {plot.left(), plot.top() + chakra * pitch, plot.width(), std::max(1.0, pitch - RowGap)};
}

void HistoryChart::updateShown()
{
    const int rows = model_.rowCount();
    const int fits = std::max(2, static_cast<int>(plotRect().width() / MinSpacing));
    const int count = std::min(rows, fits);
    const int centre = selected_ >= 0 ? selected_ : rows - 1;
    first_ = std::clamp(centre - count / 2, 0, std::max(0, rows - count));
    last_ = first_ + count - 1;
    describeShown();
    update();
}

double HistoryChart::xOf(int row) const
{
    const QRectF plot = plotRect().adjusted(PointRadius + 2, 0, -PointRadius - 2, 0);
    if (last_ <= first_)
        return plot.center().x();
    const auto from = static_cast<double>(model_.resultByTime(first_).keptAtUtc);
    const auto to = static_cast<double>(model_.resultByTime(last_).keptAtUtc);
    // At its date; by position where the dates do not spread the results.
    const double byDate =
        to > from ? (static_cast<double>(model_.resultByTime(row).keptAtUtc) - from) / (to - from)
                  : 0;
    const double byPosition = static_cast<double>(row - first_) / (last_ - first_);
    const double share = to > from ? byDate : byPosition;
    return plot.left() + share * plot.width();
}

QPointF HistoryChart::pointAt(int row, int chakra) const
{
    if (row < first_ || row > last_ || chakra < 0 || chakra >= ChakraCount)
        return {};
    const ChakraAssessment &assessed = model_.chakrasByTime(row)[asIndex(chakra)];
    if (!assessed.tested)
        return {};
    const QRectF band = rowRect(chakra).adjusted(0, 3, 0, -3);
    return {xOf(row), band.bottom() - band.height() * assessed.barPercent / 100.0};
}

void HistoryChart::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateShown();
}

void HistoryChart::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect dirty = event->rect();
    QFont small = font();
    small.setPointSizeF(font().pointSizeF() * 0.85);

    for (int k = 0; k < ChakraCount; ++k) {
        const QRectF row = rowRect(k);
        const QRectF whole(0, row.top(), width(), row.height());
        if (!whole.toAlignedRect().intersects(dirty))
            continue;
        const QRectF inner = row.adjusted(0, 3, 0, -3);
        const auto yOf = [&inner](int percent) {
            return inner.bottom() - inner.height() * percent / 100.0;
        };

        painter.setFont(small);
        // Each band spans the percentages its verdict's scores give.
        for (std::size_t b = 0; b < VerdictBands.size(); ++b) {
            const int low = barPercent(VerdictBands[b].lowestScore);
            const int high = barPercent(VerdictBands[b].highestScore);
            const QRectF area(row.left(), yOf(high), row.width(), yOf(low) - yOf(high));
            painter.fillRect(area, tintOn(BandShades[b], palette(), QPalette::Base));
            painter.setPen(palette().color(QPalette::Text));
            painter.drawText(
                QRectF(row.right() + 4, area.top() - 4, BandWidth - 4, area.height() + 8),
                Qt::AlignLeft | Qt::AlignVCenter, fromLatin1(verdictName(VerdictBands[b].verdict)));
        }
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRectF(2, row.top(), LabelWidth - 6, row.height()),
                         Qt::AlignRight | Qt::AlignVCenter, chakraShortName(k));

        // The trend: a line through the tested results, broken where one was
        // not tested.
        QPainterPath path;
        bool drawing = false;
        for (int r = first_; r <= last_; ++r) {
            const QPointF point = pointAt(r, k);
            if (point.isNull()) {
                drawing = false;
                continue;
            }
            if (drawing)
                path.lineTo(point);
            else
                path.moveTo(point);
            drawing = true;
        }
        const QColor text = palette().color(QPalette::Text);
        painter.setPen(QPen(readableOn(chakraColour(k), palette().color(QPalette::Base)), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        painter.setPen(QPen(text, 1));
        for (int r = first_; r <= last_; ++r) {
            const QPointF point = pointAt(r, k);
            if (point.isNull())
                continue;
            const double radius = r == selected_ ? PointRadius + 2 : PointRadius;
            painter.setBrush(r == selected_ ? QBrush(text) : QBrush(chakraColour(k)));
            painter.drawEllipse(point, radius, radius);
        }
    }

    // The selected result: a line across every row, and its date.
    const QRectF plot = plotRect();
    painter.setFont(small);
    painter.setPen(palette().color(QPalette::Text));
    if (last_ >= first_) {
        const QRectF axis(plot.left(), plot.bottom(), plot.width(), AxisHeight);
        painter.drawText(axis, Qt::AlignLeft | Qt::AlignVCenter, model_.keptOn(first_));
        if (last_ > first_)
            painter.drawText(axis, Qt::AlignRight | Qt::AlignVCenter, model_.keptOn(last_));
    } else {
        // On the base, not across the bands.
        const QString nothing = tr("Nothing kept yet");
        painter.fillRect(
            painter.boundingRect(plot, Qt::AlignCenter, nothing).adjusted(-6, -2, 6, 2),
            palette().color(QPalette::Base));
        painter.drawText(plot, Qt::AlignCenter, nothing);
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
    if (selected_ >= first_ && selected_ <= last_) {
        const double x = xOf(selected_);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
}

void HistoryChart::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void HistoryChart::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void HistoryChart::mousePressEvent(QMouseEvent *event)
{
    if (last_ < first_)
        return;
    const double x = event->position().x();
    int nearest = first_;
    for (int r = first_; r <= last_; ++r) {
        if (std::abs(xOf(r) - x) < std::abs(xOf(nearest) - x))
            nearest = r;
    }
    emit rowPicked(nearest);
}

void HistoryChart::keyPressEvent(QKeyEvent *event)
{
    const int rows = model_.rowCount();
    const int key = event->key();
    if (key != Qt::Key_Left && key != Qt::Key_Right && key != Qt::Key_Home && key != Qt::Key_End) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int next = key == Qt::Key_Left    ? selected_ - 1
                     : key == Qt::Key_Right ? selected_ + 1
                     : key == Qt::Key_Home  ? 0
                                            : rows - 1;
    if (next >= 0 && next < rows && next != selected_)
        emit rowPicked(next);
}

void HistoryChart::describeShown()
{
    if (last_ < first_) {
        setAccessibleDescription(tr("Nothing kept yet."));
        return;
    }
    QString text;
    if (selected_ >= 0 && selected_ < model_.rowCount()) {
        text += tr("Selected result, kept on %1:").arg(model_.keptOn(selected_));
        for (int k = 0; k < ChakraCount; ++k) {
            const ChakraAssessment &assessed = model_.chakrasByTime(selected_)[asIndex(k)];
            text += QLatin1Char(' ') + chakraShortName(k) + QLatin1Char(' ') +
                    (assessed.tested ? HistoryModel::verdictText(assessed) : tr("not tested")) +
                    (k + 1 < ChakraCount ? QLatin1Char(',') : QLatin1Char('.'));
        }
        text += QLatin1Char('\n');
    }
    text += tr("The chart shows %n kept result(s), from %1 to %2.", nullptr, last_ - first_ + 1)
                .arg(model_.keptOn(first_), model_.keptOn(last_));
    for (int k = 0; k < ChakraCount; ++k) {
        QStringList points;
        for (int r = first_; r <= last_; ++r) {
            if (const ChakraAssessment &assessed = model_.chakrasByTime(r)[asIndex(k)];
                assessed.tested)
                points << model_.keptOn(r) + QLatin1Char(' ') + HistoryModel::verdictText(assessed);
        }
        text += QLatin1Char('\n') + chakraShortName(k) + QStringLiteral(": ") +
                (points.isEmpty() ? tr("not tested") : points.join(QStringLiteral("; "))) +
                QLatin1Char('.');
    }
    setAccessibleDescription(text);
}

} // namespace pranoth
