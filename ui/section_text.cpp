#include "section_text.h"

#include "chakra_palette.h"
#include "qt_text.h"
#include "readable_colour.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <vector>

namespace pranoth {

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

QColor Surface::colourOf(SectionKind kind, Verdict verdict) const
{
    QColor colour = ReportBlack;
    switch (kind) {
    case SectionKind::Introduction:
        colour = IntroductionText;
        break;
    case SectionKind::ChakraTitle:
    case SectionKind::VerdictLine:
        colour = ReportTeal;
        break;
    case SectionKind::AdviceHeading:
    case SectionKind::Advice:
        if (verdict == Verdict::UnderActive)
            colour = ReportDarkRed;
        else if (palette_)
            colour = palette_->color(QPalette::Text);
        break;
    case SectionKind::ChakraDescription:
    case SectionKind::VerdictText:
    case SectionKind::PostureHeading:
    case SectionKind::PostureName:
    case SectionKind::PostureText:
        if (palette_)
            colour = palette_->color(QPalette::Text);
        break;
    }
    return palette_ ? readableOn(colour, palette_->color(QPalette::Base)) : colour;
}

void insertSections(QTextCursor &cursor, std::span<const Section> sections, const Surface &surface)
{
    for (const Section &section : sections) {
        QTextCharFormat format;
        format.setForeground(surface.colourOf(section.kind, section.verdict));
        format.setProperty(SectionKindProperty, static_cast<int>(section.kind));
        format.setProperty(SectionVerdictProperty, static_cast<int>(section.verdict));
        format.setFontWeight(isHeading(section.kind) ? QFont::Bold : QFont::Normal);
        if (isHeading(section.kind))
            format.setProperty(SectionHeadingProperty, true);
        cursor.insertText(withLineFeeds(fromLatin1(section.text)), format);
        // The introduction is a paragraph of its own, a blank line after it.
        if (section.kind == SectionKind::Introduction)
            cursor.insertText(QStringLiteral("\n\n"), format);
    }
}

void recolourSections(QTextDocument &document, const Surface &surface)
{
    // Each run of one section, found first: recolouring merges runs.
    struct Run {
        int from, to;
        QColor colour;
    };
    std::vector<Run> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QColor colour =
                surface.colourOf(static_cast<SectionKind>(format.intProperty(SectionKindProperty)),
                                 static_cast<Verdict>(format.intProperty(SectionVerdictProperty)));
            if (format.hasProperty(SectionKindProperty) && format.foreground().color() != colour)
                runs.push_back({it.fragment().position(),
                                it.fragment().position() + it.fragment().length(), colour});
        }
    }
    QTextCursor cursor(&document);
    for (const Run &run : runs) {
        cursor.setPosition(run.from);
        cursor.setPosition(run.to, QTextCursor::KeepAnchor);
        QTextCharFormat recoloured;
        recoloured.setForeground(run.colour);
        cursor.mergeCharFormat(recoloured);
    }
}

void showSections(QTextEdit *view, std::span<const Section> sections)
{
    view->clear();
    QTextCursor cursor(view->document());
    insertSections(cursor, sections, Surface::screen(view->palette()));
    view->moveCursor(QTextCursor::Start);
    // The view follows its palette from the first text it is given on.
    if (!view->property("followsPalette").toBool()) {
        view->setProperty("followsPalette", true);
        followPalette(view, [view] {
            recolourSections(*view->document(), Surface::screen(view->palette()));
        });
    }
}

} // namespace pranoth
