#pragma once

#include <QSizeF>
#include <QString>
#include <QTextFormat>

class QFont;
class QPagedPaintDevice;
class QPaintDevice;
class QTextDocument;

namespace pranoth {

// Page margins of a printed document, in millimetres; the page number stands
// in the bottom one.
inline constexpr qreal SideMarginMm = 18.0;
inline constexpr qreal TopMarginMm = 15.0;
inline constexpr qreal BottomMarginMm = 20.0;

// Block properties that pagination follows: a block that stands on the page
// of the first line after it (a heading), and one whose lines stand on one
// page. Characters that carry SectionHeadingProperty mark their block as a
// heading too.
inline constexpr int StaysWithNextProperty = QTextFormat::UserProperty + 1;
inline constexpr int UnbrokenProperty = QTextFormat::UserProperty + 4;

// The documents' font. Letter spacing set at its natural width makes the text
// layout leave ligatures out (kerning stays): a joined "fi" or "ffl" would
// come back from a PDF viewer's copy or search, and from a print queue, as
// one character or none instead of the letters written.
QFont documentFont(qreal points, bool bold = false);

// The resolution of the primary screen, and the one a document is laid out for.
int screenDpi();
int layoutDpi(const QTextDocument *document);
qreal millimetres(qreal mm, int dpi);

// Lays the document out for `device` (the screen when there is none) on pages
// of `pageSize` device pixels, with the margins above, and moves every heading
// that would stand alone at a page's foot, and every paragraph that would
// leave one line alone at a page's foot or head, to the next page.
void layOutPages(QTextDocument &document, QPaintDevice *device, QSizeF pageSize);

// Lays the document out for `device`, whose painting area is its whole page,
// and paints it with "Page N of M" at the foot of every page. The empty text
// on success, or what failed.
QString paintPages(QTextDocument &document, QPagedPaintDevice &device);

} // namespace pranoth
