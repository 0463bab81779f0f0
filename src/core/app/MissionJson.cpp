#include "core/app/MissionJson.h"

#include <algorithm>
#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <limits>
#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "core/common/CodePage.h"
#include "core/common/Messages.h"
#include "core/mission/MissionLayout.h"

namespace plumora {

namespace {

using Json = nlohmann::ordered_json;

// JSON has no NaN or infinities; they travel as strings. NaNs other than the two usual quiet
// ones keep their exact bits in the string, so any stored double comes back unchanged.
constexpr std::string_view kInfinity = "Infinity";
constexpr std::string_view kNegativeInfinity = "-Infinity";
constexpr std::string_view kNaN = "NaN";
constexpr std::string_view kNegativeNaN = "-NaN";
constexpr std::uint64_t kQuietNaNBits = 0x7FF8000000000000;
constexpr std::uint64_t kNegativeQuietNaNBits = 0xFFF8000000000000;
constexpr const char* kNaNBitsFormat = "NaN(0x%016" PRIx64 ")";

// The keys of the top level that are not part of the mission layout.
constexpr const char* kFormatKey = "format";
constexpr const char* kFormatVersionKey = "format_version";

Json RealToJson(double v) {
  if (std::isfinite(v)) return v;
  if (std::isinf(v)) return v > 0 ? kInfinity : kNegativeInfinity;
  const auto bits = std::bit_cast<std::uint64_t>(v);
  if (bits == kQuietNaNBits) return kNaN;
  if (bits == kNegativeQuietNaNBits) return kNegativeNaN;
  char text[32];
  std::snprintf(text, sizeof text, kNaNBitsFormat, bits);
  return text;
}

// The inverse of RealToJson for the strings; false for any other string.
bool SpecialReal(const std::string& s, double& v) {
  if (s == kInfinity) return v = std::numeric_limits<double>::infinity(), true;
  if (s == kNegativeInfinity) return v = -std::numeric_limits<double>::infinity(), true;
  if (s == kNaN) return v = std::bit_cast<double>(kQuietNaNBits), true;
  if (s == kNegativeNaN) return v = std::bit_cast<double>(kNegativeQuietNaNBits), true;
  std::uint64_t bits = 0;
  char check[32];
  if (std::sscanf(s.c_str(), "NaN(0x%16" SCNx64 ")", &bits) != 1) return false;
  // Only the exact form written above: 16 lower-case digits and the closing parenthesis.
  std::snprintf(check, sizeof check, kNaNBitsFormat, bits);
  v = std::bit_cast<double>(bits);
  return s == check && std::isnan(v);
}

class JsonWriter {
 public:
  explicit JsonWriter(Json& root) : object_(&root) {}

  void Int(std::string_view key, std::int32_t v) { Set(key, v); }
  void Flag(std::string_view key, std::int32_t v) { Set(key, v); }
  void Real(std::string_view key, double v) { Set(key, RealToJson(v)); }
  void Text(std::string_view key, const std::string& s) { Set(key, Windows1252ToUtf8(s)); }
  void Vector(std::string_view key, const Vec3& v) { Set(key, VectorToJson(v)); }
  template <std::size_t N>
  void Reals(std::string_view key, const std::array<double, N>& values) {
    Json list = Json::array();
    for (double v : values) list.push_back(RealToJson(v));
    Set(key, std::move(list));
  }
  // The count was checked before writing began (FindUnstorablePayload).
  void LegPoints(std::string_view key, const CPayload& p) {
    Json list = Json::array();
    for (std::int32_t i = 0; i < p.legCount && i < kMaxLegs; ++i) {
      list.push_back(VectorToJson(p.legPoints[i]));
    }
    Set(key, std::move(list));
  }
  void Unstored(std::string_view) {}
  template <typename Visit>
  void Group(std::string_view key, Visit visit) {
    Set(key, Nested(visit));
  }
  template <typename Ptr, typename Visit>
  void Records(std::string_view key, const std::vector<Ptr>& list, Visit visit) {
    Json records = Json::array();
    for (const Ptr& item : list) records.push_back(Nested([&] { visit(std::as_const(*item)); }));
    Set(key, std::move(records));
  }

 private:
  static Json VectorToJson(const Vec3& v) {
    return Json::array({RealToJson(v.x), RealToJson(v.y), RealToJson(v.z)});
  }
  void Set(std::string_view key, Json value) { (*object_)[std::string(key)] = std::move(value); }
  // An object filled by visit.
  template <typename Visit>
  Json Nested(Visit visit) {
    Json child = Json::object();
    Json* outer = std::exchange(object_, &child);
    visit();
    object_ = outer;
    return child;
  }

  Json* object_;
};

// A refusal: where in the text (a JSON pointer) and what is wrong there.
struct JsonProblem {
  std::string where;
  std::string what;
};

std::string PointerToken(std::string_view key) {
  std::string token;
  for (char c : key) token += c == '~' ? "~0" : c == '/' ? "~1" : std::string(1, c);
  return token;
}

// Reads the layout from a parsed document. Every key it visits is looked up in the current
// object and checked for its type and range; keys the layout does not know are refused, so a
// misspelt key is reported instead of silently keeping a default.
class JsonReader {
 public:
  explicit JsonReader(const Json& root) { Enter(root, ""); }

  void Int(std::string_view key, std::int32_t& v) {
    if (const Json* j = Take(key)) v = ToInt(*j, Where(key));
  }
  void Flag(std::string_view key, std::int32_t& v) {
    const Json* j = Take(key);
    if (j && j->is_boolean()) v = j->get<bool>() ? 1 : 0;
    if (j && !j->is_boolean()) v = ToInt(*j, Where(key));
  }
  void Real(std::string_view key, double& v) {
    if (const Json* j = Take(key)) v = ToReal(*j, Where(key));
  }
  void Text(std::string_view key, std::string& s) {
    const Json* j = Take(key);
    if (!j) return;
    if (!j->is_string()) throw JsonProblem{Where(key), "must be text"};
    char32_t bad = 0;
    if (!Utf8ToWindows1252(j->get_ref<const std::string&>(), s, bad)) {
      char what[96];
      std::snprintf(what, sizeof what, "holds U+%04X, which a mission file cannot store",
                    static_cast<unsigned>(bad));
      throw JsonProblem{Where(key), what};
    }
  }
  void Vector(std::string_view key, Vec3& v) {
    if (const Json* j = Take(key)) v = ToVector(*j, Where(key));
  }
  template <std::size_t N>
  void Reals(std::string_view key, std::array<double, N>& values) {
    const Json* j = Take(key);
    if (!j) return;
    RequireArray(*j, N, Where(key));
    for (std::size_t i = 0; i < N; ++i) values[i] = ToReal((*j)[i], Where(key, i));
  }
  // Bridle legs without "leg_points" get the evenly spaced points of the payload's geometry
  // once the whole payload is read.
  void LegPoints(std::string_view key, CPayload& p) {
    if (p.legCount < 0 || p.legCount > kMaxLegs) {
      throw JsonProblem{Where("leg_count"), "must be from 0 to 50 for bridle legs"};
    }
    const Json* j = Take(key);
    if (!j) return derivedLegs_.push_back(&p);
    RequireArray(*j, static_cast<std::size_t>(p.legCount), Where(key));
    for (std::int32_t i = 0; i < p.legCount; ++i) {
      p.legPoints[i] = ToVector((*j)[static_cast<std::size_t>(i)], Where(key, i));
    }
  }
  // Accepted and dropped, so that a script may switch a payload to a single strope without
  // deleting its leg points.
  void Unstored(std::string_view key) { Take(key); }
  template <typename Visit>
  void Group(std::string_view key, Visit visit) {
    if (const Json* j = Take(key)) Within(*j, Where(key), visit);
  }
  template <typename Ptr, typename Visit>
  void Records(std::string_view key, std::vector<Ptr>& list, Visit visit) {
    const Json* j = Take(key);
    if (!j) return;
    if (!j->is_array()) throw JsonProblem{Where(key), "must be a list"};
    for (std::size_t i = 0; i < j->size(); ++i) {
      Ptr item = std::make_unique<typename Ptr::element_type>();
      Within((*j)[i], Where(key, i), [&] { visit(*item); });
      list.push_back(std::move(item));
    }
  }

  // A top-level key outside the layout, taken so that it does not count as unknown.
  const Json* TakeTopLevel(std::string_view key) { return Take(key); }
  // Refuses the keys of the current object that nobody took.
  void CheckNoUnknownKeys() const {
    for (const auto& [key, value] : object_->items()) {
      if (std::find(taken_.begin(), taken_.end(), key) == taken_.end()) {
        throw JsonProblem{Where(key), "is not a key of a mission file"};
      }
    }
  }
  void DeriveMissingLegPoints() {
    for (CPayload* p : derivedLegs_) p->DeriveLegPoints();
  }

 private:
  void Enter(const Json& object, std::string where) {
    if (!object.is_object()) throw JsonProblem{where, "must be an object"};
    object_ = &object;
    where_ = std::move(where);
    taken_.clear();
  }
  template <typename Visit>
  void Within(const Json& object, std::string where, Visit visit) {
    const Json* outerObject = object_;
    std::string outerWhere = where_;
    std::vector<std::string> outerTaken = std::move(taken_);
    Enter(object, std::move(where));
    visit();
    CheckNoUnknownKeys();
    object_ = outerObject;
    where_ = std::move(outerWhere);
    taken_ = std::move(outerTaken);
  }
  const Json* Take(std::string_view key) {
    const auto it = object_->find(std::string(key));
    if (it == object_->end()) return nullptr;
    taken_.emplace_back(key);
    return &*it;
  }
  std::string Where(std::string_view key) const { return where_ + "/" + PointerToken(key); }
  std::string Where(std::string_view key, std::size_t index) const {
    return Where(key) + "/" + std::to_string(index);
  }

  static std::int32_t ToInt(const Json& j, const std::string& where) {
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    // Integers written as 3.0 by a script are integers all the same.
    const double v = j.is_number() ? j.get<double>() : std::nan("");
    const bool exact = j.is_number_float() ? v == std::trunc(v)
                       : j.is_number_unsigned()
                           ? j.get<std::uint64_t>() <= static_cast<std::uint64_t>(kHigh)
                           : j.is_number_integer();
    if (!exact || !(v >= kLow && v <= kHigh)) {
      throw JsonProblem{where, "must be an integer from -2147483648 to 2147483647"};
    }
    return static_cast<std::int32_t>(v);
  }
  static double ToReal(const Json& j, const std::string& where) {
    double v = 0.0;
    if (j.is_number()) return j.get<double>();
    if (j.is_string() && SpecialReal(j.get_ref<const std::string&>(), v)) return v;
    throw JsonProblem{where, R"(must be a number, "NaN", "Infinity" or "-Infinity")"};
  }
  static void RequireArray(const Json& j, std::size_t size, const std::string& where) {
    if (!j.is_array() || j.size() != size) {
      throw JsonProblem{where, "must be a list of " + std::to_string(size) + " values"};
    }
  }
  static Vec3 ToVector(const Json& j, const std::string& where) {
    RequireArray(j, 3, where);
    return {ToReal(j[0], where + "/0"), ToReal(j[1], where + "/1"), ToReal(j[2], where + "/2")};
  }

  const Json* object_ = nullptr;
  std::string where_;
  std::vector<std::string> taken_;
  std::vector<CPayload*> derivedLegs_;
};

// Records without a "number" are numbered as the program numbers new ones: each gets one more
// than the highest number before it (0 first). Returns one more than the highest number.
template <typename Record>
std::int32_t NumberRecords(std::vector<std::shared_ptr<Record>>& list, const Json& root,
                           const char* key) {
  std::int64_t next = 0;
  const auto it = root.find(key);
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (!(*it)[i].contains("number")) list[i]->number = static_cast<std::int32_t>(next);
    next = std::max<std::int64_t>(next, std::int64_t{list[i]->number} + 1);
    next = std::min<std::int64_t>(next, std::numeric_limits<std::int32_t>::max());
  }
  return static_cast<std::int32_t>(next);
}

void CheckFormat(JsonReader& in) {
  if (const Json* format = in.TakeTopLevel(kFormatKey)) {
    if (*format != kMissionJsonFormat) {
      throw JsonProblem{std::string("/") + kFormatKey,
                        "must be \"" + std::string(kMissionJsonFormat) + "\""};
    }
  }
  if (const Json* version = in.TakeTopLevel(kFormatVersionKey)) {
    if (*version != kMissionJsonVersion) {
      throw JsonProblem{std::string("/") + kFormatVersionKey,
                        "must be " + std::to_string(kMissionJsonVersion)};
    }
  }
}

std::string SyntaxProblem(std::string_view text, std::size_t byte) {
  // nlohmann counts the byte at which parsing failed from 1.
  const std::size_t end = std::min(text.size(), byte > 0 ? byte - 1 : 0);
  const auto line =
      1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\n');
  const std::size_t lineStart = end == 0 ? std::string_view::npos : text.rfind('\n', end - 1);
  const std::size_t column = lineStart == std::string_view::npos ? end + 1 : end - lineStart;
  return std::string(kMsgMissionNotJson) + " (line " + std::to_string(line) + ", column " +
         std::to_string(column) + ")";
}

}  // namespace

Result<std::string> WriteMissionJson(const Mission& mission) {
  if (const CPayload* p = FindUnstorablePayload(mission)) {
    return Fail(ErrorCode::kInvalid,
                std::string(kMsgUnstorableLegCount) + std::to_string(p->number));
  }
  Json root = Json::object();
  root[kFormatKey] = kMissionJsonFormat;
  root[kFormatVersionKey] = kMissionJsonVersion;
  JsonWriter out(root);
  VisitMission(out, mission);
  return root.dump(2) + "\n";
}

Result<Mission> ReadMissionJson(std::string_view text) {
  Json root;
  try {
    root = Json::parse(text.begin(), text.end());
  } catch (const Json::parse_error& e) {
    return Fail(ErrorCode::kMalformed, SyntaxProblem(text, e.byte));
  } catch (const Json::out_of_range&) {
    // The parser reports a number beyond the range of a double this way, without a position.
    return Fail(ErrorCode::kMalformed,
                std::string(kMsgMissionNotJson) + " (a number is too large for a double)");
  }
  Mission mission;
  try {
    JsonReader in(root);
    CheckFormat(in);
    VisitMission(in, mission);
    in.CheckNoUnknownKeys();
    in.DeriveMissingLegPoints();
  } catch (const JsonProblem& p) {
    return Fail(ErrorCode::kMalformed,
                std::string(kMsgMissionJsonInvalid) + " (" +
                    (p.where.empty() ? std::string("the top level") : p.where) + " " + p.what +
                    ")");
  }
  const std::int32_t nextPayload = NumberRecords(mission.payloads, root, "payloads");
  const std::int32_t nextParachute = NumberRecords(mission.parachutes, root, "parachutes");
  if (!root.contains("next_payload_number")) mission.nextPayloadNumber = nextPayload;
  if (!root.contains("next_parachute_number")) mission.nextParachuteNumber = nextParachute;
  return mission;
}

}  // namespace plumora
