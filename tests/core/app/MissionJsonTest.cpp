#include <gtest/gtest.h>

#include <bit>
#include <nlohmann/json.hpp>
#include <random>
#include <string>

#include "core/app/MissionArchive.h"
#include "core/app/MissionJson.h"
#include "support/Missions.h"

namespace plumora {
namespace {

using Json = nlohmann::ordered_json;
using test::ArchiveBytes;

std::string ToJson(const Mission& mission) {
  const Result<std::string> text = WriteMissionJson(mission);
  EXPECT_TRUE(text.ok()) << (text ? std::string() : text.message());
  return text ? text.value() : std::string();
}

// The mission a JSON text describes (a new one when it is refused, which fails the test).
Mission FromJson(const std::string& text) {
  Result<Mission> read = ReadMissionJson(text);
  EXPECT_TRUE(read.ok()) << (read ? std::string() : read.message());
  return read ? std::move(read).value() : Mission();
}

// The psd bytes of the mission a JSON text describes.
std::string PsdOfJson(const std::string& text) {
  return ArchiveBytes(FromJson(text));
}

// Why a JSON text is refused; empty when it is read.
std::string Refusal(const std::string& text) {
  const Result<Mission> read = ReadMissionJson(text);
  if (read) return {};
  EXPECT_EQ(read.code(), ErrorCode::kMalformed);
  return read.message();
}

TEST(MissionJson, EveryFieldGoesThroughJsonAndBackToTheSameBytes) {
  Mission mission = test::EveryFieldFilled();
  const std::string psd = ArchiveBytes(mission);
  const Result<Mission> fromPsd = ReadMissionArchive(psd);
  ASSERT_TRUE(fromPsd.ok());
  const std::string json = ToJson(fromPsd.value());
  EXPECT_EQ(PsdOfJson(json), psd);
  EXPECT_EQ(FromJson(json), mission);
  // And the text itself is stable.
  EXPECT_EQ(ToJson(FromJson(json)), json);
}

TEST(MissionJson, TheTextReadsAsTheMission) {
  Mission mission = test::EveryFieldFilled();
  const std::string text = ToJson(mission);
  ASSERT_EQ(text.back(), '\n');
  const Json j = Json::parse(text);
  EXPECT_EQ(j["format"], "plumora-mission");
  EXPECT_EQ(j["format_version"], 1);
  EXPECT_EQ(j["mission_name"], "Mission \xC3\xA9t\xC3\xA9");
  EXPECT_EQ(j["payloads"][0]["name"],
            "capsule \xE2\x82\xAC\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D\xC3\xBF");
  EXPECT_FALSE(j["payloads"][0].contains("leg_points"));  // single strope
  EXPECT_EQ(j["payloads"][1]["leg_points"].size(), 3u);
  EXPECT_EQ(j["payloads"][1]["leg_points"][1][2], "NaN(0x7ff0000000000002)");
  EXPECT_EQ(j["phases"][0]["ballistic_entry"]["payload_number"], 41);
  EXPECT_EQ(j["phases"][1].size(), 4u);  // a deployment phase owns no module
  EXPECT_EQ(j["phases"][3]["final_descent"]["mass_point_at_confluence"], 1);
  EXPECT_EQ(j["environment"]["atmosphere"], 3);
  EXPECT_EQ(j["initial_state"].size(), 23u);
  // Doubles JSON cannot hold as numbers, and extremes that must keep every digit.
  const Json& p = j["payloads"][0];
  EXPECT_EQ(p["iyy"].dump(), "-0.0");
  EXPECT_EQ(p["izz"].dump(), "5e-324");
  EXPECT_EQ(p["ixy"].dump(), "1.7976931348623157e+308");
  EXPECT_EQ(p["ixz"], "-Infinity");
  EXPECT_EQ(p["iyz"], "Infinity");
  EXPECT_EQ(p["reference_area"], "NaN");
  EXPECT_EQ(p["reference_length"], "-NaN");
  EXPECT_EQ(p["mass"].dump(), "0.30000000000000004");
}

TEST(MissionJson, AnyDoubleComesBackBitForBit) {
  std::mt19937_64 random(20240601);
  Mission mission;
  for (int round = 0; round < 200; ++round) {
    for (auto field : InitialState::kFieldOrder) {
      mission.initialState.*field = std::bit_cast<double>(random());
    }
    const std::string psd = ArchiveBytes(mission);
    ASSERT_EQ(PsdOfJson(ToJson(mission)), psd) << round;
    ASSERT_EQ(FromJson(ToJson(mission)), mission) << round;
  }
}

TEST(MissionJson, KeysLeftOutKeepTheDefaults) {
  EXPECT_EQ(PsdOfJson("{}"), test::NewMissionBytes());
  EXPECT_EQ(PsdOfJson(R"({"solver": {}, "initial_state": {}, "payloads": []})"),
            test::NewMissionBytes());

  const char* text = R"({
    "mission_name": "sweep 3",
    "payloads": [{"mass": 3000, "leg_points": [[1, 2, 3]]},
                 {"number": 7, "connection_kind": 1, "leg_count": 4},
                 {"type_index": 4.0}],
    "phases": [{"type": 3, "active": false, "final_descent": {"payload_number": 7}}, {}],
    "environment": {"wind": true}
  })";
  const Mission mission = FromJson(text);
  EXPECT_EQ(mission.missionName, "sweep 3");
  ASSERT_EQ(mission.payloads.size(), 3u);
  // Unnumbered records are numbered as the program numbers new ones.
  EXPECT_EQ(mission.payloads[0]->number, 0);
  EXPECT_EQ(mission.payloads[1]->number, 7);
  EXPECT_EQ(mission.payloads[2]->number, 8);
  EXPECT_EQ(mission.nextPayloadNumber, 9);
  EXPECT_EQ(mission.nextParachuteNumber, 0);
  EXPECT_EQ(mission.payloads[0]->mass, 3000.0);
  EXPECT_EQ(mission.payloads[0]->referenceArea, 6.16);
  EXPECT_EQ(mission.payloads[0]->legPoints[0], Vec3{});  // single strope: points not stored
  EXPECT_EQ(mission.payloads[2]->typeIndex, 4);
  // Bridle legs without points get the evenly spaced ones.
  EXPECT_NEAR(mission.payloads[1]->legPoints[1].z, 0.35, 1e-15);
  EXPECT_EQ(mission.payloads[1]->legPoints[3].x, -1.0);
  ASSERT_EQ(mission.phases.size(), 2u);
  EXPECT_EQ(mission.phases[0]->active, 0);
  EXPECT_EQ(mission.phases[0]->parachute()->payloadNumber, 7);
  EXPECT_EQ(mission.phases[0]->parachute()->stopTime, 100.0);
  EXPECT_NE(mission.phases[1]->ballistic(), nullptr);  // type 0 when left out
  EXPECT_EQ(mission.environment.wind, 1);
}

TEST(MissionJson, InvalidMissionsAreRefusedWithWhereAndWhy) {
  const std::pair<const char*, const char*> cases[] = {
      {"[]", "the top level must be an object"},
      {R"({"payloads": {}})", "/payloads must be a list"},
      {R"({"payloads": [3]})", "/payloads/0 must be an object"},
      {R"({"payloads": [{"mass": "heavy"}]})",
       R"(/payloads/0/mass must be a number, "NaN", "Infinity" or "-Infinity")"},
      {R"({"payloads": [{}, {"mas": 1}]})", "/payloads/1/mas is not a key of a mission file"},
      {R"({"a/b~": 1})", "/a~1b~0 is not a key of a mission file"},
      {R"({"next_payload_number": 2147483648})",
       "/next_payload_number must be an integer from -2147483648 to 2147483647"},
      {R"({"mission_type": 1.5})",
       "/mission_type must be an integer from -2147483648 to 2147483647"},
      {R"({"mission_type": null})",
       "/mission_type must be an integer from -2147483648 to 2147483647"},
      {R"({"mission_name": 5})", "/mission_name must be text"},
      {R"({"mission_name": "\u4e2d"})",
       "/mission_name holds U+4E2D, which a mission file cannot store"},
      {R"({"payloads": [{"connection_kind": 1, "leg_count": 51}]})",
       "/payloads/0/leg_count must be from 0 to 50 for bridle legs"},
      {R"({"payloads": [{"connection_kind": 1, "leg_points": [[1, 2, 3]]}]})",
       "/payloads/0/leg_points must be a list of 2 values"},
      {R"({"payloads": [{"strope_link": [1, 2]}]})",
       "/payloads/0/strope_link must be a list of 3 values"},
      {R"({"parachutes": [{"reserved_2_to_8": [1, 2, 3, 4, 5, 6, "x"]}]})",
       R"(/parachutes/0/reserved_2_to_8/6 must be a number, "NaN", "Infinity" or "-Infinity")"},
      {R"({"phases": [{"type": 1, "ballistic_entry": {}}]})",
       "/phases/0/ballistic_entry is not a key of a mission file"},
      {R"({"phases": [{"type": 3, "final_descent": {"stop_kind": "time"}}]})",
       "/phases/0/final_descent/stop_kind must be an integer from -2147483648 to 2147483647"},
      {R"({"solver": []})", "/solver must be an object"},
      {R"j({"initial_state": {"height": "NaN(0x0000000000000001)"}})j",
       R"(/initial_state/height must be a number, "NaN", "Infinity" or "-Infinity")"},
      {R"({"format": "other"})", R"(/format must be "plumora-mission")"},
      {R"({"format_version": 2})", "/format_version must be 1"},
  };
  for (const auto& [text, where] : cases) {
    EXPECT_EQ(Refusal(text), std::string("does not hold a valid mission (") + where + ")") << text;
  }
}

TEST(MissionJson, BrokenTextIsRefusedWithItsLine) {
  const std::pair<std::string, const char*> cases[] = {
      {"{\n  \"mission_name\": \"x\",\n  oops\n}", "is not valid JSON (line 3, column 3)"},
      {"", "is not valid JSON (line 1, column 1)"},
      {"{\"mission_name\": \"\xC3\"}", "is not valid JSON (line 1, column 20)"},
      {std::string(4, '\0'), "is not valid JSON (line 1, column 1)"},
      {R"({"mission_type": 1e400})", "is not valid JSON (a number is too large for a double)"},
  };
  for (const auto& [text, problem] : cases) EXPECT_EQ(Refusal(text), problem) << text;
  // Deep nesting is refused without exhausting the stack.
  const std::string deep = std::string(100000, '[') + std::string(100000, ']');
  EXPECT_EQ(Refusal(deep), "does not hold a valid mission (the top level must be an object)");
}

}  // namespace
}  // namespace plumora
