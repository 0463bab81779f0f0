// The start-up pictures: 24-bit Windows bitmaps of the planet maps, the atmosphere background and
// the chart's zoom mark. Mars and Titan are procedural maps of our own making (seamless value noise
// sampled on the sphere); the Earth map is a downscaled photograph, decoded by the generator.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plumora::tools {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// A picture, top row first.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // width × height

  Picture() = default;
  Picture(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}
  Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  const Rgb& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The bytes of a 24-bit uncompressed bitmap file (bottom row first, rows padded to 4 bytes).
std::string BmpBytes(const Picture& picture);

// Averages whole blocks of pixels: a picture of w × h from one whose sides are multiples of them
// (box filter; exact and the same on every machine).
Picture Downscale(const Picture& source, int width, int height);

// Smooth noise in [0, 1] at a point in space: fractal sum of value-noise octaves. The same
// seed always gives the same field.
double FractalNoise(double x, double y, double z, int octaves, std::uint32_t seed);

// Equirectangular maps: longitude −180° at the left edge, the north pole at the top.
Picture MarsMap(int width, int height);
Picture TitanMap(int width, int height);
// The sky as seen from the ground looking up: deep space at the top, pale blue at the horizon.
Picture AtmosphereGradient(int width, int height);
// A small magnifying glass on a light background.
Picture ZoomMark(int size);

}  // namespace plumora::tools
