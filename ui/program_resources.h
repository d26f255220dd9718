#pragma once

#include <string_view>

#include <QIcon>
#include <QPixmap>

namespace pranoth {

// The program icon at 16, 32, 48 and 64 pixels, for windows and the about
// window; the desktop takes larger ones from the installed icon theme.
QIcon programIcon();

// Picture `position` (1..11) of the asana pictures, from the program's
// resources, 250 x 250 device-independent pixels, drawn at twice the density
// on a screen that needs it; a null pixmap for any other position.
QPixmap asanaPicture(int position, qreal devicePixelRatio = 1.0);
// One of a session's own pictures by its file name without ".jpg"
// ("12Sukhasana"), likewise; none for an empty name.
QPixmap sessionPicture(std::string_view name, qreal devicePixelRatio = 1.0);

// The resource path of picture `position`; empty for any other position.
QString asanaPicturePath(int position);

} // namespace pranoth
