// Output shared by the commands: every number with full precision.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>

namespace plumora {
class CPlumoraDoc;
}

namespace plumora::cli {

// One CSV line of numbers, each "%.17g".
void PrintCsvRow(std::FILE* out, std::initializer_list<double> values);
// Writes the document's results as CSV to path; a failure is reported through the document's
// prompter (caption "error") and gives false.
bool WriteCsvOrReport(const CPlumoraDoc& doc, const std::string& path);

}  // namespace plumora::cli
