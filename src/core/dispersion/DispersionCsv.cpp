#include "core/dispersion/DispersionCsv.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/app/ResultsCsv.h"
#include "core/common/WholeText.h"

namespace plumora {

namespace {

constexpr std::string_view kRunColumn = "run";
constexpr std::string_view kEndColumn = "end";
constexpr std::string_view kMessageColumn = "message";
constexpr std::array<RunEnd, 3> kEnds = {RunEnd::kLanded, RunEnd::kAloft, RunEnd::kFailed};

// A field quoted when it holds a comma or a quote, its quotes doubled.
void AppendText(std::string& line, std::string_view text) {
  if (text.find_first_of(",\"") == std::string_view::npos) {
    line += text;
    return;
  }
  line += '"';
  for (const char c : text) {
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

// Splits one line into its fields, quoted ones unquoted. False on a stray or unclosed quote.
bool SplitLine(std::string_view line, std::vector<std::string>& fields) {
  fields.assign(1, std::string());
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    std::string& field = fields.back();
    if (quoted) {
      if (c != '"') {
        field += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        field += '"';
        ++i;
      } else {
        quoted = false;
        if (i + 1 < line.size() && line[i + 1] != ',') return false;
      }
    } else if (c == ',') {
      fields.emplace_back();
    } else if (c == '"' && field.empty()) {
      quoted = true;
    } else {
      field += c;
    }
  }
  return !quoted;
}

bool ParseEnd(const std::string& text, RunEnd& end) {
  const auto known =
      std::find_if(kEnds.begin(), kEnds.end(), [&](RunEnd e) { return RunEndName(e) == text; });
  if (known == kEnds.end()) return false;
  end = *known;
  return true;
}

// Columns besides the inputs: run, end, the outputs and the message.
constexpr std::size_t kFixedColumns = 3 + kFlightOutputFields.size();

std::string JoinFields(const std::vector<std::string>& fields) {
  std::string line;
  for (const std::string& f : fields) line += (line.empty() ? "" : ",") + f;
  return line;
}

// The input names of a header, or false when it is not a dispersion CSV's header.
bool ReadHeader(const std::vector<std::string>& columns, std::vector<std::string>& inputNames) {
  if (columns.size() < kFixedColumns) return false;
  inputNames.assign(columns.begin() + 1, columns.end() - static_cast<long>(kFixedColumns - 1));
  return DispersionCsvHeader(inputNames) == JoinFields(columns);
}

bool ReadRow(const std::vector<std::string>& fields, std::size_t inputCount, RunRecord& r) {
  if (fields.size() != inputCount + kFixedColumns) return false;
  std::size_t k = 0;
  if (!ParseWholeText(fields[k++], r.run) || r.run < 0) return false;
  // The numbers as %.17g wrote them ("nan" and "inf" included).
  r.inputs.resize(inputCount);
  for (double& input : r.inputs) {
    if (!ParseWholeText(fields[k++], input)) return false;
  }
  if (!ParseEnd(fields[k++], r.end)) return false;
  for (const FlightOutputField& field : kFlightOutputFields) {
    if (!ParseWholeText(fields[k++], r.outputs.*field.member)) return false;
  }
  r.message = fields[k];
  return true;
}

}  // namespace

std::string DispersionCsvHeader(const std::vector<std::string>& inputNames) {
  std::string header(kRunColumn);
  for (const std::string& name : inputNames) header += "," + name;
  header += "," + std::string(kEndColumn);
  for (const FlightOutputField& field : kFlightOutputFields)
    header += "," + std::string(field.name);
  return header + "," + std::string(kMessageColumn);
}

std::string DispersionCsvText(const std::vector<std::string>& inputNames,
                              const std::vector<RunRecord>& records) {
  std::string text = DispersionCsvHeader(inputNames) + "\n";
  for (const RunRecord& r : records) {
    text += std::to_string(r.run);
    for (double input : r.inputs) {
      text += ',';
      AppendFullPrecision(text, input);
    }
    text += ',';
    text += RunEndName(r.end);
    for (const FlightOutputField& field : kFlightOutputFields) {
      text += ',';
      AppendFullPrecision(text, r.outputs.*field.member);
    }
    text += ',';
    AppendText(text, r.message);
    text += '\n';
  }
  return text;
}

Result<> ReadDispersionCsv(std::string_view text, DispersionTable& table) {
  const std::size_t recordsBefore = table.records.size();
  std::vector<std::string> fields, names;
  int lineNumber = 0;
  bool headerSeen = false;
  const auto refuse = [&](const std::string& why) {
    table.records.resize(recordsBefore);
    return Fail(ErrorCode::kMalformed, "line " + std::to_string(lineNumber) + ": " + why);
  };
  while (!text.empty()) {
    const std::size_t feed = text.find('\n');
    std::string_view line = text.substr(0, feed);
    text.remove_prefix(feed == std::string_view::npos ? text.size() : feed + 1);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    if (!SplitLine(line, fields)) return refuse("a quote is not closed where it should be");
    if (!headerSeen) {
      if (!ReadHeader(fields, names)) {
        return refuse("not the header of a dispersions CSV (run,INPUT...,end,landing_time,...)");
      }
      if (table.hasHeader && names != table.inputNames) {
        return refuse("the scattered inputs differ from those of the files before");
      }
      headerSeen = true;
      continue;
    }
    RunRecord record;
    if (!ReadRow(fields, names.size(), record)) {
      return refuse("expected " + std::to_string(names.size() + kFixedColumns) +
                    " fields: the run index, numbers, an end (landed, aloft or failed) and a "
                    "message");
    }
    table.records.push_back(std::move(record));
  }
  if (!headerSeen) return Fail(ErrorCode::kMalformed, "holds no header line");
  table.inputNames = std::move(names);
  table.hasHeader = true;
  return {};
}

Result<> SortDispersionRuns(DispersionTable& table) {
  std::vector<RunRecord>& records = table.records;
  std::stable_sort(records.begin(), records.end(),
                   [](const RunRecord& a, const RunRecord& b) { return a.run < b.run; });
  const auto twice =
      std::adjacent_find(records.begin(), records.end(),
                         [](const RunRecord& a, const RunRecord& b) { return a.run == b.run; });
  if (twice != records.end()) {
    return Fail(ErrorCode::kInvalid, "run " + std::to_string(twice->run) + " is there twice");
  }
  return {};
}

}  // namespace plumora
