// Output shared by the commands: every number with full precision.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>

namespace plumora::cli {

// One CSV line of numbers, each "%.17g".
void PrintCsvRow(std::FILE* out, std::initializer_list<double> values);

}  // namespace plumora::cli
