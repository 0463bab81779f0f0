#include "core/app/DataImport.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/app/PlumoraDoc.h"
#include "core/common/DataFileErrors.h"
#include "core/common/FileIO.h"
#include "core/common/Messages.h"
#include "core/common/TextScanner.h"

namespace plumora {

namespace {

// The columns in file order, the sample field each fills and the factor to SI units.
struct ImportColumn {
  bool ImportColumns::*chosen;
  double CTrajectorySample::*field;
  double scale;
};
constexpr std::array<ImportColumn, 7> kColumns = {{
    {&ImportColumns::time, &CTrajectorySample::time, 1.0},
    {&ImportColumns::latitude, &CTrajectorySample::latitude, 1.0},
    {&ImportColumns::longitude, &CTrajectorySample::longitude, 1.0},
    {&ImportColumns::heading, &CTrajectorySample::heading, 1.0},
    {&ImportColumns::altitude, &CTrajectorySample::payloadHeight, 1000.0},  // km to m
    {&ImportColumns::pathAngle, &CTrajectorySample::payloadPathAngle, 1.0},
    {&ImportColumns::speed, &CTrajectorySample::payloadSpeed, 1000.0},  // km/s to m/s
}};

// The lines of text, whichever of CR LF, LF or CR ends them.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] != '\n' && text[k] != '\r') continue;
    lines.push_back(text.substr(start, k - start));
    if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
    start = k + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\f\v") == std::string_view::npos;
}

Error LineError(const std::filesystem::path& path, int line, std::string_view what) {
  return DataFileError("import", path, what, line);
}

// The samples are in the store; the views and the animation follow them.
void Publish(CPlumoraDoc& doc) {
  doc.results.ComputeRanges();
  doc.NotifyResultsChanged();
  doc.NotifyViewsNeedUpdate();
}

}  // namespace

Result<> ImportTrajectory(CPlumoraDoc& doc, const std::filesystem::path& path,
                          const ImportColumns& columns) {
  // Without a column no read would ever meet the end of the file.
  if (std::none_of(kColumns.begin(), kColumns.end(),
                   [&](const ImportColumn& c) { return columns.*c.chosen; })) {
    return Fail(ErrorCode::kInvalid, std::string(kMsgImportNeedsAColumn));
  }
  const Result<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    return Fail(ErrorCode::kCannotOpen,
                std::string(kMsgCouldNotOpenFile.substr(0, kMsgCouldNotOpenFile.size() - 1)) + " " +
                    path.string() + " (" + bytes.message() + ")\n");
  }
  const std::vector<std::string_view> lines = SplitLines(bytes.value());
  doc.results.Clear();
  CPayload& payload = doc.mission.CreatePayload();
  payload.name = "import";
  const std::shared_ptr<CPayload> payloadRef = doc.mission.FindPayload(payload.number);
  std::size_t first = 0;  // the planet's line: the first that is not blank
  while (first < lines.size() && IsBlank(lines[first])) ++first;
  // The planet index; an index the program has no planet for would read a wrong atmosphere.
  int planet = 0;
  TextScanner head(std::string(first < lines.size() ? lines[first] : std::string_view()));
  if (!head.ReadInt(planet) || planet < kEarth || planet > kTitan) {
    return LineError(path, static_cast<int>(first) + 1,
                     "does not begin with a planet index of 0, 1 or 2");
  }
  doc.mission.environment.planet = planet;
  if (Result<> air = doc.ReadAtmosphere(); !air) return air;
  const int wanted = static_cast<int>(std::count_if(
      kColumns.begin(), kColumns.end(), [&](const ImportColumn& c) { return columns.*c.chosen; }));
  // Each line is one sample; whatever follows its last column is a remark, however long.
  for (std::size_t k = first + 1; k < lines.size(); ++k) {
    if (IsBlank(lines[k])) continue;
    const int lineNumber = static_cast<int>(k) + 1;
    TextScanner in{std::string(lines[k])};
    CTrajectorySample sample;
    int read = 0;
    for (const ImportColumn& column : kColumns) {
      if (!(columns.*column.chosen)) continue;
      if (in.OnlyBlanksLeft()) {
        Error error = LineError(path, lineNumber,
                                "holds " + std::to_string(read) + " numbers on a line where " +
                                    std::to_string(wanted) + " columns are chosen");
        Publish(doc);
        return error;
      }
      double value = 0.0;
      if (!in.ReadFloat(value)) {
        Error error = LineError(path, lineNumber,
                                "holds something other than a number where a number must stand");
        Publish(doc);
        return error;
      }
      sample.*column.field = value * column.scale;
      ++read;
    }
    sample.payload = payloadRef;
    sample.phaseType = kSampleBallistic;
    doc.results.Append(std::move(sample));
  }
  Publish(doc);
  return {};
}

}  // namespace plumora
