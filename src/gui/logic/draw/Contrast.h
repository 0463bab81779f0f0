// How well a colour stands out against another, as relative luminance contrast (1:1 for the
// same colour, 21:1 for black on white), and the nearest colour of the same hue that stands out
// enough: what a curve or a text must reach against what it is drawn on to be read.
#pragma once

#include <initializer_list>

#include "gui/logic/draw/Drawing.h"

namespace plumora::gui {

// A curve or a text below this against its background is hard to see.
inline constexpr double kReadableContrast = 3.0;

// 0 for black to 1 for white, from the sRGB channels made linear.
double RelativeLuminance(Colour colour);
// (lighter + 0.05) / (darker + 0.05), from 1 to 21.
double ContrastRatio(Colour a, Colour b);

// The colour itself when it stands at least `ratio` against every background; else the nearest
// (in RGB) of its shades towards black and tints towards white that does, which keep its hue;
// the colour itself when none does.
Colour ReadableColour(Colour colour, std::initializer_list<Colour> backgrounds,
                      double ratio = kReadableContrast);

}  // namespace plumora::gui
