// The runs of a dispersion study as CSV, one line per run: its index, the value flown for each
// scattered input, how it ended, its outputs and the first message it showed. Numbers are written
// with full precision, so a file read back gives the very records that were written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/common/Result.h"
#include "core/dispersion/ScatteredRun.h"

namespace plumora {

// The header line (without its line feed): run, the inputs' names, end, the outputs, message.
std::string DispersionCsvHeader(const std::vector<std::string>& inputNames);

// Header and one line per record, in the records' order.
std::string DispersionCsvText(const std::vector<std::string>& inputNames,
                              const std::vector<RunRecord>& records);

// Runs read from one or more CSV files of the same study.
struct DispersionTable {
  std::vector<std::string> inputNames;
  std::vector<RunRecord> records;
  bool hasHeader = false;  // set by the first file read
};

// Adds the runs of one file's text to the table. The first file sets the inputs; every later one
// must have the same header. A kMalformed error (naming the line) when the text is not such a CSV;
// the table then holds what came before this file.
Result<> ReadDispersionCsv(std::string_view text, DispersionTable& table);

// Puts the runs in run order; a kInvalid error when a run is there twice.
Result<> SortDispersionRuns(DispersionTable& table);

}  // namespace plumora
