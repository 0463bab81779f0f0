#include "core/app/ResultsCsv.h"

#include <charconv>
#include <cmath>

#include "core/common/FileIO.h"
#include "core/common/Messages.h"
#include "core/flight/DerivedQuantities.h"
#include "core/flight/TrajectoryStore.h"
#include "core/mission/Records.h"

namespace plumora {

namespace {

// Longest "%.17g": sign, 17 digits, point, "e-308".
constexpr int kMaxNumberLength = 32;
// What one line of the results takes, about, for reserving the text.
constexpr std::size_t kTypicalLineLength = 49 * 22;

void AppendInteger(std::string& text, int value) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  text.append(digits, end);
}

}  // namespace

void AppendFullPrecision(std::string& text, double value) {
  // The same characters as printf's "%.17g", without the locale and format parsing.
  char digits[kMaxNumberLength];
  const auto end =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 17).ptr;
  text.append(digits, end);
}

std::string ResultsCsvHeader(bool derivedColumns) {
  std::string header;
  for (const SampleFieldInfo& field : kSampleFields) {
    header += field.csvName;
    header += ',';
  }
  header += "phase_type,payload_number,parachute_number";
  if (derivedColumns) {
    for (const DerivedField& field : kDerivedFields) {
      header += ',';
      header += field.csvName;
    }
  }
  return header;
}

std::string ResultsCsvText(const CTrajectoryStore& results,
                           const std::vector<DerivedSample>* derived) {
  std::string text = ResultsCsvHeader(derived != nullptr) + '\n';
  text.reserve(text.size() + results.Samples().size() * kTypicalLineLength);
  std::size_t index = 0;
  for (const CTrajectorySample& s : results.Samples()) {
    for (const SampleFieldInfo& field : kSampleFields) {
      AppendFullPrecision(text, s.*field.member);
      text += ',';
    }
    AppendInteger(text, s.phaseType);
    text += ',';
    AppendInteger(text, s.payload ? s.payload->number : -1);
    text += ',';
    AppendInteger(text, s.parachute ? s.parachute->number : -1);
    if (derived != nullptr) {
      for (const DerivedField& field : kDerivedFields) {
        text += ',';
        const double value = (*derived)[index].*field.member;
        if (!std::isnan(value)) AppendFullPrecision(text, value);
      }
    }
    ++index;
    text += '\n';
  }
  return text;
}

Result<> WriteResultsCsv(const CTrajectoryStore& results, const std::filesystem::path& path,
                         const std::filesystem::path& keep) {
  const auto failure = [&](const std::string& reason) {
    return Fail(ErrorCode::kCannotWrite,
                "The results could not be written to " + path.string() + " (" + reason + ")\n");
  };
  if (!keep.empty() && IsSameFile(path, keep)) return failure("that is the mission's own file");
  if (Result<> written = WriteOutputFile(path, ResultsCsvText(results)); !written) {
    return failure(written.message());
  }
  return {};
}

}  // namespace plumora
