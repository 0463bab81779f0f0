#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/dispersion/RandomStream.h"
#include "core/dispersion/Variation.h"

namespace plumora {
namespace {

Variation Parsed(const std::string& text) {
  const Result<Variation> v = ParseVariation(text);
  EXPECT_TRUE(v.ok()) << text << ": " << (v ? std::string() : v.message());
  return v ? v.value() : Variation{};
}

TEST(Variation, ReadsEveryFieldAndDistribution) {
  const Variation height = Parsed("height=normal(0,500)");
  EXPECT_EQ(height.input, ScatteredInput::kHeight);
  EXPECT_EQ(height.name, "height");
  EXPECT_EQ(height.distribution.kind, DrawKind::kNormal);
  EXPECT_EQ(height.distribution.second, 500.0);

  // Record fields carry the number, written back without padding; spaces and a plus are fine.
  const Variation mass = Parsed("payload.007.mass = scale-normal( 1 , +2.5e-2 )");
  EXPECT_EQ(mass.input, ScatteredInput::kPayloadMass);
  EXPECT_EQ(mass.number, 7);
  EXPECT_EQ(mass.name, "payload.7.mass");
  EXPECT_EQ(mass.distribution.kind, DrawKind::kScaleNormal);
  EXPECT_EQ(mass.distribution.first, 1.0);
  EXPECT_EQ(mass.distribution.second, 0.025);

  const Variation area = Parsed("parachute.-1.area=uniform(-3,4)");
  EXPECT_EQ(area.input, ScatteredInput::kParachuteArea);
  EXPECT_EQ(area.number, -1);
  EXPECT_EQ(area.distribution.kind, DrawKind::kUniform);
  EXPECT_EQ(area.distribution.first, -3.0);

  for (const char* name : {"speed", "path_angle", "heading", "latitude", "longitude", "roll",
                           "pitch", "yaw", "density_factor", "wind_factor", "parachute.2.mass"}) {
    EXPECT_EQ(Parsed(std::string(name) + "=uniform(0,0)").name, name);
  }
}

TEST(Variation, RefusesWhatItCannotDraw) {
  for (const char* text : {"height",
                           "height=",
                           "=normal(0,1)",
                           "altitude=normal(0,1)",
                           "Height=normal(0,1)",
                           "payload.mass=normal(0,1)",
                           "payload.x.mass=normal(0,1)",
                           "payload.0.area=normal(0,1)",
                           "parachute.0.mass.x=normal(0,1)",
                           "height=gauss(0,1)",
                           "height=normal(0)",
                           "height=normal(0,1",
                           "height=normal(0,1,2)",
                           "height=normal(0,1)x",
                           "height=normal(a,1)",
                           "height=normal(nan,1)",
                           "height=normal(0,inf)",
                           "height=normal(0,-1)",
                           "height=scale-normal(1,-0.1)",
                           "height=uniform(2,1)",
                           "height=normal(,1)"}) {
    const Result<Variation> v = ParseVariation(text);
    ASSERT_FALSE(v.ok()) << text;
    EXPECT_EQ(v.code(), ErrorCode::kInvalid) << text;
    EXPECT_FALSE(v.message().empty()) << text;
  }
  const Result<Variation> v = ParseVariation("mass=normal(0,1)");
  ASSERT_FALSE(v.ok());
  EXPECT_NE(v.message().find("payload.N.mass"), std::string::npos) << v.message();
}

TEST(Variation, ScattersTheStoredValue) {
  EXPECT_EQ(ScatterValue(100.0, {DrawKind::kNormal, 5.0, 2.0}, -1.5, 0.9), 102.0);
  EXPECT_EQ(ScatterValue(100.0, {DrawKind::kUniform, -10.0, 30.0}, -1.5, 0.25), 100.0);
  EXPECT_EQ(ScatterValue(200.0, {DrawKind::kScaleNormal, 1.0, 0.1}, 2.0, 0.9), 240.0);
  // No scatter flies the stored value itself, to the bit (a negative deviate included).
  for (double stored : {0.0, -12.14, 125000.0}) {
    EXPECT_EQ(ScatterValue(stored, {DrawKind::kNormal, 0.0, 0.0}, -0.7, 0.3), stored);
    EXPECT_EQ(ScatterValue(stored, {DrawKind::kUniform, 0.0, 0.0}, -0.7, 0.3), stored);
    EXPECT_EQ(ScatterValue(stored, {DrawKind::kScaleNormal, 1.0, 0.0}, -0.7, 0.3), stored);
  }
  EXPECT_FALSE(std::signbit(ScatterValue(0.0, {DrawKind::kNormal, 0.0, 0.0}, -0.7, 0.3)));
}

// The documented algorithm, worked out independently: SplitMix64's known first output from
// state 0, and words, units and deviates of three (seed, run, input) triples.
TEST(RandomStream, GivesTheDocumentedNumbers) {
  EXPECT_EQ(SplitMix64(0), 0xE220A8397B1DCDAFull);
  EXPECT_EQ(InputKey("height"), 0x17720BF67D347222ull);

  const RunStream first(0, 0);
  EXPECT_EQ(first.Word(InputKey("height"), 0), 0xBBB21817C3FA5063ull);
  EXPECT_EQ(first.Word(InputKey("height"), 1), 0xF912DE37B88095E8ull);
  EXPECT_DOUBLE_EQ(first.Unit(InputKey("height"), 0), 0.7331862504979452);
  EXPECT_NEAR(first.StandardNormal(InputKey("height")), 0.7764955046120153, 1e-15);

  const RunStream second(42, 7);
  EXPECT_EQ(second.Word(InputKey("payload.0.mass"), 0), 0x1B7C9932FB21445Eull);
  EXPECT_NEAR(second.StandardNormal(InputKey("payload.0.mass")), -0.34555567037506385, 1e-15);

  const RunStream last(~0ull, 123456789);
  EXPECT_EQ(last.Word(InputKey("density_factor"), 1), 0x252B34620056739Cull);
  EXPECT_NEAR(last.StandardNormal(InputKey("density_factor")), 1.7151189229746873, 1e-14);
}

TEST(RandomStream, NormalsOverManyRunsAreStandardAndInputsIndependent) {
  constexpr int kRuns = 20000;
  const std::uint64_t a = InputKey("height"), b = InputKey("speed");
  double sum = 0.0, squares = 0.0, cross = 0.0, units = 0.0;
  for (int run = 0; run < kRuns; ++run) {
    const RunStream stream(3, static_cast<std::uint64_t>(run));
    const double x = stream.StandardNormal(a), y = stream.StandardNormal(b);
    const double u = stream.Unit(a, 0);
    ASSERT_TRUE(u > 0.0 && u < 1.0);
    sum += x;
    squares += x * x;
    cross += x * y;
    units += u;
  }
  // Each bound is about five standard errors of its estimate.
  EXPECT_NEAR(sum / kRuns, 0.0, 0.04);
  EXPECT_NEAR(squares / kRuns, 1.0, 0.05);
  EXPECT_NEAR(cross / kRuns, 0.0, 0.04);
  EXPECT_NEAR(units / kRuns, 0.5, 0.011);
  // Another seed is another stream.
  EXPECT_NE(RunStream(3, 5).Word(a, 0), RunStream(4, 5).Word(a, 0));
}

}  // namespace
}  // namespace plumora
