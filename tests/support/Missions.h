// Missions and mission-file bytes written by the tests themselves, independently of the
// program's writers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/app/PlumoraDoc.h"

namespace plumora::test {

// Builds mission-file bytes item by item: little-endian int32 and doubles, and strings with
// the one-, three- and seven-byte length prefixes.
class Bytes {
 public:
  Bytes& I32(std::int32_t v);
  Bytes& F64(double v);
  Bytes& Str(std::string_view s);
  Bytes& Raw(std::string_view s);
  const std::string& str() const { return bytes_; }

 private:
  void Put(std::uint64_t v, int size);
  std::string bytes_;
};

// The bytes of a new document's mission file.
std::string NewMissionBytes();

// The mission-file bytes as the program writes them (a failure to write fails the test).
std::string ArchiveBytes(const Mission& mission);

// Counts what a document told its observers.
struct CountingObserver : DocumentObserver {
  int results = 0, views = 0, plan = 0, zoom = 0;
  void ResultsChanged(const CPlumoraDoc&) override { ++results; }
  void ViewsNeedUpdate(const CPlumoraDoc&) override { ++views; }
  void MissionPlanChanged(const CPlumoraDoc&) override { ++plan; }
  void ChartZoomCleared(const CPlumoraDoc&) override { ++zoom; }
};

// A mission that sets every stored field to a value of its own: two payloads (single strope
// and 3 bridle legs whose points are not the derived ones), two parachutes, phases of types 0,
// 1, 2 and 3 (with modules for 0 and 3), texts using bytes 0x80 to 0xFF, and doubles that
// are hard to carry (-0.0, NaNs, infinities, the smallest subnormal, the largest double).
Mission EveryFieldFilled();

}  // namespace plumora::test
