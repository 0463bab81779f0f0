// gen-pictures: writes the five start-up pictures into a folder.
//   gen-pictures OUT_FOLDER EARTH_JPEG
// The Earth map is the public-domain NASA Visible Earth picture that Debian's xplanet-images
// installs (/usr/share/xplanet/images/earth.jpg), halved to 1024 × 512; Qt only decodes it.
// Everything else is drawn here.
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "Pictures.h"

namespace {

using plumora::tools::Picture;

constexpr int kMapWidth = 1024;
constexpr int kMapHeight = 512;

bool WritePicture(const std::filesystem::path& path, const Picture& picture) {
  const std::string bytes = plumora::tools::BmpBytes(picture);
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "gen-pictures: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

bool EarthMap(const char* jpeg, Picture& map) {
  QImage image;
  if (!image.load(QString::fromLocal8Bit(jpeg))) {
    std::fprintf(stderr, "gen-pictures: cannot read the Earth picture %s\n", jpeg);
    return false;
  }
  image = image.convertToFormat(QImage::Format_RGB888);
  if (image.width() % kMapWidth != 0 || image.height() % kMapHeight != 0) {
    std::fprintf(stderr, "gen-pictures: %s is %d x %d, not a multiple of %d x %d\n", jpeg,
                 image.width(), image.height(), kMapWidth, kMapHeight);
    return false;
  }
  Picture full(image.width(), image.height());
  for (int y = 0; y < image.height(); ++y) {
    const uchar* row = image.constScanLine(y);
    for (int x = 0; x < image.width(); ++x)
      full.at(x, y) = {row[3 * x], row[3 * x + 1], row[3 * x + 2]};
  }
  map = plumora::tools::Downscale(full, kMapWidth, kMapHeight);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: gen-pictures OUT_FOLDER EARTH_JPEG\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  Picture earth;
  if (!EarthMap(argv[2], earth)) return 1;
  using namespace plumora::tools;
  const bool ok = WritePicture(folder / "earth_gl.bmp", earth) &&
                  WritePicture(folder / "mars.bmp", MarsMap(kMapWidth, kMapHeight)) &&
                  WritePicture(folder / "titan_gl.bmp", TitanMap(kMapWidth, kMapHeight)) &&
                  WritePicture(folder / "atmosphere.bmp", AtmosphereGradient(400, 300)) &&
                  WritePicture(folder / "zoom.bmp", ZoomMark(32));
  return ok ? 0 : 1;
}
