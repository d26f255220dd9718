#include "result_document.h"

#include "chakra_palette.h"
#include "core/config.h"
#include "core/kept_result.h"
#include "core/report.h"
#include "core/test_run.h"
#include "program_resources.h"
#include "qt_text.h"
#include "text_cursor_writer.h"
#include "window_layout.h"
#include "yoga/asana_catalogue.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>
#include <QTextList>
#include <QTextObjectInterface>

#include <cmath>

namespace pranoth {

namespace {

class ResultDocument {
    Q_DECLARE_TR_FUNCTIONS(ResultDocument)
};

// Page margins in millimetres; the page number stands in the bottom one.
constexpr qreal SideMarginMm = 18.0;
constexpr qreal TopMarginMm = 15.0;
constexpr qreal BottomMarginMm = 20.0;
constexpr qreal MillimetresPerInch = 25.4;

constexpr qreal BodyPoints = 10.0;
// Side of an asana picture, in the pixels of a 96-dpi screen, as the viewer shows it.
constexpr int PictureSide = 250;

// A block that must stand on the same page as the first line after it, and
// one whose lines must all stand on one page.
constexpr int KeepWithNextProperty = QTextFormat::UserProperty + 1;
constexpr int KeepTogetherProperty = QTextFormat::UserProperty + 4;

// The bar chart, drawn by ChartHandler: per chakra its percentage (-1 when
// it was not tested) and its verdict word.
constexpr int ChartObjectType = QTextFormat::UserObject + 1;
constexpr int ChartPercentsProperty = QTextFormat::UserProperty + 2;
constexpr int ChartVerdictsProperty = QTextFormat::UserProperty + 3;

// The document's font. Letter spacing set at its natural width makes the text
// layout leave ligatures out (kerning stays): a joined "fi" or "ffl" would
// come back from a PDF viewer's copy or search, and from a print queue, as
// one character or none instead of the letters written.
QFont documentFont(qreal points, bool bold = false)
{
    QFont font = verdana(points, bold);
    font.setLetterSpacing(QFont::PercentageSpacing, 100.0);
    return font;
}

int screenDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}

// The resolution the document is laid out for.
int layoutDpi(const QTextDocument *document)
{
    const QPaintDevice *device = document->documentLayout()->paintDevice();
    return device ? device->logicalDpiY() : screenDpi();
}

qreal millimetres(qreal mm, int dpi)
{
    return mm * dpi / MillimetresPerInch;
}

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
                painter->setBrush(colourOf(ChakraBarColours[asIndex(k)]));
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

// Appends the document's parts at the end of `document`.
class Composer {
public:
    Composer(QTextDocument &document, const ResultDocumentData &data)
        : document_(document), data_(data), cursor_(&document)
    {
        // The report and the asana records are written by the program's own
        // rich-text writer on a text view of this document, as the windows
        // write them.
        editor_.setDocument(&document);
        writer_ = std::make_unique<TextCursorWriter>(&editor_);
    }

    void compose()
    {
        header();
        chart();
        tallies();
        report();
        if (data_.needsYoga())
            yoga();
        else
            noYoga();
        safetyNote();
    }

private:
    static QTextCharFormat text(qreal points = BodyPoints, bool bold = false, Rgb colour = Black)
    {
        QTextCharFormat format;
        format.setFont(documentFont(points, bold), QTextCharFormat::FontPropertiesAll);
        format.setForeground(colourOf(colour));
        return format;
    }

    static QTextBlockFormat paragraph(qreal spaceAbove = 0.0, qreal spaceBelow = 4.0)
    {
        QTextBlockFormat format;
        format.setTopMargin(spaceAbove);
        format.setBottomMargin(spaceBelow);
        return format;
    }

    // Starts a new paragraph, except on the document's first, empty one.
    void block(const QTextBlockFormat &format, const QTextCharFormat &characters)
    {
        cursor_.movePosition(QTextCursor::End);
        if (document_.isEmpty() && !started_) {
            cursor_.setBlockFormat(format);
            cursor_.setBlockCharFormat(characters);
        } else {
            cursor_.insertBlock(format, characters);
        }
        started_ = true;
    }

    void heading(const QString &title, qreal points = 13.0)
    {
        QTextBlockFormat format = paragraph(14.0, 6.0);
        format.setProperty(KeepWithNextProperty, true);
        block(format, text(points, true, Teal));
        cursor_.insertText(title);
    }

    void line(const QString &words, const QTextCharFormat &format = text())
    {
        block(paragraph(), format);
        cursor_.insertText(words);
    }

    void header()
    {
        block(paragraph(0.0, 2.0), text(18.0, true));
        cursor_.insertText(fromLatin1(config::Caption));
        line(ResultDocument::tr("Chakra test result"), text(12.0, true, Teal));
        const QLocale locale;
        line(ResultDocument::tr("Test completed: %1")
                 .arg(locale.toString(data_.completed.date(), QLocale::LongFormat) +
                      QLatin1Char(' ') +
                      locale.toString(data_.completed.time(), QLocale::ShortFormat)));
        QStringList names;
        for (int k = 0; k < ChakraCount; ++k) {
            if (data_.tested[asIndex(k)])
                names << fromLatin1(chakraDisplayName(k));
        }
        line(ResultDocument::tr("Chakras tested: %1").arg(locale.createSeparatedList(names)));
    }

    void chart()
    {
        QList<int> percents;
        QStringList verdicts;
        for (int k = 0; k < ChakraCount; ++k) {
            const bool tested = data_.tested[asIndex(k)];
            percents << (tested ? barPercent(data_.scores[asIndex(k)]) : -1);
            verdicts << (tested ? fromLatin1(verdictName(data_.verdict(k))) : QString());
        }
        QTextCharFormat object;
        object.setObjectType(ChartObjectType);
        object.setProperty(ChartPercentsProperty, QVariant::fromValue(percents));
        object.setProperty(ChartVerdictsProperty, verdicts);
        block(paragraph(12.0, 12.0), text());
        cursor_.insertText(QString(QChar::ObjectReplacementCharacter), object);
    }

    void tallies()
    {
        heading(ResultDocument::tr("How each verdict came about"));
        line(ResultDocument::tr(
            "A verdict follows from how many of the chakra's eight answers matched the key: 0 to "
            "2 give UnderActive, 3 to 5 Open and 6 to 8 OverActive. A \u201cNot Sure\u201d "
            "answer never matches the key, so each one pulls a verdict toward UnderActive."));
        QTextListFormat bullets;
        bullets.setStyle(QTextListFormat::ListDisc);
        bullets.setIndent(1);
        QTextList *list = nullptr;
        for (int k = 0; k < ChakraCount; ++k) {
            if (!data_.tested[asIndex(k)])
                continue;
            const AnswerTally &tally = data_.tallies[asIndex(k)];
            line(ResultDocument::tr("%1: %2 of %3 answers matched the key, %4 were \u201cNot "
                                    "Sure\u201d: %5.")
                     .arg(fromLatin1(chakraDisplayName(k)))
                     .arg(tally.matched)
                     .arg(tally.asked)
                     .arg(tally.notSure)
                     .arg(fromLatin1(verdictName(data_.verdict(k)))));
            if (list)
                list->add(cursor_.block());
            else
                list = cursor_.createList(bullets);
        }
    }

    void report()
    {
        heading(ResultDocument::tr("Your result"));

        // The introduction, in the result window's colours, its runs of
        // spaces kept.
        QTextFrameFormat box;
        box.setBackground(colourOf(IntroductionBackground));
        box.setPadding(6.0);
        box.setBorder(0.0);
        box.setTopMargin(4.0);
        box.setBottomMargin(10.0);
        cursor_.movePosition(QTextCursor::End);
        cursor_.insertFrame(box);
        cursor_.setBlockFormat(paragraph(0.0, 0.0));
        cursor_.setBlockCharFormat(text(BodyPoints, false, IntroductionText));
        cursor_.insertText(fromLatin1(resultIntroduction()),
                           text(BodyPoints, false, IntroductionText));

        // The report, in the empty paragraph that follows the frame.
        cursor_ = document_.rootFrame()->lastCursorPosition();
        cursor_.setBlockFormat(paragraph(0.0, 0.0));
        cursor_.setBlockCharFormat(text());
        writer_->moveToEnd();
        for (int k = 0; k < ChakraCount; ++k) {
            if (data_.tested[asIndex(k)])
                appendChakraSection(*writer_, k, data_.verdict(k));
        }
    }

    void yoga()
    {
        // The part follows the report on the same page when its first
        // posture's heading and picture fit there, its own heading with them.
        heading(ResultDocument::tr("Recommended yoga"), 16.0);
        QTextBlockFormat introduction = paragraph();
        introduction.setProperty(KeepWithNextProperty, true);
        block(introduction, text());
        cursor_.insertText(ResultDocument::tr("The postures for the chakras that are not open, in "
                                              "the order the yoga viewer shows them."));
        const AsanaCatalogueList &catalogue = fillAsanaCatalogue();
        for (auto slot = findYogaRecord(data_.plan, 0, SearchDirection::Forward); slot;
             slot = findYogaRecord(data_.plan, *slot + 1, SearchDirection::Forward)) {
            const YogaPlanSlot &record = data_.plan[asIndex(*slot)];
            if (record.asana < 0 || record.asana >= AsanaCount)
                continue;
            const Asana &asana = catalogue[asIndex(record.asana)];
            heading(ResultDocument::tr("%1, for the %2")
                        .arg(fromLatin1(asana.name), fromLatin1(record.chakraTitle)));
            picture(asanaPicturePosition(record.asana));
            block(paragraph(0.0, 0.0), text());
            writer_->moveToEnd();
            writer_->setBold(false);
            writer_->setColour(Black);
            writeAsanaRecord(*writer_, asana);
        }
    }

    void picture(int position)
    {
        const QUrl name(QStringLiteral("pranoth-picture:%1").arg(position));
        if (!document_.resource(QTextDocument::ImageResource, name).isValid()) {
            QImage image = asanaPicture(position, 2.0).toImage();
            image.setDevicePixelRatio(1.0);
            document_.addResource(QTextDocument::ImageResource, name, image);
        }
        QTextImageFormat image;
        image.setName(name.toString());
        image.setWidth(PictureSide);
        image.setHeight(PictureSide);
        block(paragraph(4.0, 8.0), text());
        cursor_.insertImage(image);
    }

    void noYoga()
    {
        heading(ResultDocument::tr("Yoga"));
        line(ResultDocument::tr("Every chakra you tested is open: no chakra yoga is needed."));
    }

    void safetyNote()
    {
        heading(ResultDocument::tr("Practise safely"));
        // The note stays whole, on one page.
        QTextBlockFormat whole = paragraph();
        whole.setProperty(KeepTogetherProperty, true);
        block(whole, text());
        cursor_.insertText(ResultDocument::tr(
            "Practise gently and within your limits, and stop if anything hurts. If you are "
            "pregnant, or have high blood pressure, a heart, eye, neck or back condition or an "
            "injury, ask a doctor or a qualified teacher before trying the postures."));
    }

    QTextDocument &document_;
    const ResultDocumentData &data_;
    QTextCursor cursor_;
    QTextEdit editor_;
    std::unique_ptr<TextCursorWriter> writer_;
    bool started_ = false;
};

std::unique_ptr<QTextDocument> composeDocument(const ResultDocumentData &data)
{
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->documentLayout()->registerHandler(ChartObjectType, new ChartHandler(document.get()));
    {
        Composer composer(*document, data);
        composer.compose();
    }
    document->setDefaultFont(documentFont(BodyPoints));
    return document;
}

// A bold line of at most a few words: a heading written by the report or
// record writers.
bool isBoldHeading(const QTextBlock &block)
{
    const QString words = block.text().trimmed();
    if (words.isEmpty() || words.size() > 60)
        return false;
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        if (fragment.fragment().charFormat().fontWeight() < QFont::Bold &&
            !fragment.fragment().text().trimmed().isEmpty())
            return false;
    }
    return true;
}

bool keepsWithNext(const QTextBlock &block)
{
    return block.blockFormat().boolProperty(KeepWithNextProperty) || isBoldHeading(block);
}

QTextBlock nextWithText(QTextBlock block)
{
    for (block = block.next(); block.isValid(); block = block.next()) {
        if (!block.text().isEmpty())
            return block;
    }
    return {};
}

// Moves headings that would stand alone at the foot of a page, with any
// headings just above them, to the next page. Each move only shifts what
// follows, so one pass in document order settles the layout; a second pass
// confirms it.
void keepHeadingsWithTheirText(QTextDocument &document)
{
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    const qreal pageHeight = document.pageSize().height();
    const auto pageOf = [&](qreal y) { return static_cast<int>(std::floor(y / pageHeight)); };
    const auto lineAt = [&](const QTextBlock &block, int index) {
        const qreal top = layout->blockBoundingRect(block).top();
        const QRectF line = block.layout()->lineAt(index).rect();
        // Half a pixel inside: a line that ends on a page's edge stands on it.
        return std::pair{top + line.top(), top + line.bottom() - 0.5};
    };
    const auto laidOut = [](const QTextBlock &block) {
        return block.isValid() && !block.text().isEmpty() && block.layout()->lineCount() > 0;
    };
    // Whether a block breaks its rule: a heading apart from the line after
    // it, or a block to keep whole split over two pages.
    const auto stranded = [&](const QTextBlock &block) {
        if (keepsWithNext(block)) {
            const QTextBlock next = nextWithText(block);
            return laidOut(next) &&
                   pageOf(lineAt(block, 0).first) != pageOf(lineAt(next, 0).second);
        }
        if (block.blockFormat().boolProperty(KeepTogetherProperty))
            return pageOf(lineAt(block, 0).first) !=
                   pageOf(lineAt(block, block.layout()->lineCount() - 1).second);
        return false;
    };

    for (int pass = 0; pass < 4; ++pass) {
        bool moved = false;
        // Lines are known once the layout has finished.
        document.pageCount();
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            if (!laidOut(block) || !stranded(block))
                continue;
            // The first of a run of headings goes to the next page with the rest.
            QTextBlock first = block;
            for (QTextBlock before = block.previous(); before.isValid();
                 before = before.previous()) {
                if (before.text().isEmpty())
                    continue;
                if (!keepsWithNext(before))
                    break;
                first = before;
            }
            const qreal firstTop = lineAt(first, 0).first;
            // Within a few millimetres of the top margin: the heading is the
            // page's first line.
            const qreal pageTop = millimetres(TopMarginMm + 8.0, layoutDpi(&document));
            if (std::fmod(firstTop, pageHeight) < pageTop)
                continue; // already at a page's top: a break would not help
            QTextBlockFormat format = first.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(first).setBlockFormat(format);
            moved = true;
            document.pageCount();
        }
        if (!moved)
            break;
    }
}

// Lays the document out for `device` (the screen when there is none) on pages
// of `pageSize` device pixels.
void layOutPages(QTextDocument &document, QPaintDevice *device, QSizeF pageSize)
{
    document.documentLayout()->setPaintDevice(device);
    // Margins and spacing are given in the screen's pixels; the layout scales
    // them to the device.
    const int dpi = screenDpi();
    QTextFrameFormat frame = document.rootFrame()->frameFormat();
    frame.setLeftMargin(millimetres(SideMarginMm, dpi));
    frame.setRightMargin(millimetres(SideMarginMm, dpi));
    frame.setTopMargin(millimetres(TopMarginMm, dpi));
    frame.setBottomMargin(millimetres(BottomMarginMm, dpi));
    document.rootFrame()->setFrameFormat(frame);
    document.setPageSize(pageSize);
    keepHeadingsWithTheirText(document);
}

// Lays the result out for `device`, whose painting area is its whole page,
// and paints it with a page number at the foot of every page.
QString paintResult(const ResultDocumentData &data, QPagedPaintDevice &device)
{
    const std::unique_ptr<QTextDocument> document = composeDocument(data);
    const int dpi = device.logicalDpiY();
    const QSizeF page(device.width(), device.height());
    layOutPages(*document, &device, page);

    QPainter painter;
    if (!painter.begin(&device))
        return ResultDocument::tr("The result could not be drawn on the pages.");
    const int pages = document->pageCount();
    const QFont footerFont(documentFont(8.0), &device);
    const qreal side = millimetres(SideMarginMm, dpi);
    const qreal bottom = millimetres(BottomMarginMm, dpi);
    for (int index = 0; index < pages; ++index) {
        if (index > 0 && !device.newPage())
            return ResultDocument::tr("A new page could not be started.");
        painter.save();
        const QRectF view(0, index * page.height(), page.width(), page.height());
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        document->documentLayout()->draw(&painter, context);
        painter.restore();

        painter.setFont(footerFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(side, page.height() - bottom, page.width() - 2 * side, bottom / 2),
                         Qt::AlignCenter,
                         ResultDocument::tr("Page %1 of %2").arg(index + 1).arg(pages));
    }
    if (!painter.end())
        return ResultDocument::tr("The result could not be finished.");
    return {};
}

QString openFailure(const QString &path, const QSaveFile &file)
{
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    const QString where = QDir::toNativeSeparators(folder.absoluteFilePath());
    if (!folder.exists())
        return ResultDocument::tr("The result could not be saved: the folder \u201c%1\u201d does "
                                  "not exist.")
            .arg(where);
    if (!folder.isDir())
        return ResultDocument::tr("The result could not be saved: \u201c%1\u201d is not a "
                                  "folder.")
            .arg(where);
    if (!folder.isWritable())
        return ResultDocument::tr("The result could not be saved: you may not write in the "
                                  "folder \u201c%1\u201d.")
            .arg(where);
    return ResultDocument::tr("The result could not be saved as \u201c%1\u201d: %2.")
        .arg(QDir::toNativeSeparators(target.absoluteFilePath()), file.errorString());
}

} // namespace

bool ResultDocumentData::needsYoga() const
{
    for (int k = 0; k < ChakraCount; ++k) {
        if (tested[asIndex(k)] && verdict(k) != Verdict::Open)
            return true;
    }
    return false;
}

ResultDocumentData resultDocumentData(const TestRun &run, const ChakraResults &results,
                                      const QDateTime &completed)
{
    ResultDocumentData data;
    data.completed = completed;
    std::array<bool, ChakraSlots> yogaNeeded{};
    for (int k = 0; k < ChakraCount; ++k) {
        data.tested[asIndex(k)] = run.ChakraSelection[asIndex(k)] != -1;
        data.scores[asIndex(k)] = results.ChakraScores[asIndex(k)];
        data.tallies[asIndex(k)] = tallyAnswers(run, k);
        yogaNeeded[asIndex(k)] = data.tested[asIndex(k)] && data.verdict(k) != Verdict::Open;
    }
    buildYogaPlan(yogaNeeded, data.plan);
    return data;
}

ResultDocumentData resultDocumentData(const KeptResult &record)
{
    ChakraResults results;
    const KeptScores scores = scoresOf(record);
    for (int k = 0; k < ChakraCount; ++k)
        results.ChakraScores[asIndex(k)] = static_cast<Int16>(scores[asIndex(k)].value_or(0));
    return resultDocumentData(runOf(record), results,
                              QDateTime::fromSecsSinceEpoch(record.keptAtUtc));
}

QDateTime toQDateTime(const DateTime &time)
{
    return {QDate(time.year, time.month, time.day), QTime(time.hour, time.minute, time.second)};
}

QPageSize preferredPageSize(const QLocale &locale)
{
    static const QList<QLocale::Territory> letterTerritories{
        QLocale::UnitedStates, QLocale::Canada,      QLocale::Mexico,    QLocale::Chile,
        QLocale::Colombia,     QLocale::Venezuela,   QLocale::CostaRica, QLocale::Guatemala,
        QLocale::Panama,       QLocale::ElSalvador,  QLocale::Nicaragua, QLocale::DominicanRepublic,
        QLocale::PuertoRico,   QLocale::Philippines, QLocale::Belize};
    if (locale.measurementSystem() == QLocale::ImperialUSSystem ||
        letterTerritories.contains(locale.territory()))
        return QPageSize{QPageSize::Letter};
    return QPageSize{QPageSize::A4};
}

std::unique_ptr<QTextDocument> buildResultDocument(const ResultDocumentData &data,
                                                   const QPageSize &pageSize)
{
    std::unique_ptr<QTextDocument> document = composeDocument(data);
    layOutPages(*document, nullptr, pageSize.sizePixels(screenDpi()));
    return document;
}

QString writeResultPdf(const ResultDocumentData &data, const QString &path,
                       const QPageSize &pageSize)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return openFailure(path, file);
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(ResultDocument::tr("Chakra test result"));
        writer.setCreator(fromLatin1(config::Caption));
        QString failure = paintResult(data, writer);
        if (!failure.isEmpty()) {
            file.cancelWriting();
            return failure;
        }
    }
    if (!file.commit())
        return ResultDocument::tr("The result could not be written to \u201c%1\u201d (%2). The "
                                  "disk may be full; a file of that name is left as it was.")
            .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), file.errorString());
    return {};
}

QString printResult(const ResultDocumentData &data, QPrinter &printer)
{
    printer.setFullPage(true);
    if (printer.docName().isEmpty())
        printer.setDocName(ResultDocument::tr("Chakra test result"));
    return paintResult(data, printer);
}

} // namespace pranoth

#include "result_document.moc"
