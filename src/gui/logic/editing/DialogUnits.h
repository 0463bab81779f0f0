// Dialog layouts and list tab stops are given in dialog units, which follow the dialog's font: a
// horizontal unit is a quarter of the font's average character width, a vertical unit an eighth
// of its height. The widgets measure the font; this turns the units into pixels.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace plumora::gui {

// The letters whose mean width is the font's average character width.
inline constexpr std::string_view kAverageWidthSample =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

class DialogUnits {
 public:
  // sampleWidth: the width of kAverageWidthSample in the font, pixels; height: the font's
  // character height, pixels.
  DialogUnits(int sampleWidth, int height);

  int averageCharWidth() const { return averageCharWidth_; }
  int ToPixelsX(int units) const;
  int ToPixelsY(int units) const;
  // Tab stops in pixels from the left edge of the text.
  std::vector<int> TabStops(std::span<const int> units) const;

 private:
  int averageCharWidth_;
  int height_;
};

}  // namespace plumora::gui
