#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "core/dispersion/DispersionStudy.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

Variation Parsed(const std::string& text) {
  Result<Variation> v = ParseVariation(text);
  EXPECT_TRUE(v.ok()) << text;
  return v ? std::move(v).value() : Variation{};
}

DispersionStudy ThreeInputs() {
  DispersionStudy study;
  study.runs = std::numeric_limits<std::int64_t>::max();
  study.seed = std::numeric_limits<std::uint64_t>::max();
  study.threads = 3;
  study.variations = {Parsed("height=normal(0,500)"),
                      Parsed("payload.07.mass=scale-normal(1,0.02)"),
                      Parsed("density_factor=uniform(-0.1,0.30000000000000004)")};
  return study;
}

TEST(DispersionStudy, WritesEveryValueAndReadsItBackExactly) {
  const DispersionStudy study = ThreeInputs();
  const std::string json = DispersionStudyJson(study);
  EXPECT_EQ(json,
            "{\n"
            "  \"format\": \"plumora-dispersions-study\",\n"
            "  \"format_version\": 1,\n"
            "  \"runs\": 9223372036854775807,\n"
            "  \"seed\": 18446744073709551615,\n"
            "  \"threads\": 3,\n"
            "  \"vary\": [\n"
            "    {\n"
            "      \"field\": \"height\",\n"
            "      \"distribution\": \"normal\",\n"
            "      \"mean\": 0.0,\n"
            "      \"sigma\": 500.0\n"
            "    },\n"
            "    {\n"
            "      \"field\": \"payload.7.mass\",\n"
            "      \"distribution\": \"scale-normal\",\n"
            "      \"mean\": 1.0,\n"
            "      \"sigma\": 0.02\n"
            "    },\n"
            "    {\n"
            "      \"field\": \"density_factor\",\n"
            "      \"distribution\": \"uniform\",\n"
            "      \"low\": -0.1,\n"
            "      \"high\": 0.30000000000000004\n"
            "    }\n"
            "  ]\n"
            "}\n");
  const Result<DispersionStudy> read = ReadDispersionStudy(json);
  ASSERT_TRUE(read.ok()) << read.message();
  EXPECT_EQ(read->runs, study.runs);
  EXPECT_EQ(read->seed, study.seed);
  EXPECT_EQ(read->threads, 3);
  ASSERT_EQ(read->variations.size(), 3U);
  for (std::size_t i = 0; i < 3; ++i) {
    const Variation& a = read->variations[i];
    const Variation& b = study.variations[i];
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.input, b.input);
    EXPECT_EQ(a.number, b.number);
    EXPECT_EQ(a.distribution.kind, b.distribution.kind);
    EXPECT_EQ(a.distribution.first, b.distribution.first);
    EXPECT_EQ(a.distribution.second, b.distribution.second);
  }
  EXPECT_EQ(DispersionStudyJson(read.value()), json);

  // Only the runs are needed; whole numbers may carry a zero fraction.
  const Result<DispersionStudy> least = ReadDispersionStudy(R"({"runs": 5.0})");
  ASSERT_TRUE(least.ok()) << least.message();
  EXPECT_EQ(least->runs, 5);
  EXPECT_EQ(least->seed, 0U);
  EXPECT_EQ(least->threads, 0);
  EXPECT_TRUE(least->variations.empty());
}

TEST(DispersionStudy, RefusesWhatItCannotFlySayingWhereAndWhy) {
  const auto vary = [](const std::string& entries) {
    return R"({"runs": 5, "vary": [)" + entries + "]}";
  };
  const std::string height =
      R"({"field": "height", "distribution": "normal", "mean": 0, "sigma": 1})";
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"[]", "the top level must be an object"},
      {"{}", "/runs must be a whole number from 1 to 9223372036854775807"},
      {R"({"runs": 0})", "/runs must be a whole number from 1 to 9223372036854775807"},
      {R"({"runs": 2.5})", "/runs must be a whole number from 1 to 9223372036854775807"},
      {R"({"runs": "5"})", "/runs must be a whole number from 1 to 9223372036854775807"},
      {R"({"runs": 9223372036854775808})",
       "/runs must be a whole number from 1 to 9223372036854775807"},
      {R"({"runs": 5, "seed": -1})", "/seed must be a whole number from 0 to 18446744073709551615"},
      {R"({"runs": 5, "seed": 1e30})",
       "/seed must be a whole number from 0 to 18446744073709551615"},
      {R"({"runs": 5, "threads": 4097})",
       "/threads must be a whole number from 0 (one per core) to 4096"},
      {R"({"runs": 5, "run": 7})", "/run is not a key of a dispersion study"},
      {R"({"runs": 5, "format": "plumora-mission"})",
       "/format must be \"plumora-dispersions-study\""},
      {R"({"runs": 5, "format_version": 2})", "/format_version must be 1"},
      {R"({"runs": 5, "vary": {}})", "/vary must be a list"},
      {vary("3"), "/vary/0 must be an object"},
      {vary(R"({"distribution": "normal"})"), "/vary/0/field must be the name of a field"},
      {vary(R"({"field": "altitude"})"),
       "/vary/0/field names an unknown field \"altitude\" (known: height, speed, path_angle, "
       "heading, latitude, longitude, roll, pitch, yaw, payload.N.mass, parachute.N.mass, "
       "parachute.N.area, density_factor, wind_factor)"},
      {vary(R"({"field": "height", "distribution": "gauss", "mean": 0, "sigma": 1})"),
       "/vary/0/distribution must be \"normal\", \"uniform\" or \"scale-normal\""},
      {vary(R"({"field": "height", "distribution": "uniform", "mean": 0, "sigma": 1})"),
       "/vary/0/mean is not a key of a dispersion study"},
      {vary(R"({"field": "height", "distribution": "uniform", "low": 0})"),
       "/vary/0/high is missing"},
      {vary(R"({"field": "height", "distribution": "normal", "mean": null, "sigma": 1})"),
       "/vary/0/mean must be a number"},
      {vary(R"({"field": "height", "distribution": "normal", "mean": 0, "sigma": -1})"),
       "/vary/0/sigma must be a number of at least 0"},
      {vary(R"({"field": "height", "distribution": "uniform", "low": 2, "high": 1})"),
       "/vary/0/low must not lie above \"high\""},
      {vary(height + ", " + height), "/vary/1/field scatters height a second time"},
      {R"({"runs": 5,)", "not valid JSON (at byte 12)"},
      {R"({"runs": 1e400})", "not valid JSON (a number is too large for a double)"},
  };
  for (const auto& [text, message] : cases) {
    const Result<DispersionStudy> read = ReadDispersionStudy(text);
    ASSERT_FALSE(read.ok()) << text;
    EXPECT_EQ(read.code(), ErrorCode::kMalformed) << text;
    EXPECT_EQ(read.message(), message) << text;
  }
}

TEST(DispersionStudy, FilesBesideTheMissionNamedInEveryMessage) {
  EXPECT_EQ(DispersionStudyPath("dir/mars-entry.psd"), "dir/mars-entry.dispersions.json");
  EXPECT_EQ(DispersionStudyPath("mars.entry.json"), "mars.entry.dispersions.json");
  EXPECT_EQ(DispersionStudyPath("plain"), "plain.dispersions.json");

  const test::TempDir dir;
  const std::filesystem::path file = dir / "m.dispersions.json";
  ASSERT_TRUE(SaveDispersionStudy(file, ThreeInputs()).ok());
  EXPECT_EQ(test::ReadFile(file), DispersionStudyJson(ThreeInputs()));
  const Result<DispersionStudy> loaded = LoadDispersionStudy(file);
  ASSERT_TRUE(loaded.ok()) << loaded.message();
  EXPECT_EQ(loaded->variations.size(), 3U);

  const std::string name = file.string();
  test::WriteFile(file, R"({"runs": 5, "seed": -1})");
  EXPECT_EQ(LoadDispersionStudy(file).message(),
            "The file " + name +
                " is not a dispersion study (/seed must be a whole number from 0 to "
                "18446744073709551615)");
  test::WriteFile(file, std::string(kMaxStudyFileBytes + 1, ' '));
  EXPECT_EQ(LoadDispersionStudy(file).message(),
            "The file " + name + " is not a dispersion study (1048577 bytes: far too long)");
  EXPECT_EQ(LoadDispersionStudy(dir.path()).message(),
            "The file " + dir.path().string() + " is not a dispersion study (not a plain file)");
  const Result<DispersionStudy> absent = LoadDispersionStudy(dir / "absent.json");
  EXPECT_EQ(absent.code(), ErrorCode::kCannotOpen);
  EXPECT_EQ(absent.message().rfind(
                "The file " + (dir / "absent.json").string() + " could not be read (", 0),
            0U)
      << absent.message();

  // A study that cannot be written says so, and leaves nothing behind.
  const std::filesystem::path nowhere = dir / "missing" / "m.dispersions.json";
  const Result<> refused = SaveDispersionStudy(nowhere, ThreeInputs());
  EXPECT_EQ(refused.code(), ErrorCode::kCannotWrite);
  EXPECT_EQ(refused.message().rfind("The study could not be written to " + nowhere.string(), 0), 0U)
      << refused.message();
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

}  // namespace
}  // namespace plumora
