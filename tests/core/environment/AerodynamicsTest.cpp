#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "core/common/Constants.h"
#include "core/common/Prompter.h"
#include "core/environment/Aerodynamics.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

using test::AdfText;
using test::SimpleAero;
using test::TempDir;
using test::WriteFile;

// What a number written in a file becomes once read: single precision, widened.
double Stored(double value) {
  return static_cast<double>(static_cast<float>(value));
}

bool SameDatabase(const AeroDatabase& a, const AeroDatabase& b) {
  return a.machCount == b.machCount && a.angleCount == b.angleCount &&
         a.symmetryCode == b.symmetryCode && a.reserved == b.reserved &&
         a.axisymmetric == b.axisymmetric && a.mach == b.mach && a.angle == b.angle &&
         a.coefficient == b.coefficient && a.curvature == b.curvature;
}

class AeroFiles : public ::testing::Test {
 protected:
  void Write(const std::string& name, const AdfText& adf) {
    WriteFile(dir / "adf" / name, adf.Text());
  }
  void Write(const std::string& name, const std::string& text) {
    WriteFile(dir / "adf" / name, text);
  }
  int Load(const std::string& name) { return LoadAeroDatabase(aero, name, dir.path(), prompter); }
  std::string OnlyMessage() const {
    EXPECT_EQ(prompter.entries().size(), 1u) << prompter.Transcript();
    if (prompter.entries().empty()) return {};
    EXPECT_EQ(prompter.entries()[0].caption, "error");
    return prompter.entries()[0].text;
  }

  TempDir dir;
  RecordingPrompter prompter;
  AeroDatabase aero;
};

TEST_F(AeroFiles, ReadsTheTablesAsWritten) {
  AdfText adf = SimpleAero(3, 4);
  adf.rows[1][2] = {0.123456789, -1.5, 2.25};
  Write("t.adf", adf);
  ASSERT_EQ(Load("t.adf"), 1) << prompter.Transcript();
  EXPECT_TRUE(prompter.entries().empty());
  const AeroDatabase& db = aero;
  EXPECT_EQ(db.machCount, 3);
  EXPECT_EQ(db.angleCount, 4);
  EXPECT_EQ(db.symmetryCode, 0);
  EXPECT_EQ(db.reserved, 7);
  EXPECT_EQ(db.axisymmetric, 1);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(db.mach[i], Stored(adf.mach[i]));
  for (int j = 0; j < 4; ++j) EXPECT_EQ(db.angle[j], Stored(adf.angles[j]) * kDegToRad);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 4; ++j) {
      EXPECT_EQ(db.coefficient[kCx][i][j], Stored(adf.rows[i][j].cx));
      EXPECT_EQ(db.coefficient[kCz][i][j], Stored(adf.rows[i][j].cz));
      EXPECT_EQ(db.coefficient[kCm][i][j], Stored(adf.rows[i][j].cm));
    }
  }
  // Axisymmetric bodies: Cy, Cl and Cn are zero everywhere.
  for (int k : {kCy, kCl, kCn}) {
    for (const auto& row : db.coefficient[k]) {
      for (double c : row) ASSERT_EQ(c, 0.0);
    }
  }
  // The same file with CR LF line ends reads the same.
  AeroDatabase lf = db;
  adf.lineEnd = "\r\n";
  Write("crlf.adf", adf);
  ASSERT_EQ(Load("crlf.adf"), 1) << prompter.Transcript();
  EXPECT_TRUE(SameDatabase(aero, lf));
}

TEST_F(AeroFiles, TheDefaultFileAndFilesThatCannotBeOpened) {
  EXPECT_EQ(Load(""), 0);
  EXPECT_EQ(OnlyMessage(), "The  aerodynamic data file was not opened\n");
  prompter.Clear();
  EXPECT_EQ(Load("other.adf"), 0);
  EXPECT_EQ(OnlyMessage(), "The other.adf aerodynamic data file was not opened\n");
  prompter.Clear();
  std::filesystem::create_directories(dir / "adf" / "folder.adf");
  EXPECT_EQ(Load("folder.adf"), 0);
  EXPECT_EQ(OnlyMessage(), "The folder.adf aerodynamic data file was not opened\n");

  Write("ld600.adf", SimpleAero(2, 2));
  prompter.Clear();
  EXPECT_EQ(Load(""), 1) << prompter.Transcript();
  EXPECT_EQ(aero.machCount, 2);
  EXPECT_EQ(AeroFilePath(dir.path(), ""), dir / "adf" / "ld600.adf");
}

TEST_F(AeroFiles, FullTablesLoadAndLargerOnesAreRefusedWithTheirMessages) {
  Write("full.adf", SimpleAero(15, 100));
  ASSERT_EQ(Load("full.adf"), 1) << prompter.Transcript();
  EXPECT_EQ(aero.machCount, 15);
  EXPECT_EQ(aero.angleCount, 100);
  EXPECT_EQ(aero.coefficient[kCm][14][99], Stored(14 - 9.9));
  const AeroDatabase before = aero;

  struct Case {
    std::string name;
    AdfText adf;
    std::string message;
    ErrorCode code;
  };
  AdfText nonAxisymmetric = SimpleAero(2, 2);
  nonAxisymmetric.symmetry = 2;
  const Case cases[] = {
      {"tall.adf", SimpleAero(16, 3), "Too much mach points in tall.adf", ErrorCode::kOverCapacity},
      {"wide.adf", SimpleAero(3, 101), "Too much angles points in wide.adf",
       ErrorCode::kOverCapacity},
      {"odd.adf", nonAxisymmetric, "Sorry, no support for non-axisymmetric bodies yet",
       ErrorCode::kUnsupported},
      // The default file by its own name.
      {"", SimpleAero(16, 3), "Too much mach points in ld600.adf", ErrorCode::kOverCapacity},
  };
  for (const Case& c : cases) {
    Write(c.name.empty() ? "ld600.adf" : c.name, c.adf);
    prompter.Clear();
    EXPECT_EQ(Load(c.name), 0) << c.name;
    EXPECT_EQ(OnlyMessage(), c.message);
    EXPECT_TRUE(SameDatabase(aero, before)) << c.name;
    EXPECT_EQ(ReadAeroFile(AeroFilePath(dir.path(), c.name), c.name, aero).code(), c.code);
  }
}

TEST_F(AeroFiles, MalformedFilesAreRefusedNamingFileAndLineAndChangeNothing) {
  Write("good.adf", SimpleAero(3, 4));
  ASSERT_EQ(Load("good.adf"), 1);
  const AeroDatabase before = aero;

  const std::string good = SimpleAero(3, 4).Text();
  const auto replaceLine = [&](int line, const std::string& text) {
    std::string t = good;
    std::size_t start = 0;
    for (int l = 1; l < line; ++l) start = t.find('\n', start) + 1;
    return t.replace(start, t.find('\n', start) - start, text);
  };
  AdfText noMach = SimpleAero(3, 4);
  noMach.declaredMachCount = 0;
  AdfText noAngles = SimpleAero(3, 4);
  noAngles.declaredAngleCount = -2;
  AdfText sameMach = SimpleAero(3, 4);
  sameMach.mach[2] = sameMach.mach[1];
  AdfText mirrored = SimpleAero(2, 3);
  mirrored.angles = {-10.0, 0.0, 10.0};  // 10, 0, 10 once the signs are gone

  struct Case {
    const char* what;
    std::string text;
    std::string problem;
    int line;
  };
  const std::string early =
      "ends early or holds something other than a number where a number "
      "must stand";
  const Case cases[] = {
      {"no Mach numbers", noMach.Text(), "holds no Mach numbers", 18},
      {"no angles", noAngles.Text(), "holds no angles", 19},
      {"count is a word", replaceLine(18, "three Mach numbers"), early, 18},
      {"symmetry missing", good.substr(0, good.find("0 symmetry")), early, 20},
      {"ends in the table", good.substr(0, good.find("1.5 MACH")), early, 33},
      {"a word for Cx", replaceLine(25, "5 big -0.1 -0.1"), early, 25},
      {"not a number for Cz", replaceLine(25, "5 1.5 nan -0.1"), early, 25},
      {"infinite Mach", replaceLine(23, "inf MACH"), early, 23},
      {"Mach repeats", sameMach.Text(), "has Mach numbers that do not strictly ascend", 33},
      {"angles fold back", mirrored.Text(),
       "has angles that do not strictly ascend once their signs are dropped", 25},
  };
  const std::filesystem::path path = AeroFilePath(dir.path(), "bad.adf");
  for (const Case& c : cases) {
    Write("bad.adf", c.text);
    prompter.Clear();
    EXPECT_EQ(Load("bad.adf"), 0) << c.what;
    EXPECT_EQ(OnlyMessage(), "The aerodynamic file " + path.string() + " " + c.problem + " (line " +
                                 std::to_string(c.line) + ")\n")
        << c.what;
    EXPECT_TRUE(SameDatabase(aero, before)) << c.what;
    EXPECT_EQ(ReadAeroFile(path, "bad.adf", aero).code(), ErrorCode::kMalformed) << c.what;
  }
}

// A 2 × 3 table with values a float holds exactly: Mach 1 and 2, angles 0, 10 and 20 degrees.
class AeroLookup : public AeroFiles {
 protected:
  void SetUp() override {
    AdfText adf;
    adf.mach = {1.0, 2.0};
    adf.angles = {0.0, 10.0, 20.0};
    adf.rows = {{{1, -1, 0.5}, {2, -2, 1}, {4, -4, 2}}, {{3, -3, 1.5}, {5, -5, 2.5}, {9, -9, 4.5}}};
    Write("t.adf", adf);
    ASSERT_EQ(Load("t.adf"), 1) << prompter.Transcript();
  }
  const AeroDatabase& db() const { return aero; }
  double Angle(int j) const { return db().angle[j]; }
  double Mid(int j) const { return 0.5 * (Angle(j) + Angle(j + 1)); }
};

TEST_F(AeroLookup, BilinearInsideTheTable) {
  // At the table points, the table values.
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 3; ++j) {
      const AeroCoefficientSet c = AeroCoefficients(db(), db().mach[i], Angle(j));
      EXPECT_EQ(c[kCx], db().coefficient[kCx][i][j]) << i << " " << j;
      EXPECT_EQ(c[kCz], db().coefficient[kCz][i][j]);
      EXPECT_EQ(c[kCm], db().coefficient[kCm][i][j]);
    }
  }
  EXPECT_DOUBLE_EQ(AeroCoefficients(db(), 1.0, Mid(0))[kCx], 1.5);
  EXPECT_DOUBLE_EQ(AeroCoefficients(db(), 1.5, Angle(1))[kCx], 3.5);
  EXPECT_DOUBLE_EQ(AeroCoefficients(db(), 1.5, Mid(1))[kCx], 0.5 * (3.0 + 7.0));
  EXPECT_DOUBLE_EQ(AeroCoefficients(db(), 1.25, Mid(0))[kCm], 0.75 * 0.75 + 0.25 * 2.0);
}

TEST_F(AeroLookup, BelowTheTableExtrapolatesAndBeyondItHolds) {
  // Below the first angle and the first Mach number the first interval goes on.
  EXPECT_DOUBLE_EQ(AeroCoefficients(db(), 1.0, -0.5 * Angle(1))[kCx], 0.5);
  EXPECT_DOUBLE_EQ(AeroCoefficients(db(), 0.5, 0.0)[kCx], 0.0);
  // Beyond the last angle both rows use their last column, without extrapolation.
  EXPECT_DOUBLE_EQ(AeroCoefficients(db(), 1.0, 1.5 * Angle(2))[kCx], 4.0);
  EXPECT_DOUBLE_EQ(AeroCoefficients(db(), 1.5, 1.5 * Angle(2))[kCx], 6.5);
  // Beyond the last Mach number, the last row as it stands.
  EXPECT_DOUBLE_EQ(AeroCoefficients(db(), 7.0, Mid(0))[kCx], 4.0);
  // Cy, Cl and Cn stay zero in both lookups.
  for (const auto& c : {AeroCoefficients(db(), 1.5, 0.1), AeroCoefficientsSpline(db(), 1.5, 0.1)}) {
    EXPECT_EQ(c[kCy], 0.0);
    EXPECT_EQ(c[kCl], 0.0);
    EXPECT_EQ(c[kCn], 0.0);
  }
}

TEST_F(AeroLookup, TinyAndEmptyTables) {
  AdfText point;
  point.mach = {2.0};
  point.angles = {5.0};
  point.rows = {{{0.75, -0.25, 0.125}}};
  Write("point.adf", point);
  ASSERT_EQ(Load("point.adf"), 1) << prompter.Transcript();
  for (double mach : {0.1, 2.0, 9.0}) {
    for (double alpha : {-1.0, 0.0, 1.0}) {
      EXPECT_EQ(AeroCoefficients(db(), mach, alpha)[kCx], 0.75);
      EXPECT_EQ(AeroCoefficientsSpline(db(), mach, alpha)[kCm], 0.125);
    }
  }
  const AeroDatabase empty;
  EXPECT_EQ(AeroCoefficients(empty, 1.0, 0.1), AeroCoefficientSet{});
  EXPECT_EQ(AeroCoefficientsSpline(empty, 1.0, 0.1), AeroCoefficientSet{});
}

TEST_F(AeroLookup, SplinesPassThroughTheTableAndCurveBetween) {
  for (int i = 0; i < 2; ++i) {
    for (int j = 0; j < 3; ++j) {
      EXPECT_NEAR(AeroCoefficientsSpline(db(), db().mach[i], Angle(j))[kCx],
                  db().coefficient[kCx][i][j], 1e-12);
    }
  }
  // A bump 0, 1, 0 with flat ends: by symmetry the slope is 0 at every knot, so each interval
  // is the cubic 3s² − 2s³.
  AdfText bump;
  bump.mach = {1.0, 3.0};
  bump.angles = {0.0, 10.0, 20.0};
  bump.rows = {{{0, 0, 0}, {1, 0, 0}, {0, 0, 0}}, {{0, 0, 0}, {2, 0, 0}, {0, 0, 0}}};
  Write("bump.adf", bump);
  ASSERT_EQ(Load("bump.adf"), 1);
  const double quarter = 0.25 * Angle(1);
  EXPECT_NEAR(AeroCoefficientsSpline(db(), 1.0, quarter)[kCx], 0.15625, 1e-12);
  EXPECT_NEAR(AeroCoefficientsSpline(db(), 1.0, Angle(2) - quarter)[kCx], 0.15625, 1e-12);
  EXPECT_NEAR(AeroCoefficientsSpline(db(), 2.0, quarter)[kCx], 1.5 * 0.15625, 1e-12);
  EXPECT_DOUBLE_EQ(AeroCoefficients(db(), 1.0, quarter)[kCx], 0.25);
  // Beyond the last angle the spline lookup holds the last column in both rows, like the
  // bilinear one, instead of continuing one row's end cubic.
  EXPECT_EQ(AeroCoefficientsSpline(db(), 2.0, 2.0 * Angle(2))[kCx], 0.0);
}

}  // namespace
}  // namespace plumora
