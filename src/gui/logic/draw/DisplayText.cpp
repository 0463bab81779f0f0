#include "gui/logic/draw/DisplayText.h"

#include <cstdio>

#include "core/app/RunMission.h"
#include "core/common/CodePage.h"
#include "core/flight/TrajectoryStore.h"

namespace plumora::gui {

std::string DisplayText(std::string_view bytes) {
  return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

std::optional<std::string> StoredText(std::string_view utf8, char32_t& unstorable) {
  std::string bytes;
  if (!Utf8ToWindows1252(utf8, bytes, unstorable)) return std::nullopt;
  return bytes;
}

namespace {

std::string CharacterMessage(std::string_view label, std::string_view verb, char32_t character,
                             std::string_view outcome) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
  std::string message = "\"";
  message.append(label);
  message.append("\" ");
  message.append(verb);
  message.append(" the character ");
  message.append(code);
  message.append(", which a mission file cannot keep. ");
  message.append(outcome);
  return message;
}

}  // namespace

std::string UnstorableTextMessage(std::string_view label, char32_t character) {
  return CharacterMessage(label, "holds", character, "The previous text is kept.");
}

std::string LeftOutCharacterMessage(std::string_view label, char32_t character) {
  return CharacterMessage(label, "cannot take", character, "It was left out.");
}

namespace {

// "1201 samples, 120.5 s"
std::string SampleCount(const CTrajectoryStore& results) {
  const int count = results.LastIndex() + 1;
  if (count <= 0) return "no samples";
  char text[96];
  std::snprintf(text, sizeof text, "%d sample%s, %.10g s", count, count == 1 ? "" : "s",
                results.SampleAt(results.LastIndex()).time);
  return text;
}

}  // namespace

std::string RunEndText(const RunOutcome& outcome, const CTrajectoryStore& results) {
  switch (outcome.start) {
    case RunStart::kNothingToRun:
      return "Nothing was run: the mission has no computed phase.";
    case RunStart::kRecordRefused:
      return "Nothing was run: a record the phases fly cannot fly.";
    case RunStart::kAtmosphereUnread:
      return "Nothing was run: the atmosphere could not be read.";
    case RunStart::kRan:
      break;
  }
  switch (outcome.End()) {
    case FlightEnd::kLanded:
    case FlightEnd::kStopCondition:
      return "Done: " + SampleCount(results);
    case FlightEnd::kDeclined:
      return "Ended where the parachute flip question was declined: " + SampleCount(results);
    case FlightEnd::kStoppedByUser:
      return "Stopped: " + SampleCount(results);
    case FlightEnd::kNotFlown:
    case FlightEnd::kFailed:
      break;
  }
  return "Ended with an error: " + SampleCount(results);
}

}  // namespace plumora::gui
