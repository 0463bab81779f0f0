#include "AtmFileWriter.h"

#include "DataFileOutput.h"
#include "core/common/Constants.h"

namespace plumora::tools {

namespace {

std::string LayoutProblem(const AtmFile& file) {
  if (file.points.empty() || file.points.size() > static_cast<std::size_t>(kMaxAtmospherePoints)) {
    return "has no points or too many";
  }
  if (!FitsOnALine(file.keyword + " " + file.title) || !FitsOnALine(file.source) ||
      !FitsOnALine(file.description)) {
    return "has a header line too long";
  }
  for (std::size_t i = 1; i < file.points.size(); ++i) {
    if (!(file.points[i].height > file.points[i - 1].height)) return "has heights not ascending";
  }
  return {};
}

}  // namespace

bool WriteAtmFile(const std::string& path, const AtmFile& file) {
  return WriteDataFile(path, LayoutProblem(file), [&file](std::FILE* out) {
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
  });
}

}  // namespace plumora::tools
