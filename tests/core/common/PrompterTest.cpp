#include <gtest/gtest.h>

#include <cstdio>

#include "core/common/Prompter.h"

namespace plumora {
namespace {

TEST(Prompter, ConsoleLinesKeepOneLineFeed) {
  EXPECT_EQ(FormatPrompt("Number of data points > 32000\n", "error"),
            "error: Number of data points > 32000\n");
  EXPECT_EQ(FormatPrompt("Sorry, no support for non-axisymmetric bodies yet", "error"),
            "error: Sorry, no support for non-axisymmetric bodies yet\n");
  // Only one trailing line feed is absorbed; a deliberate blank line survives.
  EXPECT_EQ(FormatPrompt("two\n\n", "warning"), "warning: two\n\n");
}

TEST(Prompter, ConsoleAnswersByPolicyOrFromTheTerminal) {
  char output[256] = {};
  std::FILE* out = fmemopen(output, sizeof output - 1, "w");
  char input[] = "maybe\nc\n";
  std::FILE* in = fmemopen(input, sizeof input - 1, "r");
  ConsolePrompter console(out, ConsolePrompter::QuestionPolicy::AskOnTerminal, in);
  EXPECT_FALSE(console.AskOkCancel("Parachute flip. Continue?\n", "error"));  // "maybe", then c
  console.SetPolicy(ConsolePrompter::QuestionPolicy::AnswerYes);
  EXPECT_TRUE(console.AskYesNo("Sure?", "Warning!"));
  std::fclose(out);
  std::fclose(in);
  EXPECT_NE(std::string(output).find("error: Parachute flip. Continue?\n"), std::string::npos);
}

TEST(Prompter, RecorderAnswersFromItsScriptThenTheDefault) {
  RecordingPrompter r;
  r.QueueAnswers({false});
  r.defaultAnswer = true;
  EXPECT_FALSE(r.AskOkCancel("a", "error"));
  EXPECT_TRUE(r.AskYesNo("b", "Warning!"));
  r.Message("c\n", "error");
  ASSERT_EQ(r.entries().size(), 3u);
  EXPECT_EQ(r.entries()[1].kind, RecordingPrompter::Kind::YesNo);
  EXPECT_EQ(r.Transcript(), "error: a\nWarning!: b\nerror: c\n");
}

}  // namespace
}  // namespace plumora
