// A prompter that records like RecordingPrompter and calls `note` first, so that a test can see
// on which thread each prompt of a run was shown.
#pragma once

#include <functional>

#include "core/common/Prompter.h"

namespace plumora::test {

struct NotingPrompter final : Prompter {
  RecordingPrompter recorder;
  std::function<void()> note = [] {};

  void Message(std::string_view text, std::string_view caption) override {
    note();
    recorder.Message(text, caption);
  }
  bool AskOkCancel(std::string_view text, std::string_view caption) override {
    note();
    return recorder.AskOkCancel(text, caption);
  }
  bool AskYesNo(std::string_view text, std::string_view caption) override {
    note();
    return recorder.AskYesNo(text, caption);
  }
};

}  // namespace plumora::test
