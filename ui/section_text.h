#pragma once

#include "core/section.h"

#include <QTextFormat>

#include <span>

class QTextCursor;
class QTextEdit;

namespace pranoth {

// Set on the characters of a heading (a chakra's title and verdict line, the
// advice's heading, a posture's headings and name), so that a paginated
// document holds a heading on the page of the text that follows it.
inline constexpr int SectionHeadingProperty = QTextFormat::UserProperty + 10;

// Whether sections of this kind are headings.
bool isHeading(SectionKind kind);

// Inserts the sections at the cursor, each in the look of its kind: chakra
// titles and verdict lines bold teal, the advice bold and plain in dark red
// for an under-active chakra and in black otherwise, the introduction in
// purple with a blank line after it, a posture's headings and name bold,
// other text plain black. Line breaks start new paragraphs.
void insertSections(QTextCursor &cursor, std::span<const Section> sections);

// Replaces the view's text with the sections, the caret at the start.
void showSections(QTextEdit *view, std::span<const Section> sections);

} // namespace pranoth
