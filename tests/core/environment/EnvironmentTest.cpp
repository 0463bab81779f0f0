#include <gtest/gtest.h>

#include <string>

#include "core/environment/Environment.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

using test::WriteFile;

class EnvironmentLoad : public ::testing::Test {
 protected:
  EnvironmentLoad() {
    WriteFile(dir / "atm" / "a.atm", test::SimpleAtmosphere(5, "MARS").Text());
    WriteFile(dir / "adf" / "ld600.adf", test::SimpleAero(2, 3).Text());
    WriteFile(dir / "adf" / "other.adf", test::SimpleAero(3, 2).Text());
  }
  test::TempDir dir;
  const EnvironmentChoice mars{kMars, 0, 0};
};

// The tables are read once and shared: a copy of the environment flies through the very same.
TEST_F(EnvironmentLoad, ReadsEachTableOnceAndCopiesShareThem) {
  const Result<Environment> loaded = Environment::Load(dir.path(), mars, {"", "other.adf", ""});
  ASSERT_TRUE(loaded.ok()) << loaded.message();
  const Environment& environment = loaded.value();
  EXPECT_EQ(environment.atmosphere().pointCount, 5);
  EXPECT_GT(environment.planet().radius, 0.0);
  const Result<const AeroDatabase*> standard = environment.AeroTable("");
  const Result<const AeroDatabase*> other = environment.AeroTable("other.adf");
  ASSERT_TRUE(standard.ok());
  ASSERT_TRUE(other.ok());
  EXPECT_EQ(standard.value()->machCount, 2);
  EXPECT_EQ(other.value()->machCount, 3);

  const Environment copy = environment;
  EXPECT_EQ(&copy.atmosphere(), &environment.atmosphere());
  EXPECT_EQ(copy.AeroTable("").value(), standard.value());

  // Rewriting the files changes nothing of an environment already read.
  WriteFile(dir / "adf" / "ld600.adf", test::SimpleAero(4, 3).Text());
  EXPECT_EQ(copy.AeroTable("").value()->machCount, 2);
}

// Without its atmosphere there is no environment; a table that cannot be read waits for the
// phase that would fly it, which says so in the reader's words.
TEST_F(EnvironmentLoad, AnUnreadableTableIsKeptAsItsError) {
  const Result<Environment> loaded = Environment::Load(dir.path(), mars, {"", "missing.adf"});
  ASSERT_TRUE(loaded.ok());
  const Result<const AeroDatabase*> missing = loaded->AeroTable("missing.adf");
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.code(), ErrorCode::kCannotOpen);
  EXPECT_EQ(missing.message(), "The missing.adf aerodynamic data file was not opened\n");
  EXPECT_TRUE(loaded->AeroTable("").ok());
  // A table nobody asked for is not there.
  const Result<const AeroDatabase*> unknown = loaded->AeroTable("other.adf");
  ASSERT_FALSE(unknown.ok());
  EXPECT_EQ(unknown.code(), ErrorCode::kInvalid);

  const Result<Environment> titan = Environment::Load(dir.path(), {kTitan, 0, 0}, {""});
  ASSERT_FALSE(titan.ok());
  EXPECT_EQ(titan.code(), ErrorCode::kCannotOpen);
  EXPECT_EQ(titan.message().rfind("There is no TITAN atmosphere file in ", 0), 0u);
  WriteFile(dir / "atm" / "a.atm", test::SimpleAtmosphere(601, "MARS").Text());
  EXPECT_EQ(Environment::Load(dir.path(), mars, {}).code(), ErrorCode::kOverCapacity);
}

TEST(Environment, ANewOneHasNoAir) {
  const Environment none;
  EXPECT_FALSE(none.HasAtmosphere());
  const AtmosphereSample air = QueryAtmosphere(none.atmosphere(), 1000.0);
  EXPECT_EQ(air.density, 0.0);
  EXPECT_EQ(air.temperature, 0.0);
  EXPECT_FALSE(none.AeroTable("").ok());
}

}  // namespace
}  // namespace plumora
