// What every drawing decided here is made of, whoever paints it: colours, the width of a text
// in the drawing's font, and the line shown where there is nothing to draw.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace plumora::gui {

struct Colour {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Colour&) const = default;
};

// Width of a text in the drawing's units and font.
using TextWidth = std::function<int(const std::string&)>;

// Shown instead of a table or a plot when there is nothing to show.
inline constexpr std::string_view kNoDataAvailable = "No data available";

}  // namespace plumora::gui
