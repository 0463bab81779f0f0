#include "cli/Output.h"

namespace plumora::cli {

std::string FormatNumber(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

void PrintCsvRow(std::FILE* out, std::initializer_list<double> values) {
  std::string line;
  for (double v : values) {
    if (!line.empty()) line += ',';
    line += FormatNumber(v);
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), out);
}

}  // namespace plumora::cli
