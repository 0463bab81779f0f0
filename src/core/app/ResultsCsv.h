// The results as CSV: the 46 sample fields in their order, then the phase type and the numbers
// of the payload and parachute records (−1 where none), every number with full precision. When
// asked, the derived quantities follow as five more columns (an empty cell where there is none).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/common/Result.h"

namespace plumora {

class CTrajectoryStore;
struct DerivedSample;

// Appends value with full precision ("%.17g"), so that it reads back to the same double.
void AppendFullPrecision(std::string& text, double value);

// The header line (without its line feed), with the derived quantities' columns when asked.
std::string ResultsCsvHeader(bool derivedColumns = false);
// Header and one line per sample; derived, when given, holds one entry per sample.
std::string ResultsCsvText(const CTrajectoryStore& results,
                           const std::vector<DerivedSample>* derived = nullptr);
// Writes ResultsCsvText to path as WriteOutputFile does (a regular file replaced only once
// complete, a device or FIFO written in place). The file named by keep (the mission the results
// came from) is never replaced. A kCannotWrite error says "The results could not be written to
// PATH (REASON)\n".
Result<> WriteResultsCsv(const CTrajectoryStore& results, const std::filesystem::path& path,
                         const std::filesystem::path& keep = {});

}  // namespace plumora
