#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QWidget;

namespace pranoth {

class Announcement;

// Gives a read-only text view a keyboard caret: the arrow keys move through
// its text, so a screen reader reads it line by line, and it still refuses
// typing. Call it after setReadOnly, which sets the view's interaction anew.
template <typename TextView> void addKeyboardCaret(TextView *view)
{
    view->setTextInteractionFlags(view->textInteractionFlags() | Qt::TextSelectableByKeyboard);
}

// Tells a screen reader what has changed in a window without moving the
// keyboard focus: after Next the focus stays on Next, so Space still answers
// and moves on, and the new question is spoken all the same.
//
// Qt 6.4 has no announcement event, and a change of a control's name or
// description is not spoken (the bridge sends no text with it). What a screen
// reader does speak the moment it appears is a notification, so the text goes
// out as a notification the size of nothing, shown anew for each change. It
// is spoken once the window is active and after what the window says of
// itself and of its focus, and only while an assistive technology listens.
class Announcer : public QObject {
public:
    // `text` gives what to say, read when it is said.
    Announcer(QWidget *window, std::function<QString()> text);

    // What `text` gives has changed; several changes in a row are said once.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void sayWhenActive();
    void say();

    QWidget *window_;
    std::function<QString()> text_;
    Announcement *announcement_;
    bool pending_ = false;
    // After the turn of the event loop that shows the window, moves the focus
    // or closes a menu, so that what they say does not cut the text off.
    QTimer afterThisTurn_;
};

} // namespace pranoth
