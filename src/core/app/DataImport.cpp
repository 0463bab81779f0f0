#include "core/app/DataImport.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/app/PlumoraDoc.h"
#include "core/common/DataFileErrors.h"
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
  auto in = TextScanner::Open(path);
  if (!in) return Fail(ErrorCode::kCannotOpen, std::string(kMsgCouldNotOpenFile));
  doc.results.Clear();
  CPayload& payload = doc.mission.CreatePayload();
  payload.name = "import";
  const std::shared_ptr<CPayload> payloadRef = doc.mission.FindPayload(payload.number);

  // The planet index; an index the program has no planet for would read a wrong atmosphere.
  int planet = 0;
  if (!in->ReadInt(planet) || planet < kEarth || planet > kTitan) {
    return LineError(path, in->Line(), "does not begin with a planet index of 0, 1 or 2");
  }
  doc.mission.environment.planet = planet;
  in->SkipRestOfLine();
  if (Result<> air = doc.ReadAtmosphere(); !air) return air;

  for (;;) {
    CTrajectorySample sample;
    bool complete = true;
    for (const ImportColumn& column : kColumns) {
      if (!(columns.*column.chosen)) continue;
      if (in->OnlyBlanksLeft()) {
        complete = false;  // the file ends: this sample is dropped
        break;
      }
      double value = 0.0;
      if (!in->ReadFloat(value)) {
        Error error = LineError(path, in->Line(),
                                "holds something other than a number where a number must stand");
        Publish(doc);
        return error;
      }
      sample.*column.field = value * column.scale;
    }
    if (!complete) break;
    // Whatever follows the last column is a remark, however long: never the next sample.
    in->SkipRestOfLine();
    sample.payload = payloadRef;
    sample.phaseType = kSampleBallistic;
    doc.results.Append(std::move(sample));
  }
  Publish(doc);
  return {};
}

}  // namespace plumora
