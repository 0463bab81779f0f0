#include "AtmFileWriter.h"

namespace plumora::tools {

bool WriteAtmFile(const std::string& path, const AtmFile& file) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) {
    std::fprintf(stderr, "cannot create %s\n", path.c_str());
    return false;
  }
  // Nine significant digits identify a single-precision value exactly, which is how the
  // simulator reads every number.
  std::fprintf(out, "Plumora atmosphere table\n");
  std::fprintf(out, "%s %s\n", file.keyword.c_str(), file.title.c_str());
  std::fprintf(out, "%s\n", file.source.c_str());
  std::fprintf(out, "POINTS %zu\n", file.points.size());
  std::fprintf(out, "Description:\n");
  std::fprintf(out, "%s\n", file.description.c_str());
  std::fprintf(out, "Columns:\n");
  std::fprintf(out, "row height(m) density(kg/m3) temperature(K) wind_WE(m/s) wind_SN(m/s)\n");
  std::fprintf(out, "---\n");
  int row = 1;
  for (const AtmPoint& p : file.points) {
    std::fprintf(out, "%d %.9g %.9g %.9g %.9g %.9g\n", row++, p.height, p.density, p.temperature,
                 p.windWE, p.windSN);
  }
  const AtmConstants& c = file.constants;
  std::fprintf(out, "PLANET CONSTANTS\n");
  std::fprintf(out, "RADIUS %.9g m\n", c.radius);
  std::fprintf(out, "GRAVITY %.9g m/s2\n", c.g0);
  std::fprintf(out, "GAS_CONSTANT %.9g J/(kg*K)\n", c.gasConstant);
  std::fprintf(out, "GAMMA %.9g\n", c.gamma);
  std::fprintf(out, "ROTATION %.9g rad/s\n", c.omega);
  const bool written = !std::ferror(out);
  if (std::fclose(out) != 0 || !written) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace plumora::tools
