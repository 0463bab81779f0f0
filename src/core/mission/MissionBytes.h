// The stored fields of a mission as the binary mission file (".psd") holds them: little-endian
// int32 and IEEE doubles, strings as a length prefix and single-byte characters, in the order of
// MissionLayout.h. The file writer writes these bytes after the format version; two missions are
// equal when their bytes are.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/mission/MissionLayout.h"

namespace plumora {

// String length prefixes: one byte below 255; else 0xFF and a 16-bit length below 0xFFFE; else
// 0xFF, the 16-bit value 0xFFFF and a 32-bit length.
inline constexpr std::uint8_t kLongerLength = 0xFF;
inline constexpr std::uint16_t kWideMarker =
    0xFFFE;  // never written; older writers marked wide strings
inline constexpr std::uint16_t kLongestLength = 0xFFFF;

class ArchiveWriter {
 public:
  void Int(std::string_view, std::int32_t v) { Put(static_cast<std::uint32_t>(v), 4); }
  void Flag(std::string_view key, std::int32_t v) { Int(key, v); }
  void Real(std::string_view, double v) { Put(std::bit_cast<std::uint64_t>(v), 8); }
  void Text(std::string_view, const std::string& s) {
    const std::size_t n = s.size();
    if (n < kLongerLength) {
      Put(n, 1);
    } else if (n < kWideMarker) {
      Put(kLongerLength, 1);
      Put(n, 2);
    } else {
      Put(kLongerLength, 1);
      Put(kLongestLength, 2);
      Put(n, 4);
    }
    bytes += s;
  }
  void Vector(std::string_view key, const Vec3& v) {
    Real(key, v.x);
    Real(key, v.y);
    Real(key, v.z);
  }
  template <std::size_t N>
  void Reals(std::string_view key, const std::array<double, N>& values) {
    for (double v : values) Real(key, v);
  }
  // The points the file stores; never past the table (the file writer refuses a payload whose
  // count lies beyond it before writing, see FindUnstorablePayload).
  void LegPoints(std::string_view key, const CPayload& p) {
    for (std::int32_t i = 0; i < p.legCount && i < kMaxLegs; ++i) Vector(key, p.legPoints[i]);
  }
  void Unstored(std::string_view) {}
  template <typename Visit>
  void Group(std::string_view, Visit visit) {
    visit();
  }
  template <typename Ptr, typename Visit>
  void Records(std::string_view key, const std::vector<Ptr>& list, Visit visit) {
    Int(key, static_cast<std::int32_t>(list.size()));
    for (const Ptr& item : list) visit(std::as_const(*item));
  }

  std::string bytes;

 private:
  // The low `size` bytes of value, least significant first.
  void Put(std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
};

// Every stored field of the mission, as the file holds it after the format version.
std::string StoredBytes(const Mission& mission);

}  // namespace plumora
