#include "cli/Output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/app/PlumoraDoc.h"
#include "core/app/ResultsCsv.h"
#include "core/common/FileIO.h"
#include "core/common/Messages.h"
#include "core/flight/DerivedQuantities.h"

namespace plumora::cli {

namespace {

constexpr std::string_view kStandardOutputName = "-";

}  // namespace

void PrintCsvRow(std::FILE* out, std::initializer_list<double> values) {
  std::string line;
  for (double v : values) {
    if (!line.empty()) line += ',';
    AppendFullPrecision(line, v);
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), out);
}

bool IsStandardOutput(const std::string& path) {
  if (path == kStandardOutputName) return true;
  struct stat named {
  }, out{};
  return ::stat(path.c_str(), &named) == 0 && ::fstat(STDOUT_FILENO, &out) == 0 &&
         named.st_dev == out.st_dev && named.st_ino == out.st_ino;
}

bool CheckOutputOrReport(Prompter& prompter, const std::string& output,
                         const std::vector<std::filesystem::path>& inputs) {
  if (output == kStandardOutputName) return true;
  // What goes through standard output is written there, whatever the name would allow.
  Result<> checked = CheckNotAnInput(output, inputs);
  if (checked && !IsStandardOutput(output)) checked = CheckOutputTarget(output, {});
  if (checked) return true;
  prompter.Message(checked.message(), kCaptionError);
  return false;
}

bool WriteOrReport(const std::string& path, std::string_view bytes, std::string_view what,
                   Prompter& prompter) {
  if (IsStandardOutput(path)) return WriteStandardOutput(bytes, what);
  const Result<> written = WriteOutputFile(path, bytes);
  if (written) return true;
  prompter.Message(
      std::string(what) + " could not be written to " + path + " (" + written.message() + ")\n",
      kCaptionError);
  return false;
}

bool WriteCsvOrReport(const CPlumoraDoc& doc, const std::string& path, bool derivedColumns) {
  if (!derivedColumns) {
    return WriteOrReport(path, ResultsCsvText(doc.results), "The results", doc.prompter());
  }
  const std::vector<DerivedSample> derived =
      DeriveQuantities(doc.results, doc.atmosphereTable(), doc.planetConstants());
  return WriteOrReport(path, ResultsCsvText(doc.results, &derived), "The results",
                       doc.prompter());
}

bool FlushStandardOutput(std::string_view what, int earlierError) {
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  const int error = flushed ? earlierError : errno;
  if (flushed && !std::ferror(stdout)) return true;
  std::string text = std::string(what) + " could not be written to standard output";
  if (error != 0) text += " (" + std::string(std::strerror(error)) + ")";
  ConsolePrompter().Message(text + "\n", kCaptionError);
  std::clearerr(stdout);  // said once
  return false;
}

bool WriteStandardOutput(std::string_view bytes, std::string_view what) {
  errno = 0;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
  return FlushStandardOutput(what, written ? 0 : errno);
}

}  // namespace plumora::cli
