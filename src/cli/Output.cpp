#include "cli/Output.h"

#include "core/app/ResultsCsv.h"

namespace plumora::cli {

void PrintCsvRow(std::FILE* out, std::initializer_list<double> values) {
  std::string line;
  for (double v : values) {
    if (!line.empty()) line += ',';
    AppendFullPrecision(line, v);
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), out);
}

}  // namespace plumora::cli
