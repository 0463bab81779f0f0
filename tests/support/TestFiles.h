// Temporary folders and small data files written by the tests themselves.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace plumora::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Makes `folder` the working folder while it lives; the one before comes back however the test
// ends.
class WorkingFolder {
 public:
  explicit WorkingFolder(const std::filesystem::path& folder);
  ~WorkingFolder();
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

 private:
  std::filesystem::path previous_;
};

// A FIFO made at path and read on a thread of its own until Received() is called: its reading
// end, and a writing end of its own, are open before anything else writes, so that neither the
// writer tested nor the reader waits for the other or sees an early end.
class FifoReader {
 public:
  explicit FifoReader(const std::filesystem::path& path);
  ~FifoReader();
  FifoReader(const FifoReader&) = delete;
  FifoReader& operator=(const FifoReader&) = delete;
  bool ok() const { return reading_ >= 0 && keeper_ >= 0; }
  // Everything written, once the writer tested is done.
  std::string Received();

 private:
  int reading_ = -1;
  int keeper_ = -1;
  std::string received_;
  std::thread reader_;
};

void WriteFile(const std::filesystem::path& path, std::string_view content);
std::string ReadFile(const std::filesystem::path& path);

// The folder holding the bundled run-time data (atm/, adf/, ...).
std::filesystem::path DataFolder();

// Text of an atmosphere file in the .atm layout.
struct AtmRow {
  double height;        // m
  double density;       // kg/m³
  double temperature;   // K
  double windWE = 0.0;  // m/s
  double windSN = 0.0;  // m/s
};
struct AtmText {
  std::string keyword = "EARTH";
  std::string description = "test atmosphere";
  std::vector<AtmRow> rows;
  double radius = 6378137.0;
  double g0 = 9.80665;
  double c1 = 287.053;
  double c2 = 1.4;
  double omega = 7.292115e-5;
  std::string lineEnd = "\n";
  // Declared point count, when it should differ from the rows given.
  std::optional<long> declaredCount;

  std::string Text() const;
};
// A table of n rows, heights 0, 100, 200, ... with an exponential density.
AtmText SimpleAtmosphere(int n, std::string keyword = "EARTH");

// Text of an aerodynamic file in the .adf layout. Coefficients are given per Mach row and angle.
struct AdfCoefficients {
  double cx;
  double cz;
  double cm;
};
struct AdfText {
  std::string comment = "test aerodynamic file";
  std::vector<double> mach;
  std::vector<double> angles;  // degrees, as written (the sign is dropped on reading)
  std::vector<std::vector<AdfCoefficients>> rows;  // [Mach row][angle]
  long symmetry = 0;
  long reserved = 7;
  std::string lineEnd = "\n";
  // Declared counts, when they should differ from the rows given.
  std::optional<long> declaredMachCount;
  std::optional<long> declaredAngleCount;

  std::string Text() const;
};
// m Mach rows (0.5, 1.0, 1.5, ...) by a angles (0, 5, 10, ... degrees) with coefficients that
// differ at every point: Cx = 1 + Mach + angle/100, Cz = -angle/50 · Mach, Cm = i - j/10.
AdfText SimpleAero(int machCount, int angleCount);

}  // namespace plumora::test
