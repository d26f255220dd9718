#include "link_label.h"

#include "readable_colour.h"

#include <QMouseEvent>

namespace pranoth {

LinkLabel::LinkLabel(const QString &text, const QFont &font, QWidget *parent, const QColor &colour)
    : QLabel(text, parent)
{
    QFont linkFont = font;
    linkFont.setUnderline(true);
    setFont(linkFont);
    followPalette(this, [this, colour] {
        colourText(this, colour.isValid() ? colour : palette().color(QPalette::Link));
    });
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAccessibleDescription(tr("Opens a web page"));
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

} // namespace pranoth
