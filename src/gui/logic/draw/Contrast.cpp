#include "gui/logic/draw/Contrast.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace plumora::gui {

namespace {

constexpr int kFull = 255;

// An sRGB channel made linear.
double Linear(std::uint8_t channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

bool StandsOut(Colour colour, std::initializer_list<Colour> backgrounds, double ratio) {
  return std::all_of(backgrounds.begin(), backgrounds.end(),
                     [&](Colour b) { return ContrastRatio(colour, b) >= ratio; });
}

std::uint8_t Channel(long value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0L, static_cast<long>(kFull)));
}

// step 0 is the colour itself; kFull is black (shade) or white (tint).
Colour Shade(Colour c, int step) {
  const auto scale = [step](std::uint8_t v) {
    return Channel(std::lround(v * (kFull - step) / double(kFull)));
  };
  return {scale(c.r), scale(c.g), scale(c.b)};
}
Colour Tint(Colour c, int step) {
  const auto lift = [step](std::uint8_t v) {
    return Channel(std::lround(v + (kFull - v) * step / double(kFull)));
  };
  return {lift(c.r), lift(c.g), lift(c.b)};
}

// The first of the colours a way of changing it makes that stands out.
template <typename Change>
std::optional<Colour> FirstReadable(Colour colour, std::initializer_list<Colour> backgrounds,
                                    double ratio, Change change) {
  for (int step = 1; step <= kFull; ++step) {
    const Colour candidate = change(colour, step);
    if (StandsOut(candidate, backgrounds, ratio)) return candidate;
  }
  return std::nullopt;
}

double Distance(Colour a, Colour b) {
  const auto d = [](int x, int y) { return double(x - y) * (x - y); };
  return d(a.r, b.r) + d(a.g, b.g) + d(a.b, b.b);
}

}  // namespace

double RelativeLuminance(Colour colour) {
  return 0.2126 * Linear(colour.r) + 0.7152 * Linear(colour.g) + 0.0722 * Linear(colour.b);
}

double ContrastRatio(Colour a, Colour b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour ReadableColour(Colour colour, std::initializer_list<Colour> backgrounds, double ratio) {
  if (StandsOut(colour, backgrounds, ratio)) return colour;
  const std::optional<Colour> shade = FirstReadable(colour, backgrounds, ratio, Shade);
  const std::optional<Colour> tint = FirstReadable(colour, backgrounds, ratio, Tint);
  if (shade && tint) return Distance(*shade, colour) <= Distance(*tint, colour) ? *shade : *tint;
  if (shade) return *shade;
  if (tint) return *tint;
  return colour;
}

}  // namespace plumora::gui
