#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "core/app/PlumoraDoc.h"
#include "support/TestFiles.h"
#include "verify/MarsGramFit.h"

namespace plumora {
namespace {

using test::AtmText;
using test::SimpleAtmosphere;
using test::TempDir;
using test::WriteFile;

class AtmosphereFiles : public ::testing::Test {
 protected:
  AtmosphereFiles() {
    doc.baseFolder = dir.path();
    doc.SetPrompter(&prompter);
  }
  void Write(const std::string& name, const AtmText& atm) {
    WriteFile(dir / "atm" / name, atm.Text());
  }
  void Write(const std::string& name, const std::string& text) {
    WriteFile(dir / "atm" / name, text);
  }

  TempDir dir;
  RecordingPrompter prompter;
  CPlumoraDoc doc;
};

TEST_F(AtmosphereFiles, ReadsTheTableAndTheConstants) {
  AtmText atm = SimpleAtmosphere(5);
  atm.omega = 1e-4;
  Write("a.atm", atm);
  ASSERT_EQ(doc.readatmosphere(), 1) << prompter.Transcript();
  EXPECT_TRUE(prompter.entries().empty());
  EXPECT_EQ(doc.atmosphereTable().pointCount, 5);
  const PlanetConstants& c = doc.planetConstants();
  EXPECT_EQ(c.radius, 6378137.0);
  EXPECT_EQ(c.g0, static_cast<double>(9.80665f));
  EXPECT_EQ(c.c1, static_cast<double>(287.053f));
  EXPECT_EQ(c.c2, static_cast<double>(1.4f));
  EXPECT_EQ(c.omega, static_cast<double>(1e-4f));
  EXPECT_EQ(c.gm, c.radius * c.radius * c.g0);

  // The same file with CR LF line ends reads the same.
  const AtmosphereTable lf = doc.atmosphereTable();
  atm.lineEnd = "\r\n";
  Write("a.atm", atm);
  ASSERT_EQ(doc.readatmosphere(), 1) << prompter.Transcript();
  EXPECT_EQ(doc.atmosphereTable().lnDensityCurvature, lf.lnDensityCurvature);
  EXPECT_EQ(doc.planetConstants().omega, static_cast<double>(1e-4f));
}

TEST_F(AtmosphereFiles, KnotsAndTheEndsOfTheTable) {
  AtmText atm = SimpleAtmosphere(6);
  atm.rows[2].windWE = 12.5;
  atm.rows[0].windSN = -3.0;
  Write("a.atm", atm);
  doc.mission.environment.wind = 1;
  ASSERT_EQ(doc.readatmosphere(), 1) << prompter.Transcript();
  for (const auto& row : atm.rows) {
    const AtmosphereSample s = doc.QueryAtmosphere(row.height);
    EXPECT_NEAR(s.density, static_cast<float>(row.density), 1e-15) << row.height;
    EXPECT_EQ(s.temperature, static_cast<float>(row.temperature)) << row.height;
    EXPECT_EQ(s.windWE, static_cast<float>(row.windWE)) << row.height;
  }
  // Above the top: no air, the top temperature, calm.
  const AtmosphereSample above = doc.QueryAtmosphere(500.1);
  EXPECT_EQ(above.density, 0.0);
  EXPECT_EQ(above.temperature, static_cast<float>(atm.rows.back().temperature));
  EXPECT_EQ(above.windWE, 0.0);
  // Below the bottom: the first row as it stands.
  const AtmosphereSample below = doc.QueryAtmosphere(-50.0);
  EXPECT_NEAR(below.density, static_cast<float>(atm.rows[0].density), 1e-15);
  EXPECT_EQ(below.temperature, static_cast<float>(atm.rows[0].temperature));
  EXPECT_EQ(below.windSN, -3.0);
}

TEST_F(AtmosphereFiles, WindsAreZeroWithoutTheWindSwitchAndCalmBelowAMillimetre) {
  AtmText atm = SimpleAtmosphere(4);
  for (auto& row : atm.rows) row.windWE = row.windSN = 20.0;
  atm.rows[1].windWE = 0.0005;
  atm.rows[1].windSN = -0.002;
  Write("a.atm", atm);
  ASSERT_EQ(doc.readatmosphere(), 1);
  for (double h = 0.0; h <= 300.0; h += 25.0) {
    EXPECT_EQ(doc.QueryAtmosphere(h).windWE, 0.0);
    EXPECT_EQ(doc.QueryAtmosphere(h).windSN, 0.0);
  }
  doc.mission.environment.wind = 1;
  ASSERT_EQ(doc.readatmosphere(), 1);
  EXPECT_EQ(doc.QueryAtmosphere(100.0).windWE, 0.0);
  EXPECT_EQ(doc.QueryAtmosphere(100.0).windSN, static_cast<float>(-0.002));
}

TEST_F(AtmosphereFiles, RunFactorsScaleDensityAndWindsEverywhere) {
  AtmText atm = SimpleAtmosphere(8);
  for (std::size_t i = 0; i < atm.rows.size(); ++i) {
    atm.rows[i].windWE = 3.0 + static_cast<double>(i * i);
    atm.rows[i].windSN = -5.0 + static_cast<double>(i);
  }
  Write("a.atm", atm);
  doc.mission.environment.wind = 1;
  ASSERT_EQ(doc.readatmosphere(), 1) << prompter.Transcript();
  const AtmosphereTable& plain = doc.atmosphereTable();
  // The table the factors stand for: every ln density shifted by ln 1.7, every wind and wind
  // curvature times −2.5. A run never builds it; its queries must give what it gives, to the bit.
  AtmosphereTable scaled = plain;
  for (int i = 0; i < scaled.pointCount; ++i) {
    scaled.lnDensity[i] += std::log(1.7);
    for (auto* column :
         {&scaled.windWE, &scaled.windSN, &scaled.windWECurvature, &scaled.windSNCurvature}) {
      (*column)[i] *= -2.5;
    }
  }
  const AtmosphereScaling factors = AtmosphereScaling::Of({1.7, -2.5});
  const AtmosphereScaling neutral = AtmosphereScaling::Of({});
  int hint = 0, neutralHint = 0;
  // At the knots, between them (where the splines curve), below and above the table.
  for (double h : {-40.0, 0.0, 30.0, 150.0, 333.3, 699.0, 700.0, 900.0}) {
    const AtmosphereSample a = QueryAtmosphere(plain, h);
    const AtmosphereSample b = QueryAtmosphere(plain, h, hint, factors);
    const AtmosphereSample c = QueryAtmosphere(scaled, h);
    EXPECT_EQ(b.density, c.density) << h;
    EXPECT_EQ(b.temperature, c.temperature) << h;
    EXPECT_EQ(b.windWE, c.windWE) << h;
    EXPECT_EQ(b.windSN, c.windSN) << h;
    EXPECT_NEAR(b.density, 1.7 * a.density, 1e-14 * a.density) << h;
    EXPECT_EQ(b.temperature, a.temperature) << h;
    EXPECT_NEAR(b.windWE, -2.5 * a.windWE, 1e-12) << h;
    EXPECT_NEAR(b.windSN, -2.5 * a.windSN, 1e-12) << h;
    // Factors of 1 give the plain air, to the bit.
    const AtmosphereSample d = QueryAtmosphere(plain, h, neutralHint, neutral);
    EXPECT_EQ(std::memcmp(&d, &a, sizeof a), 0) << h;
  }
}

TEST_F(AtmosphereFiles, SixHundredPointsFitAndSixHundredAndOneAreRefused) {
  Write("a.atm", SimpleAtmosphere(600));
  ASSERT_EQ(doc.readatmosphere(), 1) << prompter.Transcript();
  EXPECT_EQ(doc.atmosphereTable().pointCount, 600);
  const double before = doc.QueryAtmosphere(30000.0).density;

  Write("a.atm", SimpleAtmosphere(601));
  EXPECT_EQ(doc.readatmosphere(), 0);
  ASSERT_EQ(prompter.entries().size(), 1u);
  EXPECT_EQ(prompter.entries()[0].text, "Too much atmospheric data point (MAX=600)\n");
  EXPECT_EQ(prompter.entries()[0].caption, "error");
  // The previous table, point count included, is still the one in use.
  EXPECT_EQ(doc.atmosphereTable().pointCount, 600);
  EXPECT_EQ(doc.QueryAtmosphere(30000.0).density, before);
}

TEST_F(AtmosphereFiles, TheIndexCountsOnlyFilesOfThePlanetInNameOrder) {
  AtmText first = SimpleAtmosphere(3);
  first.description = "first";
  AtmText second = SimpleAtmosphere(4);
  AtmText third = SimpleAtmosphere(5);
  // Written out of order: the listing sorts by name.
  Write("e3.atm", third);
  Write("m1.atm", SimpleAtmosphere(7, "MARS"));
  Write("e1.atm", first);
  Write("t1.atm", SimpleAtmosphere(8, "TITAN"));
  Write("e2.atm", second);
  Write("notes.txt", "not an atmosphere");
  doc.mission.environment.atmosphere = 1;
  ASSERT_EQ(doc.readatmosphere(), 1);
  EXPECT_EQ(doc.atmosphereTable().pointCount, 4);
  doc.mission.environment.planet = kMars;
  doc.mission.environment.atmosphere = 0;
  ASSERT_EQ(doc.readatmosphere(), 1);
  EXPECT_EQ(doc.atmosphereTable().pointCount, 7);
  // An index beyond the planet's files falls back to the planet's last file, never to the
  // last file listed (a Titan table here).
  doc.mission.environment.planet = kEarth;
  doc.mission.environment.atmosphere = 9;
  ASSERT_EQ(doc.readatmosphere(), 1);
  EXPECT_EQ(doc.atmosphereTable().pointCount, 5);
  // A planet without a file of its own is refused, and the table in use stays.
  std::filesystem::remove(dir / "atm" / "m1.atm");
  doc.mission.environment.planet = kMars;
  EXPECT_EQ(doc.readatmosphere(), 0);
  EXPECT_EQ(prompter.Transcript(),
            "error: There is no MARS atmosphere file in " + (dir / "atm").string() + "\n");
  EXPECT_EQ(doc.atmosphereTable().pointCount, 5);
}

// The descriptions of a planet's files, in the order its atmosphere index counts them.
TEST_F(AtmosphereFiles, PlanetListingGivesTheDescriptionsTheIndexCounts) {
  AtmText cr = SimpleAtmosphere(3);
  cr.description = "Standard day \t ";
  cr.lineEnd = "\r\n";
  AtmText longest = SimpleAtmosphere(4);
  longest.description = std::string(120, 'd');
  Write("b.atm", longest);
  Write("a.atm", cr);
  Write("m.atm", SimpleAtmosphere(5, "MARS"));
  AtmosphereListing earth = ListPlanetAtmospheres(dir.path(), kEarth);
  ASSERT_TRUE(earth.folderListed);
  EXPECT_FALSE(earth.unreadable);
  ASSERT_EQ(earth.files.size(), 2u);
  EXPECT_EQ(earth.files[0].description, "Standard day");
  EXPECT_EQ(earth.files[1].description, std::string(99, 'd'));  // a bounded line read
  EXPECT_EQ(earth.files[1].path, dir / "atm" / "b.atm");
  EXPECT_EQ(ListPlanetAtmospheres(dir.path(), kEarth, 0).files.size(), 1u);
  EXPECT_EQ(ListPlanetAtmospheres(dir.path(), kMars).files.size(), 1u);
  EXPECT_TRUE(ListPlanetAtmospheres(dir.path(), kTitan).files.empty());
  EXPECT_TRUE(ListPlanetAtmospheres(dir.path(), 7).files.empty());
  EXPECT_FALSE(ListPlanetAtmospheres(dir / "elsewhere", kEarth).folderListed);
}

TEST_F(AtmosphereFiles, MissingFolderOrFiles) {
  const std::string folder = (dir / "atm").string();
  EXPECT_EQ(doc.readatmosphere(), 0);
  // A folder that only looks like an atmosphere file is none.
  std::filesystem::create_directories(dir / "atm" / "a.atm");
  EXPECT_EQ(doc.readatmosphere(), 0);
  EXPECT_EQ(prompter.Transcript(),
            "error: atm folder not found in readatmosphere\n" + folder + " does not exist\n" +
                "error: atm folder not found in readatmosphere\n" + folder +
                " holds no .atm file\n");
}

// Every damaged file is refused with a message naming it, and the table in use stays.
TEST_F(AtmosphereFiles, DamagedFilesAreRefusedAndTheTableKept) {
  Write("a.atm", SimpleAtmosphere(10));
  ASSERT_EQ(doc.readatmosphere(), 1);
  const int count = doc.atmosphereTable().pointCount;
  const PlanetConstants constants = doc.planetConstants();
  const double density = doc.QueryAtmosphere(250.0).density;

  std::vector<std::pair<std::string, std::string>> cases;
  const std::string good = SimpleAtmosphere(6).Text();
  // Ends early at every stage: in the header, in the table, in the constants.
  for (std::size_t cut : {std::size_t{60}, good.size() / 2, good.find("OMEGA") + 6}) {
    cases.push_back({"cut at " + std::to_string(cut), good.substr(0, cut)});
  }
  AtmText notNumber = SimpleAtmosphere(6);
  cases.push_back({"non-number", [&] {
                     std::string t = notNumber.Text();
                     t.replace(t.find("\n3 ") + 3, 3, "abc");
                     return t;
                   }()});
  AtmText zeroCount = SimpleAtmosphere(6);
  zeroCount.declaredCount = 0;
  cases.push_back({"no points", zeroCount.Text()});
  AtmText negativeCount = SimpleAtmosphere(6);
  negativeCount.declaredCount = -4;
  cases.push_back({"negative count", negativeCount.Text()});
  AtmText descending = SimpleAtmosphere(6);
  descending.rows[3].height = descending.rows[2].height;
  cases.push_back({"heights not ascending", descending.Text()});
  AtmText vacuum = SimpleAtmosphere(6);
  vacuum.rows[4].density = 0.0;
  cases.push_back({"zero density", vacuum.Text()});
  AtmText frozen = SimpleAtmosphere(6);
  frozen.rows[2].temperature = -5.0;
  cases.push_back({"negative temperature", frozen.Text()});

  for (const auto& [what, text] : cases) {
    prompter.Clear();
    Write("a.atm", text);
    EXPECT_EQ(doc.readatmosphere(), 0) << what;
    ASSERT_EQ(prompter.entries().size(), 1u) << what;
    EXPECT_EQ(prompter.entries()[0].caption, "error");
    EXPECT_NE(prompter.entries()[0].text.find("a.atm"), std::string::npos)
        << what << ": " << prompter.entries()[0].text;
    EXPECT_EQ(doc.atmosphereTable().pointCount, count) << what;
    EXPECT_EQ(doc.planetConstants().radius, constants.radius) << what;
    EXPECT_EQ(doc.QueryAtmosphere(250.0).density, density) << what;
  }
}

// Each refusal says what is wrong and where: rows are 1 to 6 on lines 10 to 15 of a table of six,
// the constants on lines 17 to 21.
TEST_F(AtmosphereFiles, RefusalsSayWhatIsWrongAndOnWhichLine) {
  const auto with = [](auto change) {
    AtmText atm = SimpleAtmosphere(6);
    change(atm);
    return atm.Text();
  };
  const auto replaced = [](std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
  };
  const std::string good = SimpleAtmosphere(6).Text();
  const std::pair<std::string, std::string> cases[] = {
      {with([](AtmText& a) { a.radius = 0.0; }),
       "has a planet radius that is not positive (line 17)"},
      {with([](AtmText& a) { a.g0 = -9.8; }),
       "has a surface gravity that is negative (line 18)"},
      {with([](AtmText& a) { a.c1 = 0.0; }), "has a gas constant that is not positive (line 19)"},
      {with([](AtmText& a) { a.c2 = 1.0; }),
       "has a ratio of specific heats that is not above 1 (line 20)"},
      {with([](AtmText& a) { a.declaredCount = 5; }),
       "has more rows than the 5 points its line 4 declares (line 15)"},
      {with([](AtmText& a) { a.declaredCount = 7; }),
       "has fewer rows than the 7 points its line 4 declares (line 16)"},
      {replaced(good, "\n3 200 ", "\n3 200 1 "),
       "has a row that is not a label and five numbers (line 12)"},
      {replaced(good, "\n4 300 ", "\n4 "), "has a row that is not a label and five numbers (line 13)"},
      {replaced(good, "free text", std::string(100, 'x')),
       "has a line longer than 99 characters (line 3)"},
      {replaced(good, "\nR ", " m/s2" + std::string(120, ' ') + "\nR "),
       "has a line longer than 99 characters (line 18)"},
  };
  for (const auto& [text, problem] : cases) {
    prompter.Clear();
    Write("a.atm", text);
    EXPECT_EQ(doc.readatmosphere(), 0) << problem;
    EXPECT_EQ(prompter.Transcript(),
              "error: The atmospheric file " + (dir / "atm" / "a.atm").string() + " " + problem +
                  "\n");
  }
  // A header line of exactly 99 characters and blank lines between rows are fine.
  for (const std::string& text : {replaced(good, "free text", std::string(99, 'x')),
                                  replaced(good, "\n3 200 ", "\n\n \n3 200 ")}) {
    prompter.Clear();
    Write("a.atm", text);
    EXPECT_EQ(doc.readatmosphere(), 1) << prompter.Transcript();
    EXPECT_EQ(doc.atmosphereTable().pointCount, 6);
    EXPECT_EQ(doc.planetConstants().c2, 1.4f);
  }
}

// The tables shipped in the data folder.
class BundledAtmosphere : public AtmosphereFiles {
 protected:
  BundledAtmosphere() { doc.baseFolder = test::DataFolder(); }
};

// The knots of the bundled Earth table are checked against the standard where it is generated;
// here the reader's spline between them and the planet's constants.
TEST_F(BundledAtmosphere, EarthBetweenTheKnotsAndItsConstants) {
  ASSERT_EQ(doc.readatmosphere(), 1) << prompter.Transcript();
  const PlanetConstants& c = doc.planetConstants();
  EXPECT_EQ(c.radius, 6378137.0);
  EXPECT_NEAR(c.g0, 9.80665, 1e-6);
  EXPECT_NEAR(c.c1 * c.c2, 287.053 * 1.4, 1e-4);
  EXPECT_NEAR(c.omega, 7.292115e-5, 1e-11);
  // Between two knots 250 m apart, at the corner where the tropopause begins.
  EXPECT_NEAR(doc.QueryAtmosphere(11125.0).temperature, 216.65, 0.2);
  EXPECT_NEAR(doc.QueryAtmosphere(11125.0).density / 0.35791, 1.0, 1e-3);
}

// The Mars table is the model fitted to Mars-GRAM for latitudes −30° to +30°: the published
// fits, each on its own side of its switch height, give the density within 5 % everywhere, on
// the knots and between them, up to the thermosphere, which warms again above 100 km.
TEST_F(BundledAtmosphere, MarsFollowsTheMarsGramFitTo170Kilometres) {
  doc.mission.environment.planet = kMars;
  ASSERT_EQ(doc.readatmosphere(), 1) << prompter.Transcript();
  EXPECT_NEAR(doc.planetConstants().c1 * doc.planetConstants().c2,
              verify::MarsGramGasConstant() * verify::kMarsGramHeatCapacityRatio, 1e-3);
  for (double h : {0.0, 7300.0, 14990.0, 15000.0, 16100.0, 40000.0, 74990.0, 75000.0, 90125.0,
                   125000.0, 169900.0, 170000.0}) {
    EXPECT_NEAR(doc.QueryAtmosphere(h).density / verify::MarsGramDensity(h), 1.0, 0.05) << h;
  }
  // A cold mesosphere under a warm thermosphere.
  EXPECT_GT(doc.QueryAtmosphere(170000.0).temperature,
            doc.QueryAtmosphere(100000.0).temperature + 80.0);
}

}  // namespace
}  // namespace plumora
