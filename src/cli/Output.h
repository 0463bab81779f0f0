// Number formatting shared by the commands: every value with full precision.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>

namespace plumora::cli {

// One CSV line of numbers, each "%.17g".
void PrintCsvRow(std::FILE* out, std::initializer_list<double> values);
// A number as "%.17g".
std::string FormatNumber(double value);

}  // namespace plumora::cli
