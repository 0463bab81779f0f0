// The results as CSV: the 46 sample fields in their order, then the phase type and the numbers
// of the payload and parachute records (−1 where none), every number with full precision.
#pragma once

#include <filesystem>
#include <string>

namespace plumora {

class CTrajectoryStore;
class Prompter;

// Appends value with full precision ("%.17g"), so that it reads back to the same double.
void AppendFullPrecision(std::string& text, double value);

// The header line (without its line feed).
std::string ResultsCsvHeader();
// Header and one line per sample.
std::string ResultsCsvText(const CTrajectoryStore& results);
// Writes ResultsCsvText to path as WriteOutputFile does (a regular file replaced only once
// complete, a device or FIFO written in place); false with reason.
bool WriteResultsCsv(const CTrajectoryStore& results, const std::filesystem::path& path,
                     std::string& reason);
// The same, saying what went wrong through prompter (caption "error"). The file named by keep
// (the mission the results came from) is never replaced.
bool WriteResultsCsvOrReport(const CTrajectoryStore& results, const std::filesystem::path& path,
                             Prompter& prompter, const std::filesystem::path& keep = {});

}  // namespace plumora
