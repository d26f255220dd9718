#include "document_pages.h"

#include "section_text.h"
#include "window_layout.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>

#include <cmath>

namespace pranoth {

namespace {

class DocumentPages {
    Q_DECLARE_TR_FUNCTIONS(ResultDocument)
};

constexpr qreal MillimetresPerInch = 25.4;
// A paragraph that would leave a line alone at a page's foot or head goes to
// the next page whole, when it is no longer than this.
constexpr int MostLinesMovedWhole = 12;

// A heading of the program's texts: every character that is not white space
// belongs to a heading section.
bool isSectionHeading(const QTextBlock &block)
{
    if (block.text().trimmed().isEmpty())
        return false;
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
        if (!fragment.fragment().charFormat().boolProperty(SectionHeadingProperty) &&
            !fragment.fragment().text().trimmed().isEmpty())
            return false;
    }
    return true;
}

bool staysWithNext(const QTextBlock &block)
{
    return block.blockFormat().boolProperty(StaysWithNextProperty) || isSectionHeading(block);
}

QTextBlock nextWithText(QTextBlock block)
{
    for (block = block.next(); block.isValid(); block = block.next()) {
        if (!block.text().isEmpty())
            return block;
    }
    return {};
}

// Moves headings that would stand alone at the foot of a page, and
// paragraphs that would leave a single line alone at a page's foot or head,
// with any headings just above them, to the next page. Each move only shifts what
// follows, so one pass in document order settles the layout; a second pass
// confirms it.
void moveStrandedBlocks(QTextDocument &document)
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
    // it, a block to keep whole split over two pages, or a paragraph that
    // leaves a single line of its own at a page's foot or head.
    const auto stranded = [&](const QTextBlock &block) {
        if (staysWithNext(block)) {
            const QTextBlock next = nextWithText(block);
            return laidOut(next) &&
                   pageOf(lineAt(block, 0).first) != pageOf(lineAt(next, 0).second);
        }
        const int lines = block.layout()->lineCount();
        const int firstPage = pageOf(lineAt(block, 0).first);
        const int lastPage = pageOf(lineAt(block, lines - 1).second);
        if (firstPage == lastPage)
            return false;
        if (block.blockFormat().boolProperty(UnbrokenProperty))
            return true;
        int onFirst = 0;
        while (onFirst < lines && pageOf(lineAt(block, onFirst).second) == firstPage)
            ++onFirst;
        int onLast = 0;
        while (onLast < lines && pageOf(lineAt(block, lines - 1 - onLast).first) == lastPage)
            ++onLast;
        return (onFirst == 1 || onLast == 1) && lines <= MostLinesMovedWhole;
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
                if (!staysWithNext(before))
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

} // namespace

QFont documentFont(qreal points, bool bold)
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

int layoutDpi(const QTextDocument *document)
{
    const QPaintDevice *device = document->documentLayout()->paintDevice();
    return device ? device->logicalDpiY() : screenDpi();
}

qreal millimetres(qreal mm, int dpi)
{
    return mm * dpi / MillimetresPerInch;
}

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
    moveStrandedBlocks(document);
}

QString paintPages(QTextDocument &document, QPagedPaintDevice &device)
{
    const int dpi = device.logicalDpiY();
    const QSizeF page(device.width(), device.height());
    layOutPages(document, &device, page);

    QPainter painter;
    if (!painter.begin(&device))
        return DocumentPages::tr("The result could not be drawn on the pages.");
    const int pages = document.pageCount();
    const QFont footerFont(documentFont(8.0), &device);
    const qreal side = millimetres(SideMarginMm, dpi);
    const qreal bottom = millimetres(BottomMarginMm, dpi);
    for (int index = 0; index < pages; ++index) {
        if (index > 0 && !device.newPage())
            return DocumentPages::tr("A new page could not be started.");
        painter.save();
        const QRectF view(0, index * page.height(), page.width(), page.height());
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = view;
        context.palette.setColor(QPalette::Text, Qt::black);
        document.documentLayout()->draw(&painter, context);
        painter.restore();

        painter.setFont(footerFont);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(side, page.height() - bottom, page.width() - 2 * side, bottom / 2),
                         Qt::AlignCenter,
                         DocumentPages::tr("Page %1 of %2").arg(index + 1).arg(pages));
    }
    if (!painter.end())
        return DocumentPages::tr("The result could not be finished.");
    return {};
}

} // namespace pranoth
