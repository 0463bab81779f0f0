// Output shared by the commands: every number with full precision, and files written only where
// the user pointed, with every failed write reported.
#pragma once

#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace plumora {
class CPlumoraDoc;
class Prompter;
}  // namespace plumora

namespace plumora::cli {

// One CSV line of numbers, each "%.17g".
void PrintCsvRow(std::FILE* out, std::initializer_list<double> values);

// True for "-" and for a name of the file that standard output already writes to (/dev/stdout,
// or the file it was redirected to): such output goes through standard output, after anything
// printed before it, instead of opening the file a second time.
bool IsStandardOutput(const std::string& path);

// Before anything runs: output must not go over any of the inputs (the same file, through links
// too), nor to a target that would be refused. False, reported through the prompter, otherwise.
bool CheckOutputOrReport(Prompter& prompter, const std::string& output,
                         const std::vector<std::filesystem::path>& inputs);

// Writes bytes to path: to standard output as IsStandardOutput says, otherwise as WriteOutputFile
// does. A failure is reported through the prompter ("WHAT could not be written to PATH (REASON)",
// caption "error") and gives false.
bool WriteOrReport(const std::string& path, std::string_view bytes, std::string_view what,
                   Prompter& prompter);
// The document's results as CSV, written so; the document's prompter hears of a failure. With
// derivedColumns the derived quantities follow, worked out in the document's air.
bool WriteCsvOrReport(const CPlumoraDoc& doc, const std::string& path,
                      bool derivedColumns = false);

// Flushes standard output. A write that failed now or earlier is reported on stderr as "error:
// WHAT could not be written to standard output (REASON)" and gives false; earlierError is the
// errno of a failed write before, when known.
bool FlushStandardOutput(std::string_view what = "The output", int earlierError = 0);
// Writes bytes to standard output and flushes them, as FlushStandardOutput reports.
bool WriteStandardOutput(std::string_view bytes, std::string_view what = "The output");

}  // namespace plumora::cli
