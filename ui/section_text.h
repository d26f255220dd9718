#pragma once

#include "core/section.h"

#include <QPalette>
#include <QTextFormat>

#include <optional>
#include <span>

class QTextCursor;
class QTextDocument;
class QTextEdit;

namespace pranoth {

// Set on the characters of a heading (a chakra's title and verdict line, the
// advice's heading, a posture's headings and name), so that a paginated
// document holds a heading on the page of the text that follows it.
inline constexpr int SectionHeadingProperty = QTextFormat::UserProperty + 10;

// Set on the characters of every section: its kind and verdict, by number.
inline constexpr int SectionKindProperty = QTextFormat::UserProperty + 11;
inline constexpr int SectionVerdictProperty = QTextFormat::UserProperty + 12;

// Whether sections of this kind are headings.
bool isHeading(SectionKind kind);

// What sections are drawn on, which decides their colours: white paper, or a
// screen's text view over its palette's base.
class Surface {
public:
    // Chakra titles and verdict lines teal, the advice for an under-active
    // chakra dark red, the introduction purple, the rest black.
    static Surface paper() { return {}; }
    // Plain text in the palette's text colour; the others in their paper
    // colours where these read well on the base, and otherwise in readable
    // shades of the same hues.
    static Surface screen(const QPalette &palette) { return Surface(palette); }

    QColor colourOf(SectionKind kind, Verdict verdict) const;

private:
    Surface() = default;
    explicit Surface(const QPalette &palette) : palette_(palette) {}
    std::optional<QPalette> palette_;
};

// Inserts the sections at the cursor, each in the look of its kind on the
// surface: headings (chakra titles, verdict lines, the advice's heading, a
// posture's headings and name) bold, the rest plain, the introduction with a
// blank line after it. Line breaks start new paragraphs.
void insertSections(QTextCursor &cursor, std::span<const Section> sections, const Surface &surface);

// Draws the sections of a document again in their colours on the surface.
void recolourSections(QTextDocument &document, const Surface &surface);

// Replaces the view's text with the sections, the caret at the start, in the
// colours of its palette, which they follow when the palette changes.
void showSections(QTextEdit *view, std::span<const Section> sections);

} // namespace pranoth
