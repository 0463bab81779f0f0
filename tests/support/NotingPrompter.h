// A prompter that records like RecordingPrompter and calls `note` first, so that a test can see
// on which thread each prompt of a run was shown.
#pragma once

#include <functional>

#include "core/common/Prompter.h"

namespace plumora::test {

struct NotingPrompter final : ForwardingPrompter {
  NotingPrompter() : ForwardingPrompter(recorder, [this] { note(); }) {}
  RecordingPrompter recorder;
  std::function<void()> note = [] {};
};

}  // namespace plumora::test
