#pragma once

#include "core/rich_text.h"

#include <QTextCharFormat>
#include <QTextCursor>

class QTextEdit;

namespace pranoth {

// Writes formatted text into a text view at its own insertion point. Bold and
// colour stay as set until set again; CR LF becomes a paragraph break.
class TextCursorWriter : public RichTextWriter {
public:
    explicit TextCursorWriter(QTextEdit *view);

    void setBold(bool bold) override;
    void setColour(Rgb colour) override;
    void insertText(std::string_view text) override;
    void clear() override;
    void moveToEnd() override;

private:
    QTextEdit *view_;
    QTextCursor cursor_;
    QTextCharFormat format_;
};

} // namespace pranoth
