// Writes atmosphere tables in the .atm layout the simulator reads: nine header lines (planet
// keyword first on line 2, point count on line 4, description on line 6), one line per point,
// then the planet constants.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace plumora::tools {

struct AtmPoint {
  double height;       // m
  double density;      // kg/m³
  double temperature;  // K
  double windWE;       // m/s towards east
  double windSN;       // m/s towards north
};

struct AtmConstants {
  double radius;       // m
  double g0;           // m/s²
  double gasConstant;  // J/(kg·K)
  double gamma;        // ratio of specific heats
  double omega;        // rad/s
};

struct AtmFile {
  std::string keyword;      // EARTH, MARS or TITAN
  std::string title;        // rest of line 2
  std::string source;       // line 3
  std::string description;  // line 6
  std::vector<AtmPoint> points;
  AtmConstants constants;
};

// Writes the file; false (with a message on stderr) when the table does not fit the layout
// (1 to 600 ascending heights, header lines that fit a line) or the file cannot be written
// completely.
bool WriteAtmFile(const std::string& path, const AtmFile& file);

}  // namespace plumora::tools
