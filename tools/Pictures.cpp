#include "Pictures.h"

#include <algorithm>
#include <cmath>

namespace plumora::tools {

namespace {

constexpr double kPi = 3.14159265358979;

void PutU16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void PutU32(std::string& out, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<char>((v >> (8 * k)) & 0xFF));
}

// A well-mixed 32-bit hash of a lattice point.
std::uint32_t Hash(std::int32_t x, std::int32_t y, std::int32_t z, std::uint32_t seed) {
  std::uint32_t h = seed * 0x9E3779B9u;
  h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
  h = (h << 13) | (h >> 19);
  h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
  h = (h << 17) | (h >> 15);
  h ^= static_cast<std::uint32_t>(z) * 0x27D4EB2Fu;
  h ^= h >> 16;
  h *= 0x7FEB352Du;
  h ^= h >> 15;
  h *= 0x846CA68Bu;
  h ^= h >> 16;
  return h;
}

double Lattice(std::int32_t x, std::int32_t y, std::int32_t z, std::uint32_t seed) {
  return Hash(x, y, z, seed) / 4294967295.0;
}

double Smooth(double t) {
  return t * t * (3.0 - 2.0 * t);
}

double Lerp(double a, double b, double t) {
  return a + (b - a) * t;
}

// Trilinear value noise with smoothstep weights, in [0, 1].
double ValueNoise(double x, double y, double z, std::uint32_t seed) {
  const double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
  const auto ix = static_cast<std::int32_t>(fx);
  const auto iy = static_cast<std::int32_t>(fy);
  const auto iz = static_cast<std::int32_t>(fz);
  const double tx = Smooth(x - fx), ty = Smooth(y - fy), tz = Smooth(z - fz);
  double plane[2];
  for (int dz = 0; dz < 2; ++dz) {
    const double a = Lerp(Lattice(ix, iy, iz + dz, seed), Lattice(ix + 1, iy, iz + dz, seed), tx);
    const double b =
        Lerp(Lattice(ix, iy + 1, iz + dz, seed), Lattice(ix + 1, iy + 1, iz + dz, seed), tx);
    plane[dz] = Lerp(a, b, ty);
  }
  return Lerp(plane[0], plane[1], tz);
}

Rgb Mix(Rgb a, Rgb b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  const auto channel = [t](std::uint8_t u, std::uint8_t v) {
    return static_cast<std::uint8_t>(std::lround(u + (v - u) * t));
  };
  return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

// Calls paint(x, y, z, latitude in degrees) for the centre of every pixel of an equirectangular
// map, with (x, y, z) the point on the unit sphere, so that maps wrap without seams.
template <typename Paint>
Picture PaintSphere(int width, int height, Paint paint) {
  Picture picture(width, height);
  for (int row = 0; row < height; ++row) {
    const double latitude = 90.0 - (row + 0.5) * 180.0 / height;
    const double phi = latitude * kPi / 180.0;
    for (int col = 0; col < width; ++col) {
      const double lambda = (-180.0 + (col + 0.5) * 360.0 / width) * kPi / 180.0;
      picture.at(col, row) = paint(std::cos(phi) * std::cos(lambda),
                                   std::cos(phi) * std::sin(lambda), std::sin(phi), latitude);
    }
  }
  return picture;
}

}  // namespace

std::string BmpBytes(const Picture& picture) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(picture.width) * 3 + 3) / 4 * 4;
  const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(picture.height);
  const std::uint32_t offset = 14 + 40;
  std::string out;
  out.reserve(offset + imageSize);
  out += "BM";
  PutU32(out, offset + imageSize);
  PutU32(out, 0);  // reserved
  PutU32(out, offset);
  PutU32(out, 40);  // information header size
  PutU32(out, static_cast<std::uint32_t>(picture.width));
  PutU32(out, static_cast<std::uint32_t>(picture.height));  // positive: bottom row first
  PutU16(out, 1);                                           // planes
  PutU16(out, 24);                                          // bits per pixel
  PutU32(out, 0);                                           // no compression
  PutU32(out, imageSize);
  PutU32(out, 2835);  // 72 dots per inch, in dots per metre
  PutU32(out, 2835);
  PutU32(out, 0);  // colours used
  PutU32(out, 0);  // colours important
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const Rgb& p = picture.at(x, y);
      out.push_back(static_cast<char>(p.b));
      out.push_back(static_cast<char>(p.g));
      out.push_back(static_cast<char>(p.r));
    }
    out.append(stride - static_cast<std::uint32_t>(picture.width) * 3, '\0');
  }
  return out;
}

Picture Downscale(const Picture& source, int width, int height) {
  Picture out(width, height);
  const int bx = source.width / width;
  const int by = source.height / height;
  const int n = bx * by;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int r = 0, g = 0, b = 0;
      for (int j = 0; j < by; ++j) {
        for (int i = 0; i < bx; ++i) {
          const Rgb& p = source.at(x * bx + i, y * by + j);
          r += p.r;
          g += p.g;
          b += p.b;
        }
      }
      out.at(x, y) = {static_cast<std::uint8_t>((r + n / 2) / n),
                      static_cast<std::uint8_t>((g + n / 2) / n),
                      static_cast<std::uint8_t>((b + n / 2) / n)};
    }
  }
  return out;
}

double FractalNoise(double x, double y, double z, int octaves, std::uint32_t seed) {
  double sum = 0.0, amplitude = 0.5, total = 0.0, frequency = 1.0;
  for (int k = 0; k < octaves; ++k) {
    sum += amplitude * ValueNoise(x * frequency, y * frequency, z * frequency, seed + k);
    total += amplitude;
    amplitude *= 0.5;
    frequency *= 2.0;
  }
  return sum / total;
}

Picture MarsMap(int width, int height) {
  const Rgb dust{196, 104, 58}, bright{226, 156, 104}, dark{104, 56, 38}, ice{246, 244, 240};
  return PaintSphere(width, height, [&](double x, double y, double z, double latitude) {
    const double albedo = FractalNoise(3 * x, 3 * y, 3 * z, 7, 11);
    const double detail = FractalNoise(12 * x, 12 * y, 12 * z, 4, 23);
    Rgb colour = Mix(dust, bright, (albedo - 0.52) * 6.0);
    colour = Mix(colour, dark, (0.46 - albedo) * 7.0);  // dark albedo regions
    colour = Mix(colour, dark, (detail - 0.6) * 1.5);   // small-scale mottling
    // Polar caps, the northern one a little larger, with a ragged edge.
    const double edge = (latitude > 0 ? 78.0 : 80.0) + 6.0 * (detail - 0.5);
    return Mix(colour, ice, (std::fabs(latitude) - edge) / 2.0);
  });
}

Picture TitanMap(int width, int height) {
  const Rgb haze{214, 150, 70}, bright{230, 176, 96}, dunes{150, 98, 44};
  return PaintSphere(width, height, [&](double x, double y, double z, double latitude) {
    const double terrain = FractalNoise(4 * x, 4 * y, 4 * z, 6, 37);
    Rgb colour = Mix(haze, bright, (terrain - 0.5) * 4.0);
    // Dark dune fields in a belt about the equator, seen faintly through the haze.
    const double belt = std::exp(-latitude * latitude / (2.0 * 25.0 * 25.0));
    colour = Mix(colour, dunes, belt * (0.52 - terrain) * 3.0);
    // The haze thickens towards the poles.
    return Mix(colour, Rgb{226, 168, 92}, std::fabs(latitude) / 120.0);
  });
}

Picture AtmosphereGradient(int width, int height) {
  const Rgb space{6, 10, 38}, blue{60, 110, 200}, horizon{196, 222, 246};
  Picture picture(width, height);
  for (int y = 0; y < height; ++y) {
    const double t = (y + 0.5) / height;  // 0 at the top, 1 at the horizon
    const Rgb colour = t < 0.5 ? Mix(space, blue, t / 0.5) : Mix(blue, horizon, (t - 0.5) / 0.5);
    for (int x = 0; x < width; ++x) picture.at(x, y) = colour;
  }
  return picture;
}

Picture ZoomMark(int size) {
  const Rgb paper{236, 236, 236}, rim{40, 40, 40}, glass{170, 210, 240}, handle{120, 70, 30};
  Picture picture(size, size);
  const double s = size;
  const double cx = 0.4 * s, cy = 0.4 * s, radius = 0.28 * s, ring = 0.07 * s;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      const double d = std::hypot(px - cx, py - cy);
      Rgb colour = paper;
      // The handle: a thick bar from the rim towards the lower right corner.
      const double along = ((px - cx) + (py - cy)) / std::sqrt(2.0);
      const double across = ((px - cx) - (py - cy)) / std::sqrt(2.0);
      if (along > radius && along < 0.62 * s && std::fabs(across) < 0.07 * s) colour = handle;
      if (d < radius - ring / 2) colour = glass;
      if (std::fabs(d - radius) <= ring / 2) colour = rim;
      picture.at(x, y) = colour;
    }
  }
  return picture;
}

}  // namespace plumora::tools
