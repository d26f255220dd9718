#include "text_cursor_writer.h"

#include "qt_text.h"

#include <QTextEdit>

namespace pranoth {

TextCursorWriter::TextCursorWriter(QTextEdit *view) : view_(view), cursor_(view->document())
{
    format_.setForeground(QColor(0, 0, 0));
}

void TextCursorWriter::setBold(bool bold)
{
    format_.setFontWeight(bold ? QFont::Bold : QFont::Normal);
}

void TextCursorWriter::setColour(Rgb colour)
{
    format_.setForeground(QColor(colour.red, colour.green, colour.blue));
}

void TextCursorWriter::insertText(std::string_view text)
{
    cursor_.insertText(withLineFeeds(text), format_);
}

void TextCursorWriter::clear()
{
    view_->clear();
    cursor_ = QTextCursor(view_->document());
}

void TextCursorWriter::moveToEnd()
{
    cursor_.movePosition(QTextCursor::End);
}

} // namespace pranoth
