#include <gtest/gtest.h>

#include <string>

#include "cli/Cli.h"
#include "core/dispersion/DispersionStudy.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

// Every example comes with the study its documentation reports, ready to fly.
TEST(ExampleStudies, EachReadsAndFliesAFewRuns) {
  for (const char* name : {"earth-return", "mars-entry", "titan-probe", "bridle-legs"}) {
    SCOPED_TRACE(name);
    const auto mission = test::DataFolder() / "examples" / (std::string(name) + ".psd");
    const auto file = DispersionStudyPath(mission);
    const Result<DispersionStudy> study = LoadDispersionStudy(file);
    ASSERT_TRUE(study.ok()) << study.message();
    EXPECT_EQ(study->runs, 200);
    EXPECT_EQ(study->seed, 1U);
    EXPECT_EQ(study->threads, 0);
    EXPECT_EQ(study->variations.size(), 6U);
    // Written as the program writes studies.
    EXPECT_EQ(test::ReadFile(file), DispersionStudyJson(study.value()));

    const auto flown =
        test::Cli({"dispersions", "--quiet", "--runs", "2", "--base", test::DataFolder().string(),
                   "--study", file.string(), mission.string()});
    ASSERT_EQ(flown.status, 0) << flown.err;
    EXPECT_EQ(flown.err, "");
    EXPECT_NE(flown.out.find("\"runs\": 2,\n  \"landed\": 2,\n  \"aloft\": 0,\n  \"failures\": 0"),
              std::string::npos)
        << flown.out;
  }
}

}  // namespace
}  // namespace plumora
