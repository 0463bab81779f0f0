// Every command writes only where it was pointed: regular files replaced whole, devices and FIFOs
// written in place, the input never overwritten, and every failed write an error.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>

#include "cli/Cli.h"
#include "core/app/MissionFiles.h"
#include "core/common/FileIO.h"
#include "support/FlightFixture.h"

namespace plumora {
namespace {

namespace fs = std::filesystem;
using test::Cli;

// A full disk, which every write to it reports.
const fs::path kFullDevice = "/dev/full";

class OutputRules : public ::testing::Test, public test::FlightFixture {
 protected:
  OutputRules() {
    CBallisticEntryPhase& phase = AddBallisticPhase();
    phase.stopKind = 0;
    phase.stopTime = 2.0;
    EXPECT_TRUE(SaveMission(doc, mission));
  }
  std::vector<std::string> Run(const std::string& csv) const {
    return {"run", "--quiet", "--base", base.path().string(), "--csv", csv, mission.string()};
  }
  const fs::path mission = base / "m.psd";
};

TEST_F(OutputRules, CsvOnStandardOutputLeavesTheSummaryOnStderr) {
  const std::string csvStart = "time,payload_height,";
  for (const char* name : {"-", "/dev/stdout"}) {
    const auto r = Cli(Run(name));
    ASSERT_EQ(r.status, 0) << name << r.err;
    EXPECT_EQ(r.out.rfind(csvStart, 0), 0u) << name;
    EXPECT_NE(r.err.find("Total: 21 samples"), std::string::npos) << name;
  }
  // The file standard output goes to, named again, is written through it: nothing is lost.
  const fs::path out = base / "out.csv";
  ASSERT_EQ(Cli(Run(out.string()), {}, out).status, 0);
  EXPECT_EQ(test::ReadFile(out).rfind(csvStart, 0), 0u);
}

TEST_F(OutputRules, AFifoIsWrittenInPlaceForItsReader) {
  const fs::path fifo = base / "pipe.csv";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  // Held open for writing too, so that the reader never waits for a writer that may not come;
  // closed once the command is over, which ends the reader's file.
  const int keeper = ::open(fifo.c_str(), O_RDWR);
  ASSERT_GE(keeper, 0);
  std::string received;
  std::thread reader([&] {
    const int fd = ::open(fifo.c_str(), O_RDONLY);
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) received.append(buffer, n);
    ::close(fd);
  });
  const auto r = Cli(Run(fifo.string()));
  ::close(keeper);
  reader.join();
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(received.rfind("time,payload_height,", 0), 0u);
  EXPECT_EQ(std::count(received.begin(), received.end(), '\n'), 22);
}

TEST_F(OutputRules, WriteErrorsAreErrors) {
  // The device must be written in place before the command may be pointed at it.
  ASSERT_EQ(PlanOutput(kFullDevice).method, OutputMethod::kInPlace);
  const auto csv = Cli(Run(kFullDevice.string()));
  EXPECT_EQ(csv.status, 1);
  EXPECT_EQ(csv.err,
            "error: The results could not be written to /dev/full (No space left on "
            "device)\n");
  EXPECT_TRUE(fs::is_character_file(kFullDevice));

  // Standard output on a full disk: for the samples, and for anything a command prints.
  const auto dashed = Cli(Run("-"), {}, kFullDevice);
  EXPECT_EQ(dashed.status, 1);
  EXPECT_NE(dashed.err.find("error: The results could not be written to standard output (No "
                            "space left on device)\n"),
            std::string::npos)
      << dashed.err;
  for (const auto& args : {std::vector<std::string>{"show", mission.string()},
                           {"atmosphere", "--base", base.path().string(), "0"}}) {
    const auto shown = Cli(args, {}, kFullDevice);
    EXPECT_EQ(shown.status, 1) << args[0];
    EXPECT_EQ(shown.err,
              "error: The output could not be written to standard output (No space left on "
              "device)\n");
  }
}

TEST_F(OutputRules, ReadOnlyFilesAndTheInputAreNeverOverwritten) {
  const fs::path kept = base / "kept.csv";
  test::WriteFile(kept, "kept");
  fs::permissions(kept, fs::perms::owner_read);
  const auto readOnly = Cli(Run(kept.string()));
  EXPECT_EQ(readOnly.status, 1);
  EXPECT_EQ(readOnly.err,
            "error: Nothing can be written to " + kept.string() + " (the file is read-only)\n");
  EXPECT_EQ(readOnly.out, "");  // refused before the run
  EXPECT_EQ(test::ReadFile(kept), "kept");

  const std::string before = test::ReadFile(mission);
  fs::create_symlink(mission, base / "link.csv");
  test::WriteFile(base / "track.txt", "0\n0 1\n");
  for (const auto& args : {Run(mission.string()),
                           Run((base / "link.csv").string()),
                           std::vector<std::string>{"convert", mission.string(), "m.psd"},
                           {"import", "--csv", "track.txt", "track.txt"}}) {
    const auto r = Cli(args, base.path());
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_NE(r.err.find(" itself; nothing was done\n"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  EXPECT_EQ(test::ReadFile(mission), before);
  EXPECT_EQ(test::ReadFile(base / "track.txt"), "0\n0 1\n");
}

}  // namespace
}  // namespace plumora
