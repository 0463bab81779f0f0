#include "core/app/MissionArchive.h"

#include <bit>
#include <cstdint>
#include <utility>

#include "core/common/Messages.h"
#include "core/mission/MissionBytes.h"
#include "core/mission/MissionLayout.h"

namespace plumora {

namespace {

// Reads in the order of the writer. The first failure sticks: every later read leaves its
// target untouched, so a damaged file costs no more than one pass over what is there.
class ArchiveReader {
 public:
  explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}

  void Int(std::string_view, std::int32_t& v) {
    std::uint64_t raw = 0;
    if (Get(raw, 4)) v = static_cast<std::int32_t>(static_cast<std::uint32_t>(raw));
  }
  void Flag(std::string_view key, std::int32_t& v) { Int(key, v); }
  void Real(std::string_view, double& v) {
    std::uint64_t raw = 0;
    if (Get(raw, 8)) v = std::bit_cast<double>(raw);
  }
  void Text(std::string_view, std::string& s) {
    const std::size_t start = offset_;
    std::uint64_t n = 0;
    if (!Get(n, 1)) return;
    if (n == kLongerLength) {
      if (!Get(n, 2)) return;
      if (n == kWideMarker) return Fail(kMsgMissionStringForm, start);
      if (n == kLongestLength && !Get(n, 4)) return;
    }
    // The length is checked against what is left before anything is allocated for it.
    if (n > bytes_.size() - offset_) return Fail(kMsgMissionEndsEarly, start);
    s.assign(bytes_.substr(offset_, n));
    offset_ += n;
  }
  void Vector(std::string_view key, Vec3& v) {
    Real(key, v.x);
    Real(key, v.y);
    Real(key, v.z);
  }
  template <std::size_t N>
  void Reals(std::string_view key, std::array<double, N>& values) {
    for (double& v : values) Real(key, v);
  }
  void LegPoints(std::string_view key, CPayload& p) {
    if (failed()) return;
    // The count was read just before the leg length (two fields back).
    if (p.legCount < 0 || p.legCount > kMaxLegs) return Fail(kMsgMissionLegCount, offset_ - 12);
    for (std::int32_t i = 0; i < p.legCount; ++i) Vector(key, p.legPoints[i]);
  }
  void Unstored(std::string_view) {}
  template <typename Visit>
  void Group(std::string_view, Visit visit) {
    visit();
  }
  template <typename Ptr, typename Visit>
  void Records(std::string_view key, std::vector<Ptr>& list, Visit visit) {
    const std::size_t start = offset_;
    std::int32_t count = 0;
    Int(key, count);
    if (failed()) return;
    if (count < 0) return Fail(kMsgMissionNegativeCount, start);
    // Records are made one by one as the bytes arrive: a count that claims more than the file
    // holds ends at its end instead of reserving room for it.
    for (std::int32_t i = 0; i < count && !failed(); ++i) {
      Ptr item = std::make_unique<typename Ptr::element_type>();
      visit(*item);
      list.push_back(std::move(item));
    }
  }

  bool failed() const { return !problem_.empty(); }
  void Fail(std::string_view what, std::size_t at) {
    if (!failed()) problem_ = std::string(what) + " (byte " + std::to_string(at) + ")";
  }
  const std::string& problem() const { return problem_; }

 private:
  bool Get(std::uint64_t& value, int size) {
    if (failed()) return false;
    if (bytes_.size() - offset_ < static_cast<std::size_t>(size)) {
      Fail(kMsgMissionEndsEarly, offset_);
      return false;
    }
    value = 0;
    for (int i = 0; i < size; ++i) {
      value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes_[offset_ + i]))
               << (8 * i);
    }
    offset_ += static_cast<std::size_t>(size);
    return true;
  }

  std::string_view bytes_;
  std::size_t offset_ = 0;
  std::string problem_;
};

}  // namespace

Result<std::string> WriteMissionArchive(const Mission& mission) {
  if (const CPayload* p = FindUnstorablePayload(mission)) {
    return Fail(ErrorCode::kInvalid,
                std::string(kMsgUnstorableLegCount) + std::to_string(p->number));
  }
  ArchiveWriter out;
  out.Int("version", kMissionFileVersion);
  VisitMission(out, mission);
  return std::move(out.bytes);
}

Result<Mission> ReadMissionArchive(std::string_view bytes) {
  ArchiveReader in(bytes);
  std::int32_t version = 0;
  in.Int("version", version);
  if (!in.failed() && version != kMissionFileVersion) {
    return Fail(ErrorCode::kUnsupported, "is of format version " + std::to_string(version) +
                                             ", not " + std::to_string(kMissionFileVersion));
  }
  Mission mission;
  if (!in.failed()) VisitMission(in, mission);
  if (in.failed()) return Fail(ErrorCode::kMalformed, in.problem());
  return mission;
}

}  // namespace plumora
