#include "support/TestFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace plumora::test {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "plumora-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  // Folders made read-only by a test must become writable again before they can be removed.
  for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  }
  std::filesystem::remove_all(path_, ec);
}

WorkingFolder::WorkingFolder(const std::filesystem::path& folder)
    : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

WorkingFolder::~WorkingFolder() {
  std::filesystem::current_path(previous_);
}

FifoReader::FifoReader(const std::filesystem::path& path) {
  if (::mkfifo(path.c_str(), 0600) != 0) return;
  reading_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (reading_ < 0) return;
  ::fcntl(reading_, F_SETFL, 0);
  keeper_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  reader_ = std::thread([this] {
    char buffer[4096];
    for (ssize_t n; (n = ::read(reading_, buffer, sizeof buffer)) > 0;) {
      received_.append(buffer, static_cast<std::size_t>(n));
    }
  });
}

FifoReader::~FifoReader() {
  (void)Received();
}

std::string FifoReader::Received() {
  if (keeper_ >= 0) ::close(keeper_);
  keeper_ = -1;
  if (reader_.joinable()) reader_.join();
  if (reading_ >= 0) ::close(reading_);
  reading_ = -1;
  return received_;
}

void WriteFile(const std::filesystem::path& path, std::string_view content) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::filesystem::path DataFolder() {
  return std::filesystem::path(PLUMORA_SOURCE_DIR) / "data";
}

std::string AtmText::Text() const {
  const std::string& e = lineEnd;
  char buffer[256];
  std::string t = "test atmosphere file" + e + keyword + " written by a test" + e + "free text" + e;
  const long count = declaredCount.value_or(static_cast<long>(rows.size()));
  t += "POINTS " + std::to_string(count) + e + "Description:" + e + description + e;
  t += "headings" + e + "more headings" + e + "---" + e;
  int label = 1;
  for (const AtmRow& r : rows) {
    std::snprintf(buffer, sizeof buffer, "%d %.9g %.9g %.9g %.9g %.9g", label++, r.height,
                  r.density, r.temperature, r.windWE, r.windSN);
    t += buffer + e;
  }
  std::snprintf(buffer, sizeof buffer,
                "PLANET CONSTANTS%sRADIUS %.9g%sGRAVITY %.9g%sR %.9g%sGAMMA %.9g%sOMEGA %.9g%s",
                e.c_str(), radius, e.c_str(), g0, e.c_str(), c1, e.c_str(), c2, e.c_str(), omega,
                e.c_str());
  return t + buffer;
}

AtmText SimpleAtmosphere(int n, std::string keyword) {
  AtmText atm;
  atm.keyword = std::move(keyword);
  for (int i = 0; i < n; ++i) {
    const double h = 100.0 * i;
    // Isothermal above 11 km, as the standard atmosphere's stratosphere.
    const double temperature = std::max(288.0 - 0.0065 * h, 216.5);
    atm.rows.push_back({h, 1.225 * std::exp(-h / 8000.0), temperature, 0.0, 0.0});
  }
  return atm;
}

std::string AdfText::Text() const {
  const std::string& e = lineEnd;
  char buffer[160];
  std::string t = comment + e;
  for (int line = 2; line <= 17; ++line) t += "free text line " + std::to_string(line) + e;
  t += std::to_string(declaredMachCount.value_or(static_cast<long>(mach.size()))) +
       " Mach numbers" + e;
  t +=
      std::to_string(declaredAngleCount.value_or(static_cast<long>(angles.size()))) + " angles" + e;
  t += std::to_string(symmetry) + " symmetry" + e;
  t += std::to_string(reserved) + " reserved" + e;
  t += "alpha cx cz cm" + e;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::snprintf(buffer, sizeof buffer, "%.9g MACH", mach[i]);
    t += buffer + e;
    for (std::size_t j = 0; j < rows[i].size(); ++j) {
      const AdfCoefficients& c = rows[i][j];
      std::snprintf(buffer, sizeof buffer, "%.9g %.9g %.9g %.9g", angles[j], c.cx, c.cz, c.cm);
      t += buffer + e;
    }
  }
  return t;
}

AdfText SimpleAero(int machCount, int angleCount) {
  AdfText adf;
  for (int j = 0; j < angleCount; ++j) adf.angles.push_back(5.0 * j);
  for (int i = 0; i < machCount; ++i) {
    const double mach = 0.5 * (i + 1);
    adf.mach.push_back(mach);
    std::vector<AdfCoefficients> row;
    for (int j = 0; j < angleCount; ++j) {
      const double angle = adf.angles[static_cast<std::size_t>(j)];
      row.push_back({1.0 + mach + angle / 100.0, -angle / 50.0 * mach, i - j / 10.0});
    }
    adf.rows.push_back(row);
  }
  return adf;
}

}  // namespace plumora::test
