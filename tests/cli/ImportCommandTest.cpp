#include <gtest/gtest.h>

#include <algorithm>

#include "cli/Cli.h"
#include "core/app/ResultsCsv.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

using test::Cli;

TEST(ImportCommand, ImportsTheChosenColumnsAndWritesThemAsCsv) {
  test::TempDir dir;
  test::WriteFile(dir / "atm" / "t.atm", test::SimpleAtmosphere(3, "TITAN").Text());
  test::WriteFile(dir / "f.txt", "2 titan descent\n0 1.5\n10 1.25\n20 x\n");
  const auto r = Cli({"import", "--columns", "time,altitude", "--csv", (dir / "f.csv").string(),
                      (dir / "f.txt").string()},
                     dir.path());
  EXPECT_EQ(r.status, 1);  // the third line is malformed; the first two stay
  EXPECT_NE(r.err.find("(line 4)"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "Imported 2 samples on TITAN from " + (dir / "f.txt").string() + "\n");
  const std::string csv = test::ReadFile(dir / "f.csv");
  EXPECT_EQ(csv.substr(0, csv.find('\n')), ResultsCsvHeader());
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 3);
  EXPECT_EQ(csv.substr(csv.rfind("\n10,"), 10), "\n10,1250,0");
  EXPECT_NE(csv.find(",1,0,-1\n"), std::string::npos);  // ballistic, payload 0, no parachute

  // Columns out of the file's order, or twice, would fill the wrong fields.
  for (const char* columns : {"altitude,time", "time,time"}) {
    const auto refused = Cli({"import", "--columns", columns, (dir / "f.txt").string()});
    EXPECT_EQ(refused.status, 2) << columns;
    EXPECT_NE(refused.err.find("in the order the file holds them"), std::string::npos)
        << refused.err;
  }
  EXPECT_EQ(Cli({"import", "--columns", "time,mass", (dir / "f.txt").string()}).status, 2);
  EXPECT_EQ(Cli({"import"}).status, 2);
  // An empty "--columns=" gives no column; the file's name is not taken for one.
  const auto empty = Cli({"import", "--columns=", (dir / "f.txt").string()});
  EXPECT_EQ(empty.status, 2);
  EXPECT_EQ(empty.err.substr(0, empty.err.find('\n')), "--columns= gives the option no value");
}

// A file that cannot be opened is named and imports nothing; a short line is refused by its
// number, with exit 1, instead of being read into the next.
TEST(ImportCommand, UnreadableFilesAndShortLinesFail) {
  test::TempDir dir;
  const auto absent = Cli({"import", (dir / "absent.txt").string()});
  EXPECT_EQ(absent.status, 1);
  EXPECT_EQ(absent.out, "");
  EXPECT_EQ(absent.err, "error: Could not open file " + (dir / "absent.txt").string() +
                            " (No such file or directory)\n");
  test::WriteFile(dir / "f.txt", "0\n0 1 2 3 4 5 6\n1 2 3\n4 5 6 7 8 9 10\n");
  const auto shortLine =
      Cli({"import", "--base", test::DataFolder().string(), (dir / "f.txt").string()});
  EXPECT_EQ(shortLine.status, 1);
  EXPECT_NE(shortLine.err.find("(line 3)"), std::string::npos) << shortLine.err;
  test::WriteFile(dir / "cr.txt", "0\r0 1 2\r1 2 3\r");
  const auto declared =
      Cli({"import", "--base", test::DataFolder().string(), (dir / "cr.txt").string()});
  EXPECT_EQ(declared.status, 1);
  EXPECT_NE(declared.err.find("holds 3 numbers on a line where 7 columns are chosen (line 2)"),
            std::string::npos)
      << declared.err;
}

}  // namespace
}  // namespace plumora
