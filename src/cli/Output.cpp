#include "cli/Output.h"

#include "core/app/PlumoraDoc.h"
#include "core/app/ResultsCsv.h"
#include "core/common/Messages.h"

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

bool WriteCsvOrReport(const CPlumoraDoc& doc, const std::string& path) {
  std::string reason;
  if (WriteResultsCsv(doc.results, path, reason)) return true;
  doc.prompter().Message("The results could not be written to " + path + " (" + reason + ")\n",
                         kCaptionError);
  return false;
}

}  // namespace plumora::cli
