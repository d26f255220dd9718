#include "history_chart.h"

#include "core/practice_progress.h"

#include "history_model.h"
#include "qt_text.h"
#include "readable_colour.h"

#include <QDateTime>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace pranoth {

namespace {

constexpr int LabelWidth = 72; // chakra names on the left
constexpr int BandWidth = 64;  // band names on the right
constexpr int AxisHeight = 20; // dates along the bottom
constexpr int RowHeight = 44;
constexpr int RowGap = 4;
constexpr double MinSpacing = 16.0; // between neighbouring results
constexpr double PointRadius = 3.5;
constexpr int StripHeight = 40; // minutes practised per week
constexpr int StripGap = 6;
constexpr double WeekSeconds = 7 * 24 * 3600.0;

// The shade of each verdict's band on a light palette, in the order of the
// verdict bands.
constexpr std::array<QColor, VerdictBands.size()> BandShades{{
    {226, 232, 244},
    {222, 240, 222},
    {246, 226, 222},
}};

} // namespace

HistoryChart::HistoryChart(const HistoryModel &model, const SessionModel &sessions, QWidget *parent)
    : QWidget(parent), model_(model), sessions_(sessions)
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
    connect(&sessions_, &QAbstractItemModel::modelReset, this, changed);
    connect(&sessions_, &QAbstractItemModel::rowsRemoved, this, changed);
    updateShown();
}

QSize HistoryChart::sizeHint() const
{
    return {720, AxisHeight + ChakraCount * (RowHeight + RowGap) + StripHeight + StripGap};
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

QRectF HistoryChart::stripRect() const
{
    if (sessions_.rowCount() == 0)
        return {};
    const QRectF plot = plotRect();
    return {plot.left(), plot.bottom() - StripHeight, plot.width(),
            static_cast<qreal>(StripHeight)};
}

QRectF HistoryChart::rowRect(int chakra) const
{
    QRectF plot = plotRect();
    if (const QRectF strip = stripRect(); !strip.isEmpty())
        plot.setBottom(std::max(plot.top() + 1, strip.top() - StripGap));
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

std::pair<double, double> HistoryChart::timeSpan() const
{
    const auto &kept = sessions_.sessions();
    if (last_ < first_ && kept.empty())
        return {0, 0};
    // The stretch of results shown, widened to the sessions before the first
    // result and after the last when those ends are shown.
    double from = kept.empty() ? 0 : static_cast<double>(kept.front().startedAtUtc);
    double to = kept.empty() ? 0 : static_cast<double>(kept.back().startedAtUtc);
    if (last_ >= first_) {
        const auto first = static_cast<double>(model_.resultByTime(first_).keptAtUtc);
        const auto last = static_cast<double>(model_.resultByTime(last_).keptAtUtc);
        from = first_ == 0 && !kept.empty() ? std::min(from, first) : first;
        to = last_ == model_.rowCount() - 1 && !kept.empty() ? std::max(to, last) : last;
    }
    if (!kept.empty() && to - from < WeekSeconds) {
        const double centre = (from + to) / 2;
        from = centre - WeekSeconds / 2;
        to = centre + WeekSeconds / 2;
    }
    return {from, to};
}

double HistoryChart::xOfTime(double secondsUtc) const
{
    const QRectF plot = plotRect().adjusted(PointRadius + 2, 0, -PointRadius - 2, 0);
    const auto [from, to] = timeSpan();
    if (to <= from)
        return plot.center().x();
    return plot.left() + (secondsUtc - from) / (to - from) * plot.width();
}

std::vector<HistoryChart::PracticeWeek> HistoryChart::shownWeeks() const
{
    const auto [from, to] = timeSpan();
    std::vector<PracticeWeek> weeks;
    std::copy_if(sessions_.weeks().begin(), sessions_.weeks().end(), std::back_inserter(weeks),
                 [from = from, to = to](const PracticeWeek &week) {
                     return static_cast<double>(week.endUtc) > from &&
                            static_cast<double>(week.startUtc) <= to;
                 });
    return weeks;
}

double HistoryChart::xOf(int row) const
{
    if (sessions_.rowCount() > 0)
        return xOfTime(static_cast<double>(model_.resultByTime(row).keptAtUtc));
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

    paintPractice(painter);

    // The selected result: a line across every row, and its date.
    const QRectF plot = plotRect();
    painter.setFont(small);
    painter.setPen(palette().color(QPalette::Text));
    if (sessions_.rowCount() > 0) {
        // The axis runs over whole weeks of practice as well.
        const QRectF axis(plot.left(), plot.bottom(), plot.width(), AxisHeight);
        const auto [from, to] = timeSpan();
        painter.drawText(axis, Qt::AlignLeft | Qt::AlignVCenter,
                         HistoryModel::localTime(static_cast<std::int64_t>(from)));
        painter.drawText(axis, Qt::AlignRight | Qt::AlignVCenter,
                         HistoryModel::localTime(static_cast<std::int64_t>(to)));
    } else if (last_ >= first_) {
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

void HistoryChart::paintPractice(QPainter &painter)
{
    const QRectF strip = stripRect();
    if (strip.isEmpty())
        return;
    QFont small = font();
    small.setPointSizeF(font().pointSizeF() * 0.85);
    painter.fillRect(strip, palette().color(QPalette::AlternateBase));
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QRectF(2, strip.top(), LabelWidth - 6, strip.height()),
                     Qt::AlignRight | Qt::AlignVCenter, tr("Practice"));
    painter.setFont(small);
    painter.drawText(QRectF(strip.right() + 4, strip.top(), BandWidth - 4, strip.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, tr("min/week"));
    const std::vector<PracticeWeek> weeks = shownWeeks();
    int most = 1;
    for (const PracticeWeek &week : weeks)
        most = std::max(most, week.seconds);
    const QRectF bars = strip.adjusted(0, small.pointSizeF() * 1.6, 0, -1);
    painter.save();
    painter.setClipRect(strip);
    for (const PracticeWeek &week : weeks) {
        const double left = std::max(strip.left(), xOfTime(static_cast<double>(week.startUtc)));
        const double right = std::min(strip.right(), xOfTime(static_cast<double>(week.endUtc))) - 1;
        if (right <= left)
            continue;
        const double height = bars.height() * week.seconds / most;
        const QRectF bar(left, bars.bottom() - height, right - left, height);
        painter.fillRect(bar, palette().color(QPalette::Highlight));
        const QString minutes = QString::number((week.seconds + 30) / 60);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRectF(left, strip.top(), right - left, bar.top() - strip.top()),
                         Qt::AlignHCenter | Qt::AlignBottom, minutes);
    }
    painter.restore();
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
    QString practice;
    if (sessions_.rowCount() > 0) {
        QStringList weeks;
        for (const PracticeWeek &week : shownWeeks())
            weeks << tr("week of %1: %2 minutes")
                         .arg(
                             QLocale().toString(QDateTime::fromSecsSinceEpoch(week.startUtc).date(),
                                                QLocale::ShortFormat))
                         .arg((week.seconds + 30) / 60);
        practice = QLatin1Char('\n') + tr("Practice: %1.")
                                           .arg(weeks.isEmpty() ? tr("none in these weeks")
                                                                : weeks.join(QStringLiteral("; ")));
    }
    if (last_ < first_) {
        setAccessibleDescription(tr("No result kept yet.") + practice);
        if (sessions_.rowCount() == 0)
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
    setAccessibleDescription(text + practice);
}

} // namespace pranoth
