#include "core/environment/Atmosphere.h"

#include <cmath>
#include <cstdio>
#include <memory>

#include "core/common/DataFileErrors.h"
#include "core/common/Messages.h"
#include "core/common/TextScanner.h"
#include "core/environment/DataFolders.h"
#include "core/environment/Spline.h"

namespace plumora {

namespace {

// End slopes of the atmosphere splines: clamped flat at both ends.
constexpr double kAtmosphereEndSlope = 0.0;

Error FileError(const std::filesystem::path& path, std::string_view what, int line) {
  return DataFileError("atmospheric", path, what, line);
}

// Reads one number of the file; a missing or non-finite value refuses the file.
bool ReadNumber(TextScanner& in, double& value) {
  return in.ReadFloat(value) && std::isfinite(value);
}

struct AtmosphereRow {
  double height = 0.0, density = 0.0, temperature = 0.0, windWE = 0.0, windSN = 0.0;
};

enum class RowForm {
  kRow,         // a label and five numbers
  kWrongCount,  // begins as a row but holds fewer or more values
  kNotARow,     // its second token is not a number: the table has ended
  kMissing,     // the file has ended
};

RowForm ParseRow(const std::string& text, AtmosphereRow& row) {
  TextScanner in(text);
  std::string label;
  if (!in.ReadToken(label)) return RowForm::kNotARow;
  if (!ReadNumber(in, row.height)) {
    // A line of other than six words whose second is no number at all is no row.
    double number = 0.0;
    int words = 2;
    for (std::string word; in.ReadToken(word);) ++words;
    TextScanner again(text);
    again.ReadToken(label);
    return again.ReadFloat(number) || words == 6 ? RowForm::kWrongCount : RowForm::kNotARow;
  }
  if (!ReadNumber(in, row.density) || !ReadNumber(in, row.temperature) ||
      !ReadNumber(in, row.windWE) || !ReadNumber(in, row.windSN) || !in.OnlyBlanksLeft()) {
    return RowForm::kWrongCount;
  }
  return RowForm::kRow;
}

void BuildSplines(AtmosphereTable& t) {
  const int n = t.pointCount;
  const double* x = t.height.data();
  SplineSecondDerivatives(x, t.lnDensity.data(), n, kAtmosphereEndSlope, kAtmosphereEndSlope,
                          t.lnDensityCurvature.data());
  SplineSecondDerivatives(x, t.temperature.data(), n, kAtmosphereEndSlope, kAtmosphereEndSlope,
                          t.temperatureCurvature.data());
  SplineSecondDerivatives(x, t.windWE.data(), n, kAtmosphereEndSlope, kAtmosphereEndSlope,
                          t.windWECurvature.data());
  SplineSecondDerivatives(x, t.windSN.data(), n, kAtmosphereEndSlope, kAtmosphereEndSlope,
                          t.windSNCurvature.data());
}

double Calm(double wind) {
  return std::fabs(wind) < kCalmWind ? 0.0 : wind;
}

}  // namespace

std::string_view PlanetKeyword(int planet) {
  switch (planet) {
    case 0:
      return "EARTH";
    case 1:
      return "MARS";
    case 2:
      return "TITAN";
    default:
      return {};
  }
}

namespace {

// The keyword (first token of line 2) and the description (line 6) of an atmosphere file.
bool ReadAtmosphereHeader(const std::filesystem::path& path, std::string& keyword,
                          std::string& description) {
  auto in = TextScanner::Open(path);
  if (!in) return false;
  keyword.clear();
  description.clear();
  in->SkipLine();
  in->ReadToken(keyword);
  for (int line = 2; line <= 5; ++line) in->SkipLine();
  in->ReadLine(description);
  description.erase(description.find_last_not_of(" \t\r\n\v\f") + 1);
  return true;
}

}  // namespace

AtmosphereListing ListPlanetAtmospheres(const std::filesystem::path& base, int planet,
                                        int stopAfter) {
  AtmosphereListing listing;
  const std::string_view wanted = PlanetKeyword(planet);
  const auto files = ListDataFiles(AtmosphereFolder(base), "atm");
  listing.folderListed = !files.empty();
  for (const auto& file : files) {
    AtmosphereFileEntry entry{file, {}};
    std::string keyword;
    if (!ReadAtmosphereHeader(file, keyword, entry.description)) {
      listing.unreadable = true;
      break;
    }
    if (wanted.empty() || keyword != wanted) continue;
    listing.files.push_back(std::move(entry));
    if (stopAfter >= 0 && listing.files.size() > static_cast<std::size_t>(stopAfter)) break;
  }
  return listing;
}

std::string NoAtmosphereFileMessage(const std::filesystem::path& base, int planet) {
  const std::string_view keyword = PlanetKeyword(planet);
  const std::string planetName =
      keyword.empty() ? "planet " + std::to_string(planet) : std::string(keyword);
  return std::string(kMsgNoAtmosphereFileFor) + planetName + std::string(kMsgAtmosphereFileIn) +
         AtmosphereFolder(base).string() + "\n";
}

Result<> ReadAtmosphereFile(const std::filesystem::path& path, bool withWind,
                            AtmosphereTable& table, PlanetConstants& constants) {
  auto in = TextScanner::Open(path);
  if (!in) return Fail(ErrorCode::kCannotOpen, std::string(kMsgAtmFileNotOpened));
  const auto earlyEnd = [&] { return FileError(path, kMsgFileEndsEarly, in->Line()); };
  const auto longLine = [&] {
    return FileError(path, "has a line longer than " + std::to_string(kLineReadLimit) +
                               " characters",
                     in->Line());
  };

  // Lines 1 to 3 are free text; line 4 holds a label and the point count.
  for (int i = 0; i < 3; ++i) {
    if (!in->SkipShortLine()) return longLine();
  }
  std::string label;
  long count = 0;
  if (!in->ReadToken(label) || !in->ReadLong(count)) return earlyEnd();
  if (count > kMaxAtmospherePoints) {
    char text[96];
    std::snprintf(text, sizeof text, kFmtTooManyAtmPoints, kMaxAtmospherePoints);
    return Fail(ErrorCode::kOverCapacity, text);
  }
  if (count < 1) return FileError(path, "holds no data points", in->Line());
  const int n = static_cast<int>(count);
  const std::string declared =
      " than the " + std::to_string(n) + " points its line 4 declares";

  // The rest of line 4 and lines 5 to 9 (description and column headings).
  for (int i = 0; i < 6; ++i) {
    if (!in->SkipShortLine()) return longLine();
  }

  // Read into a fresh table; the caller's stays untouched until the whole file is good. Each
  // point stands on a line of its own: a label and five numbers, nothing more.
  auto fresh = std::make_unique<AtmosphereTable>();
  fresh->pointCount = n;
  std::string text;
  const auto readRow = [&](TextScanner& from, int& line, AtmosphereRow& row) {
    do {
      line = from.Line();
      if (!from.ReadWholeLine(text)) return RowForm::kMissing;
    } while (text.find_first_not_of(" \t\r\v\f") == std::string::npos);
    return ParseRow(text, row);
  };
  for (int i = 0; i < n; ++i) {
    int line = 0;
    AtmosphereRow row;
    switch (readRow(*in, line, row)) {
      case RowForm::kMissing:
        return FileError(path, kMsgFileEndsEarly, line);
      case RowForm::kNotARow:
        return FileError(path, "has fewer rows" + declared, line);
      case RowForm::kWrongCount:
        return FileError(path, "has a row that is not a label and five numbers", line);
      case RowForm::kRow:
        break;
    }
    if (i > 0 && !(row.height > fresh->height[i - 1])) {
      return FileError(path, "has heights that do not strictly ascend", line);
    }
    if (!(row.density > 0.0)) return FileError(path, "has a density that is not positive", line);
    // The speed of sound is √(c₁·c₂·T): no temperature at or below absolute zero.
    if (!(row.temperature > 0.0)) {
      return FileError(path, "has a temperature that is not a positive number", line);
    }
    fresh->height[i] = row.height;
    fresh->lnDensity[i] = std::log(row.density);
    fresh->temperature[i] = row.temperature;
    fresh->windWE[i] = withWind ? row.windWE : 0.0;
    fresh->windSN[i] = withWind ? row.windSN : 0.0;
  }

  // Trailer: a line of two labels, then radius, gravity, the two gas constants and rotation.
  // A further row in its place means the file holds more points than it declares.
  {
    int line = 0;
    AtmosphereRow row;
    TextScanner ahead = *in;
    if (readRow(ahead, line, row) == RowForm::kRow) {
      return FileError(path, "has more rows" + declared, line);
    }
  }
  std::string second;
  if (!in->ReadToken(label) || !in->ReadToken(second)) return earlyEnd();
  PlanetConstants c;
  struct Constant {
    double* value;
    std::string_view problem;
    bool (*sound)(double);
  };
  const Constant trailer[] = {
      {&c.radius, "has a planet radius that is not positive", [](double v) { return v > 0.0; }},
      // No gravity at all is a world the verification cases fly; a pull outwards is none.
      {&c.g0, "has a surface gravity that is negative", [](double v) { return v >= 0.0; }},
      {&c.c1, "has a gas constant that is not positive", [](double v) { return v > 0.0; }},
      {&c.c2, "has a ratio of specific heats that is not above 1",
       [](double v) { return v > 1.0; }},
      {&c.omega, {}, nullptr},
  };
  for (std::size_t i = 0; i < std::size(trailer); ++i) {
    // The rest of the labels' line, or of the previous constant's, comes first.
    if (!in->SkipShortLine()) return longLine();
    std::string name;
    if (!in->ReadToken(name) || !ReadNumber(*in, *trailer[i].value)) return earlyEnd();
    if (trailer[i].sound && !trailer[i].sound(*trailer[i].value)) {
      return FileError(path, trailer[i].problem, in->Line());
    }
  }
  c.gm = c.radius * c.radius * c.g0;

  BuildSplines(*fresh);
  table = *fresh;
  constants = c;
  return {};
}

AtmosphereScaling AtmosphereScaling::Of(const AtmosphereFactors& factors) {
  // The density is tabulated as its logarithm: a factor on it is a constant added, which leaves
  // the spline's curvatures as they are. The winds are splined linearly, curvatures and all.
  return {std::log(factors.density), factors.wind};
}

AtmosphereSample QueryAtmosphere(const AtmosphereTable& t, double h) {
  int hint = 0;
  return QueryAtmosphere(t, h, hint);
}

AtmosphereSample QueryAtmosphere(const AtmosphereTable& t, double h, int& hint) {
  return QueryAtmosphere(t, h, hint, AtmosphereScaling{});
}

AtmosphereSample QueryAtmosphere(const AtmosphereTable& t, double h, int& hint,
                                 const AtmosphereScaling& scaling) {
  const int n = t.pointCount;
  if (n < 1) return {};
  const double lnShift = scaling.lnDensity;
  const double windFactor = scaling.wind;
  AtmosphereSample s;
  if (h > t.height[n - 1]) {
    // Above the table: no air, the top temperature, no wind.
    s.temperature = t.temperature[n - 1];
  } else if (h < t.height[0]) {
    s = {std::exp(t.lnDensity[0] + lnShift), t.temperature[0], t.windWE[0] * windFactor,
         t.windSN[0] * windFactor};
  } else {
    const SplineInterval in = FindSplineInterval(t.height.data(), n, h, hint);
    s.density =
        std::exp(SplineEvaluate(in, t.lnDensity.data(), t.lnDensityCurvature.data(), 1.0, lnShift));
    s.temperature = SplineEvaluate(in, t.temperature.data(), t.temperatureCurvature.data());
    s.windWE = SplineEvaluate(in, t.windWE.data(), t.windWECurvature.data(), windFactor, 0.0);
    s.windSN = SplineEvaluate(in, t.windSN.data(), t.windSNCurvature.data(), windFactor, 0.0);
  }
  s.windWE = Calm(s.windWE);
  s.windSN = Calm(s.windSN);
  return s;
}

}  // namespace plumora
