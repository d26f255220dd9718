#include "section_text.h"

#include "chakra_palette.h"
#include "qt_text.h"

#include <QTextCursor>
#include <QTextEdit>

namespace pranoth {

namespace {

QColor colourOf(const Section &section)
{
    switch (section.kind) {
    case SectionKind::Introduction:
        return IntroductionText;
    case SectionKind::ChakraTitle:
    case SectionKind::VerdictLine:
        return ReportTeal;
    case SectionKind::AdviceHeading:
    case SectionKind::Advice:
        return section.verdict == Verdict::UnderActive ? ReportDarkRed : ReportBlack;
    case SectionKind::ChakraDescription:
    case SectionKind::VerdictText:
    case SectionKind::PostureHeading:
    case SectionKind::PostureName:
    case SectionKind::PostureText:
        break;
    }
    return ReportBlack;
}

} // namespace

bool isHeading(SectionKind kind)
{
    switch (kind) {
    case SectionKind::ChakraTitle:
    case SectionKind::VerdictLine:
    case SectionKind::AdviceHeading:
    case SectionKind::PostureHeading:
    case SectionKind::PostureName:
        return true;
    case SectionKind::Introduction:
    case SectionKind::ChakraDescription:
    case SectionKind::VerdictText:
    case SectionKind::Advice:
    case SectionKind::PostureText:
        break;
    }
    return false;
}

void insertSections(QTextCursor &cursor, std::span<const Section> sections)
{
    for (const Section &section : sections) {
        QTextCharFormat format;
        format.setForeground(colourOf(section));
        format.setFontWeight(isHeading(section.kind) ? QFont::Bold : QFont::Normal);
        if (isHeading(section.kind))
            format.setProperty(SectionHeadingProperty, true);
        cursor.insertText(withLineFeeds(fromLatin1(section.text)), format);
        // The introduction is a paragraph of its own, a blank line after it.
        if (section.kind == SectionKind::Introduction)
            cursor.insertText(QStringLiteral("\n\n"), format);
    }
}

void showSections(QTextEdit *view, std::span<const Section> sections)
{
    view->clear();
    QTextCursor cursor(view->document());
    insertSections(cursor, sections);
    view->moveCursor(QTextCursor::Start);
}

} // namespace pranoth
