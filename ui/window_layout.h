#pragma once

#include <QFont>
#include <QRect>

#include <initializer_list>

class QWidget;

namespace pranoth {

// Window designs are given in twips: 1440 to the inch, so 15 to a pixel at 96 dpi.
constexpr int TwipsPerPixel = 15;

// Twips to whole pixels, to the nearest pixel.
constexpr int twipsToPixels(int twips)
{
    return (twips >= 0 ? twips + TwipsPerPixel / 2 : twips - TwipsPerPixel / 2) / TwipsPerPixel;
}

// A control's rectangle given in twips, in pixels. Left and top are rounded
// first and the right and bottom edges from the rounded far edge, so that
// neighbouring controls that touch in twips still touch in pixels.
QRect twipsRect(int left, int top, int width, int height);

// The program's fonts: Verdana, or DejaVu Sans, whose metrics are close, where
// Verdana is missing.
QFont verdana(double pointSize, bool bold = false, bool underline = false);
// The system's dialog font, used where a window keeps the platform's default.
QFont dialogFont(bool bold = false);

// Sets the keyboard order of the given widgets, first to last.
void setTabSequence(std::initializer_list<QWidget *> widgets);

// What a screen reader says of a control: its description, and a name
// where the control shows no text of its own.
void describe(QWidget *widget, const QString &description, const QString &name = {});

// Moves a window, frame included, to the centre of its screen; on Wayland,
// where the compositor places windows, it leaves the window where it is.
void centreOnScreen(QWidget *window);
// Centres the window on its screen when it is first shown; later shows leave
// it where the user put it.
void centreWhenFirstShown(QWidget *window);

// Places a child at a rectangle given in twips and names it.
void place(QWidget *widget, const char *objectName, const QRect &pixels);

} // namespace pranoth
