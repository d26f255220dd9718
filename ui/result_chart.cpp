#include "result_chart.h"

#include "chakra_palette.h"
#include "core/assessment.h"
#include "document_pages.h"
#include "qt_text.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>

namespace pranoth {

namespace {

class ResultDocument {
    Q_DECLARE_TR_FUNCTIONS(ResultDocument)
};

// Per chakra its percentage (-1 when it was not tested) and its verdict word.
constexpr int ChartObjectType = QTextFormat::UserObject + 1;
constexpr int ChartPercentsProperty = QTextFormat::UserProperty + 2;
constexpr int ChartVerdictsProperty = QTextFormat::UserProperty + 3;

class ChartHandler : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    using QObject::QObject;

    QSizeF intrinsicSize(QTextDocument *document, int, const QTextFormat &) override
    {
        const int dpi = layoutDpi(document);
        const qreal width = document->pageSize().width() - 2 * millimetres(SideMarginMm, dpi);
        return {std::max(width, millimetres(100.0, dpi)), millimetres(62.0, dpi)};
    }

    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *document, int,
                    const QTextFormat &format) override
    {
        const int dpi = layoutDpi(document);
        const auto percents = format.property(ChartPercentsProperty).value<QList<int>>();
        const QStringList verdicts = format.property(ChartVerdictsProperty).toStringList();
        if (percents.size() != ChakraCount || verdicts.size() != ChakraCount)
            return;

        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QFont labelFont(documentFont(8.5), painter->device());
        const QFont boldFont(documentFont(8.5, true), painter->device());
        const qreal line = QFontMetricsF(labelFont).height();
        const qreal column = rect.width() / ChakraCount;
        const qreal barWidth = column * 0.42;
        const qreal designHeight = rect.height() - 4.5 * line;
        const qreal base = rect.top() + 1.3 * line + designHeight;
        const qreal hairline = dpi / 72.0 * 0.6;

        for (int k = 0; k < ChakraCount; ++k) {
            const qreal left = rect.left() + column * k;
            const QRectF nameRow(left, base + 0.3 * line, column, line);
            const QRectF verdictRow(left, base + 1.3 * line, column, line);
            const int percent = percents[k];
            const QString name = chakraShortName(k);
            if (percent < 0) {
                painter->setPen(QColor(128, 128, 128));
                painter->setFont(labelFont);
                painter->drawText(nameRow, Qt::AlignHCenter | Qt::AlignTop, name);
                painter->drawText(verdictRow, Qt::AlignHCenter | Qt::AlignTop,
                                  ResultDocument::tr("not tested"));
                continue;
            }
            const qreal height = barHeight(static_cast<float>(designHeight), percent);
            const QRectF bar(left + (column - barWidth) / 2, base - height, barWidth, height);
            if (height > 0) {
                painter->setPen(QPen(Qt::black, hairline));
                painter->setBrush(ChakraBarColours[asIndex(k)]);
                painter->drawRect(bar);
            }
            painter->setPen(Qt::black);
            painter->setFont(labelFont);
            painter->drawText(QRectF(left, bar.top() - 1.1 * line, column, line),
                              Qt::AlignHCenter | Qt::AlignBottom,
                              ResultDocument::tr("%1%").arg(percent));
            painter->drawText(nameRow, Qt::AlignHCenter | Qt::AlignTop, name);
            painter->setFont(boldFont);
            painter->drawText(verdictRow, Qt::AlignHCenter | Qt::AlignTop, verdicts[k]);
        }
        painter->setPen(QPen(Qt::black, 2 * hairline));
        painter->drawLine(QPointF(rect.left(), base), QPointF(rect.right(), base));
        painter->restore();
    }
};

} // namespace

void registerResultChart(QTextDocument &document)
{
    document.documentLayout()->registerHandler(ChartObjectType, new ChartHandler(&document));
}

void insertResultChart(QTextCursor &cursor, const Assessment &assessment)
{
    QList<int> percents;
    QStringList verdicts;
    for (const ChakraAssessment &chakra : assessment.chakras) {
        percents << (chakra.tested ? chakra.barPercent : -1);
        verdicts << (chakra.tested ? fromLatin1(verdictName(chakra.verdict)) : QString());
    }
    QTextCharFormat object;
    object.setObjectType(ChartObjectType);
    object.setProperty(ChartPercentsProperty, QVariant::fromValue(percents));
    object.setProperty(ChartVerdictsProperty, verdicts);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), object);
}

} // namespace pranoth

#include "result_chart.moc"
