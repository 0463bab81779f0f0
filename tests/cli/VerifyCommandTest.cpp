// plumora-cli verify beyond its passing run (a CTest of its own): a fault planted in the flights
// fails exactly the cases it should, missing tables and a failed write are failures too.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

using test::Cli;

// The verdicts of each numbered case in the printed table: "ok" or "OUT OF TOLERANCE" per row,
// "not computed" for a case that could not be computed.
std::vector<std::vector<std::string>> Verdicts(const std::string& out) {
  std::vector<std::vector<std::string>> cases;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (line.size() > 2 && std::isdigit(static_cast<unsigned char>(line[0])) && line[1] == '.') {
      cases.emplace_back();
    } else if (!cases.empty() && line.rfind("  not computed: ", 0) == 0) {
      cases.back().push_back("not computed");
    } else if (!cases.empty() && line.size() > 2 && line.rfind("  ", 0) == 0) {
      const bool out = line.find("OUT OF TOLERANCE") != std::string::npos;
      cases.back().push_back(out ? "OUT OF TOLERANCE" : line.substr(line.size() - 2));
    }
  }
  return cases;
}

using Rows = std::vector<std::string>;
const std::string kOut = "OUT OF TOLERANCE";

// Reference areas 1 % larger in the flights alone: every drag the engine flies grows, its
// references stay. Allen and Eggers' peak deceleration does not depend on the drag area, nor
// does the line force that holds the payload up; everything else moves.
TEST(VerifyCommand, AFaultPlantedInTheFlightsFailsTheCasesItReaches) {
  const auto r = Cli({"verify", "--base", test::DataFolder().string(), "--skew-area", "1.01"});
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.err, "");
  const auto cases = Verdicts(r.out);
  ASSERT_EQ(cases.size(), 6u) << r.out;
  EXPECT_EQ(cases[0], Rows{"ok"});
  EXPECT_EQ(cases[1], Rows(6, kOut));
  EXPECT_EQ(cases[2], Rows(18, "ok"));
  EXPECT_EQ(cases[3], Rows(18, "ok"));
  EXPECT_EQ(cases[4], (Rows{kOut, "ok"}));
  EXPECT_EQ(cases[5], Rows(2, kOut));
  EXPECT_NE(r.out.find("\n3 of 6 cases within tolerance\n"), std::string::npos) << r.out;

  // The planted fault is no option a user meets.
  const auto help = Cli({"verify", "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.find("skew"), std::string::npos) << help.out;
  EXPECT_EQ(Cli({"verify", "--skew-area", "more"}).status, 2);
  EXPECT_EQ(Cli({"verify", "extra"}).status, 2);
}

TEST(VerifyCommand, TablesMissingFromTheBaseFolderFailTheirCases) {
  test::TempDir empty;
  const auto r = Cli({"verify", "--base", empty.path().string()});
  EXPECT_EQ(r.status, 1);
  const auto cases = Verdicts(r.out);
  ASSERT_EQ(cases.size(), 6u) << r.out;
  EXPECT_EQ(cases[2], Rows{"not computed"});
  EXPECT_EQ(cases[3], Rows{"not computed"});
  for (const char* table : {"earth_us1976.atm", "mars_mean.atm"}) {
    EXPECT_NE(r.out.find("  not computed: " + (empty / "atm" / table).string() +
                         ": The atmospheric file was not opened\n"),
              std::string::npos)
        << r.out;
  }
  // The flown cases bring their own air.
  EXPECT_EQ(cases[0], Rows{"ok"});
  EXPECT_NE(r.out.find("\n4 of 6 cases within tolerance\n"), std::string::npos) << r.out;
}

TEST(VerifyCommand, ATableThatCannotBeWrittenIsAFailure) {
  const auto r = Cli({"verify", "--base", test::DataFolder().string()}, {}, "/dev/full");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "error: The output could not be written to standard output (No space left on "
            "device)\n");
}

}  // namespace
}  // namespace plumora
