#include "core/app/ResultsCsv.h"

#include <charconv>
#include <cstdio>

#include "core/common/FileIO.h"
#include "core/common/Messages.h"
#include "core/common/Prompter.h"
#include "core/flight/TrajectoryStore.h"
#include "core/mission/Records.h"

namespace plumora {

void AppendFullPrecision(std::string& text, double value) {
  char digits[32];
  const int n = std::snprintf(digits, sizeof digits, "%.17g", value);
  text.append(digits, static_cast<std::size_t>(n));
}

std::string ResultsCsvHeader() {
  std::string header;
  for (const SampleFieldInfo& field : kSampleFields) {
    header += field.csvName;
    header += ',';
  }
  return header + "phase_type,payload_number,parachute_number";
}

std::string ResultsCsvText(const CTrajectoryStore& results) {
  std::string text = ResultsCsvHeader() + '\n';
  for (const CTrajectorySample& s : results.Samples()) {
    for (const SampleFieldInfo& field : kSampleFields) {
      AppendFullPrecision(text, s.*field.member);
      text += ',';
    }
    text += std::to_string(s.phaseType) + ',';
    text += std::to_string(s.payload ? s.payload->number : -1) + ',';
    text += std::to_string(s.parachute ? s.parachute->number : -1) + '\n';
  }
  return text;
}

bool WriteResultsCsv(const CTrajectoryStore& results, const std::filesystem::path& path,
                     std::string& reason) {
  return WriteOutputFile(path, ResultsCsvText(results), reason);
}

bool WriteResultsCsvOrReport(const CTrajectoryStore& results, const std::filesystem::path& path,
                             Prompter& prompter, const std::filesystem::path& keep) {
  std::string reason;
  if (!keep.empty() && IsSameFile(path, keep)) {
    reason = "that is the mission's own file";
  } else if (WriteResultsCsv(results, path, reason)) {
    return true;
  }
  prompter.Message("The results could not be written to " + path.string() + " (" + reason + ")\n",
                   kCaptionError);
  return false;
}

}  // namespace plumora
