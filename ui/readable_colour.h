#pragma once

#include <QColor>
#include <QPalette>

#include <functional>

class QWidget;

namespace pranoth {

// Text reads well at this contrast with what is drawn behind it (4.5:1; 3:1
// is enough for large bold text and for lines).
inline constexpr double ReadableContrast = 4.5;

// The contrast ratio of two opaque colours, from 1 (the same luminance) to 21
// (black on white), as WCAG 2 defines it.
double contrastRatio(const QColor &one, const QColor &other);

// The colour itself where it has `minimum` contrast with `background`;
// otherwise the colour of the same hue and saturation whose lightness is the
// nearest to its own that has, lighter on a dark background and darker on a
// light one (white or black where even they fall short).
QColor readableOn(const QColor &colour, const QColor &background,
                  double minimum = ReadableContrast);

// Whether the palette draws light text on dark windows.
bool isDark(const QPalette &palette);

// A pale tint made to lie behind text on a light palette (a box, a chart's
// band), as it is drawn on this palette: itself on a light one; on a dark
// one, its hue laid over the palette's `role` in the share the tint lays it
// over white.
QColor tintOn(const QColor &paleTint, const QPalette &palette, QPalette::ColorRole role);

// Gives the widget's text `colour`, made readable on its background.
void colourText(QWidget *widget, const QColor &colour);

// Gives a box (a label that fills its background) `paleTint` as drawn on the
// palette of the window it is in, and its text `colour`, readable on it.
void colourBox(QWidget *box, const QColor &paleTint, const QColor &colour);

// Runs `apply` now and whenever the widget's palette changes, as it does when
// the desktop turns from light to dark while the window is open.
void followPalette(QWidget *widget, std::function<void()> apply);

} // namespace pranoth
