#include "core/environment/Aerodynamics.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "core/common/DataFileErrors.h"
#include "core/common/Messages.h"
#include "core/common/Prompter.h"
#include "core/common/TextScanner.h"
#include "core/environment/DataFolders.h"
#include "core/environment/Spline.h"

namespace plumora {

namespace {

// End slopes of the splines along the angle: flat at both ends.
constexpr double kAeroEndSlope = 0.0;
// Lines 1 to 17 (comment and free text) come before the Mach count.
constexpr int kAeroHeaderLines = 17;

// --- Reading ---------------------------------------------------------------------------------

Error FileError(const std::filesystem::path& path, std::string_view what, int line) {
  return DataFileError("aerodynamic", path, what, line);
}

bool ReadNumber(TextScanner& in, double& value) {
  return in.ReadFloat(value) && std::isfinite(value);
}

std::int32_t ToInt32(long value) {
  return static_cast<std::int32_t>(std::clamp<long>(value, INT32_MIN, INT32_MAX));
}

void BuildSplines(AeroDatabase& db) {
  for (int k = 0; k < kCoefficientCount; ++k) {
    for (int i = 0; i < db.machCount; ++i) {
      SplineSecondDerivatives(db.angle.data(), db.coefficient[k][i].data(), db.angleCount,
                              kAeroEndSlope, kAeroEndSlope, db.curvature[k][i].data());
    }
  }
}

// The Mach rows: a line with the Mach number, then one line per angle with the angle (degrees,
// sign dropped) and Cx, Cz, Cm. Every row overwrites the shared angle list.
Result<> ReadRows(TextScanner& in, const std::filesystem::path& path, AeroDatabase& db) {
  const auto earlyEnd = [&] { return FileError(path, kMsgFileEndsEarly, in.Line()); };
  for (int i = 0; i < db.machCount; ++i) {
    double mach = 0.0;
    if (!ReadNumber(in, mach)) return earlyEnd();
    if (i > 0 && !(mach > db.mach[i - 1])) {
      return FileError(path, "has Mach numbers that do not strictly ascend", in.Line());
    }
    db.mach[i] = mach;
    in.SkipLine();
    for (int j = 0; j < db.angleCount; ++j) {
      double angle = 0.0, cx = 0.0, cz = 0.0, cm = 0.0;
      if (!ReadNumber(in, angle)) return earlyEnd();
      const int line = in.Line();
      if (!ReadNumber(in, cx) || !ReadNumber(in, cz) || !ReadNumber(in, cm)) return earlyEnd();
      const double alpha = std::fabs(angle) * kDegToRad;
      if (j > 0 && !(alpha > db.angle[j - 1])) {
        return FileError(
            path, "has angles that do not strictly ascend once their signs are dropped", line);
      }
      db.angle[j] = alpha;
      db.coefficient[kCx][i][j] = cx;
      db.coefficient[kCz][i][j] = cz;
      db.coefficient[kCm][i][j] = cm;
      // Axisymmetric bodies: no side force, no roll or yaw moment.
      db.coefficient[kCy][i][j] = 0.0;
      db.coefficient[kCl][i][j] = 0.0;
      db.coefficient[kCn][i][j] = 0.0;
      in.SkipLine();
    }
  }
  return {};
}

// --- Lookup ----------------------------------------------------------------------------------

// The largest index k with value >= table[k]; 0 below the second entry (and for a value that is
// not a number). The tables strictly ascend, so a bisection finds the same index as a search down
// from the last entry, in a handful of steps instead of up to a hundred.
int Interval(const double* table, int count, double value) {
  if (count < 2 || !(value >= table[1])) return 0;
  return static_cast<int>(std::upper_bound(table + 1, table + count, value) - table) - 1;
}

// A row of one coefficient at alpha, straight between the angles around it.
double RowLinear(const AeroDatabase& db, const AeroDatabase::Table& c, int row, int j,
                 double alpha) {
  const double* a = db.angle.data();
  double value = c[row][j];
  if (j < db.angleCount - 1)
    value += (c[row][j + 1] - c[row][j]) / (a[j + 1] - a[j]) * (alpha - a[j]);
  return value;
}

// The same along the row's cubic spline; the last column beyond the last angle.
double RowSpline(const AeroDatabase& db, int k, int row, int j, double alpha) {
  if (j >= db.angleCount - 1) return db.coefficient[k][row][j];
  return SplineEvaluate(db.angle.data(), db.coefficient[k][row].data(), db.curvature[k][row].data(),
                        db.angleCount, alpha);
}

// Both lookups: the value of row i and row i + 1 at the angle, then linear in Mach between them.
template <typename AlongAngle>
AeroCoefficientSet Lookup(const AeroDatabase& db, double mach, double alpha, AlongAngle along) {
  AeroCoefficientSet c{};
  if (db.machCount < 1 || db.angleCount < 1) return c;
  const int i = Interval(db.mach.data(), db.machCount, mach);
  const int j = Interval(db.angle.data(), db.angleCount, alpha);
  for (int k = 0; k < kCoefficientCount; ++k) {
    c[k] = along(k, i, j);
    if (i < db.machCount - 1) {
      const double next = along(k, i + 1, j);
      c[k] += (next - c[k]) / (db.mach[i + 1] - db.mach[i]) * (mach - db.mach[i]);
    }
  }
  return c;
}

}  // namespace

AeroCoefficientSet AeroCoefficients(const AeroDatabase& db, double mach, double alphaRad) {
  return Lookup(db, mach, alphaRad, [&](int k, int row, int j) {
    return RowLinear(db, db.coefficient[k], row, j, alphaRad);
  });
}

AeroCoefficientSet AeroCoefficientsSpline(const AeroDatabase& db, double mach, double alphaRad) {
  return Lookup(db, mach, alphaRad,
                [&](int k, int row, int j) { return RowSpline(db, k, row, j, alphaRad); });
}

std::filesystem::path AeroFilePath(const std::filesystem::path& baseFolder,
                                   const std::string& name) {
  std::filesystem::path path = AeroFolder(baseFolder);
  path += std::filesystem::path::preferred_separator;
  path += name.empty() ? std::string(kDefaultAeroFile) : name;
  return path;
}

Result<> ReadAeroFile(const std::filesystem::path& path, const std::string& name,
                      AeroDatabase& db) {
  auto in = TextScanner::Open(path);
  if (!in) {
    return Fail(ErrorCode::kCannotOpen, std::string(kMsgAeroFileNotOpenedBefore) + name +
                                            std::string(kMsgAeroFileNotOpenedAfter));
  }
  const auto earlyEnd = [&] { return FileError(path, kMsgFileEndsEarly, in->Line()); };
  // The file as the capacity messages name it: the default file by its own name too.
  const std::string shown = name.empty() ? path.filename().string() : name;
  for (int i = 0; i < kAeroHeaderLines; ++i) in->SkipLine();

  // Lines 18 to 21: Mach count, angle count, symmetry code, reserved integer; each line's rest
  // is free.
  long machCount = 0, angleCount = 0, symmetry = 0, reserved = 0;
  if (!in->ReadLong(machCount)) return earlyEnd();
  if (machCount > kMaxMachValues) {
    return Fail(ErrorCode::kOverCapacity, std::string(kMsgTooManyMachPoints) + shown);
  }
  if (machCount < 1) return FileError(path, "holds no Mach numbers", in->Line());
  in->SkipLine();
  if (!in->ReadLong(angleCount)) return earlyEnd();
  if (angleCount > kMaxAngles) {
    return Fail(ErrorCode::kOverCapacity, std::string(kMsgTooManyAnglePoints) + shown);
  }
  if (angleCount < 1) return FileError(path, "holds no angles", in->Line());
  in->SkipLine();
  if (!in->ReadLong(symmetry)) return earlyEnd();
  if (symmetry > 1) return Fail(ErrorCode::kUnsupported, std::string(kMsgNonAxisymmetric));
  in->SkipLine();
  if (!in->ReadLong(reserved)) return earlyEnd();
  in->SkipLine();
  in->SkipLine();  // line 22

  // Read into a fresh database; the caller's stays untouched until the whole file is good.
  auto fresh = std::make_unique<AeroDatabase>();
  fresh->machCount = static_cast<std::int32_t>(machCount);
  fresh->angleCount = static_cast<std::int32_t>(angleCount);
  fresh->symmetryCode = ToInt32(symmetry);
  fresh->reserved = ToInt32(reserved);
  fresh->axisymmetric = 1;
  if (Result<> rows = ReadRows(*in, path, *fresh); !rows) return rows;
  BuildSplines(*fresh);
  db = *fresh;
  return {};
}

int LoadAeroDatabase(AeroDatabase& db, const std::string& name,
                     const std::filesystem::path& baseFolder, Prompter& prompter) {
  const Result<> read = ReadAeroFile(AeroFilePath(baseFolder, name), name, db);
  if (!read) {
    ShowError(prompter, read.error());
    return 0;
  }
  return 1;
}

}  // namespace plumora
