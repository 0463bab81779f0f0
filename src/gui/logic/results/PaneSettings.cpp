#include "gui/logic/results/PaneSettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "gui/logic/results/DisplayOptions.h"
#include "gui/logic/study/StudyOutput.h"
#include "gui/logic/table/TableLayout.h"

namespace plumora::gui {

namespace {

constexpr char kPairSeparator = ';';
constexpr char kListSeparator = ',';

std::string FloatText(float value) {
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc() ? std::string(text, end) : "0";
}

// The whole text as a number, or false.
template <typename Number>
bool ReadNumber(std::string_view text, Number& value) {
  Number read{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), read);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  if constexpr (std::is_floating_point_v<Number>) {
    if (!std::isfinite(read)) return false;
  }
  value = read;
  return true;
}

bool ReadInRange(std::string_view text, int low, int high, int& value) {
  int read = 0;
  if (!ReadNumber(text, read) || read < low || read > high) return false;
  value = read;
  return true;
}

bool ReadSwitch(std::string_view text, bool& value) {
  int read = 0;
  if (!ReadInRange(text, 0, 1, read)) return false;
  value = read == 1;
  return true;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  while (true) {
    const std::size_t end = text.find(separator);
    parts.push_back(text.substr(0, end));
    if (end == std::string_view::npos) return parts;
    text.remove_prefix(end + 1);
  }
}

// One setting a line holds: its name, how it is written, and how its value is read back (false:
// the value does not read and the setting stays as it was).
struct SettingField {
  std::string_view name;
  std::string (*write)(const ResultsViewState&);
  bool (*read)(std::string_view, ResultsViewState&);
};

std::string ModeText(const ResultsViewState& s) {
  const DisplayMode mode = s.Mode();
  for (const ModeCommand& c : kModeCommands) {
    if (c.mode == mode) return std::string(c.text);
  }
  return {};
}

bool ReadMode(std::string_view text, ResultsViewState& s) {
  for (const ModeCommand& c : kModeCommands) {
    if (c.text != text) continue;
    s.modeFlags.fill(false);
    s.modeFlags[static_cast<std::size_t>(c.mode)] = true;
    return true;
  }
  return false;
}

std::string ColumnsText(const ResultsViewState& s) {
  std::string text;
  const auto add = [&text](std::string_view title) {
    if (!text.empty()) text += kListSeparator;
    text += title;
  };
  for (int k = 0; k < kTableColumnCount; ++k) {
    if (s.columnSwitches[static_cast<std::size_t>(k)]) add(kTableColumns[k].title);
  }
  for (int k = 0; k < kDerivedColumnCount; ++k) {
    if (s.derivedColumns[static_cast<std::size_t>(k)]) add(kDerivedTableColumns[k].title);
  }
  return text;
}

// The shown columns, stored and derived, by their titles, so that columns added later keep their
// places.
bool ReadColumns(std::string_view text, ResultsViewState& s) {
  ColumnSwitches switches{};
  DerivedSwitches derived{};
  bool known = text.empty();  // a table with every column switched off
  for (std::string_view title : Split(text, kListSeparator)) {
    for (int k = 0; k < kTableColumnCount; ++k) {
      if (kTableColumns[static_cast<std::size_t>(k)].title != title) continue;
      switches[static_cast<std::size_t>(k)] = true;
      known = true;
    }
    for (int k = 0; k < kDerivedColumnCount; ++k) {
      if (kDerivedTableColumns[static_cast<std::size_t>(k)].title != title) continue;
      derived[static_cast<std::size_t>(k)] = true;
      known = true;
    }
  }
  if (!known) return false;
  ApplyTableOptions(s, switches, derived);
  return true;
}

// The further curves of the chart, as chart variables; an empty list is none.
std::string MoreYText(const ResultsViewState& s) {
  std::string text;
  for (int variable : s.chartMoreY) {
    if (!text.empty()) text += kListSeparator;
    text += std::to_string(variable);
  }
  return text;
}

bool ReadMoreY(std::string_view text, ResultsViewState& s) {
  std::vector<int> more;
  if (!text.empty()) {
    for (std::string_view part : Split(text, kListSeparator)) {
      int variable = 0;
      if (!ReadInRange(part, 0, kChartVariableCount - 1, variable)) return false;
      more.push_back(variable);
    }
  }
  if (more.size() + 1 > static_cast<std::size_t>(kMaxChartCurves)) return false;
  s.chartMoreY = std::move(more);
  return true;
}

std::string LightText(const ResultsViewState& s) {
  return FloatText(s.lightPosition[0]) + kListSeparator + FloatText(s.lightPosition[1]) +
         kListSeparator + FloatText(s.lightPosition[2]);
}

bool ReadLight(std::string_view text, ResultsViewState& s) {
  const std::vector<std::string_view> parts = Split(text, kListSeparator);
  std::array<float, 3> xyz{};
  if (parts.size() != xyz.size()) return false;
  for (std::size_t k = 0; k < xyz.size(); ++k) {
    if (!ReadNumber(parts[k], xyz[k])) return false;
  }
  std::copy(xyz.begin(), xyz.end(), s.lightPosition.begin());
  return true;
}

std::string TurnText(const ResultsViewState& s) {
  return FloatText(s.sceneRotation.tilt()) + kListSeparator + FloatText(s.sceneRotation.turn());
}

bool ReadTurn(std::string_view text, ResultsViewState& s) {
  const std::vector<std::string_view> parts = Split(text, kListSeparator);
  float tilt = 0.0f;
  float turn = 0.0f;
  if (parts.size() != 2 || !ReadNumber(parts[0], tilt) || !ReadNumber(parts[1], turn)) {
    return false;
  }
  s.sceneRotation.Set(tilt, turn);
  return true;
}

bool ReadSceneZoom(std::string_view text, ResultsViewState& s) {
  float zoom = 0.0f;
  if (!ReadNumber(text, zoom) || zoom < kMinWheelZoom || zoom > kMaxWheelZoom) return false;
  s.sceneZoom = zoom;
  return true;
}

std::string Switch(bool on) {
  return on ? "1" : "0";
}

// clang-format off
const SettingField kSettingFields[] = {
    {"mode", ModeText, ReadMode},
    {"chartX", [](const ResultsViewState& s) { return std::to_string(s.chartX); },
     [](std::string_view t, ResultsViewState& s) {
       return ReadInRange(t, 0, kChartVariableCount - 1, s.chartX); }},
    {"chartY", [](const ResultsViewState& s) { return std::to_string(s.chartY); },
     [](std::string_view t, ResultsViewState& s) {
       return ReadInRange(t, 0, kChartVariableCount - 1, s.chartY); }},
    {"chartBody", [](const ResultsViewState& s) { return std::to_string(s.chartBody); },
     [](std::string_view t, ResultsViewState& s) { return ReadInRange(t, 0, 1, s.chartBody); }},
    {"roundTicks", [](const ResultsViewState& s) { return Switch(s.chartSwitches.roundTicks); },
     [](std::string_view t, ResultsViewState& s) {
       return ReadSwitch(t, s.chartSwitches.roundTicks); }},
    {"fitYToZoom", [](const ResultsViewState& s) { return Switch(s.chartSwitches.fitYToZoom); },
     [](std::string_view t, ResultsViewState& s) {
       return ReadSwitch(t, s.chartSwitches.fitYToZoom); }},
    {"gridLines", [](const ResultsViewState& s) { return Switch(s.chartSwitches.gridLines); },
     [](std::string_view t, ResultsViewState& s) {
       return ReadSwitch(t, s.chartSwitches.gridLines); }},
    {"logY", [](const ResultsViewState& s) { return Switch(s.chartSwitches.logY); },
     [](std::string_view t, ResultsViewState& s) { return ReadSwitch(t, s.chartSwitches.logY); }},
    {"moreY", MoreYText, ReadMoreY},
    {"columns", ColumnsText, ReadColumns},
    {"light", LightText, ReadLight},
    {"trackLine", [](const ResultsViewState& s) { return Switch(s.trackLine); },
     [](std::string_view t, ResultsViewState& s) { return ReadSwitch(t, s.trackLine); }},
    {"trackEllipses", [](const ResultsViewState& s) { return Switch(s.trackEllipses); },
     [](std::string_view t, ResultsViewState& s) { return ReadSwitch(t, s.trackEllipses); }},
    {"studyOutput", [](const ResultsViewState& s) { return std::string(NameOf(s.studyOutput)); },
     [](std::string_view t, ResultsViewState& s) {
       const std::optional<StudyOutput> output = StudyOutputNamed(t);
       if (output) s.studyOutput = *output;
       return output.has_value(); }},
    {"sceneTurn", TurnText, ReadTurn},
    {"sceneZoom", [](const ResultsViewState& s) { return FloatText(s.sceneZoom); },
     ReadSceneZoom},
};
// clang-format on

}  // namespace

std::string PaneSettingsText(const ResultsViewState& state) {
  std::string text;
  for (const SettingField& field : kSettingFields) {
    const std::string value = field.write(state);
    if (&field == &kSettingFields[0] && value.empty()) continue;  // a blank pane has no mode
    if (!text.empty()) text += kPairSeparator;
    text.append(field.name).append("=").append(value);
  }
  return text;
}

void ReadPaneSettings(std::string_view text, ResultsViewState& state) {
  for (std::string_view pair : Split(text, kPairSeparator)) {
    const std::size_t equals = pair.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view name = pair.substr(0, equals);
    for (const SettingField& field : kSettingFields) {
      if (field.name == name) (void)field.read(pair.substr(equals + 1), state);
    }
  }
}

void RememberedPanes::SetEntries(std::vector<MissionPanes> entries) {
  entries_.clear();
  for (MissionPanes& entry : entries) {
    if (static_cast<int>(entries_.size()) == kRememberedMissions) break;
    if (entry.path.empty() || Find(entry.path)) continue;
    entries_.push_back(std::move(entry));
  }
}

const MissionPanes* RememberedPanes::Find(std::string_view path) const {
  for (const MissionPanes& entry : entries_) {
    if (entry.path == path) return &entry;
  }
  return nullptr;
}

void RememberedPanes::Remember(MissionPanes panes) {
  if (panes.path.empty()) return;
  std::erase_if(entries_, [&panes](const MissionPanes& e) { return e.path == panes.path; });
  entries_.insert(entries_.begin(), std::move(panes));
  if (static_cast<int>(entries_.size()) > kRememberedMissions) entries_.resize(kRememberedMissions);
}

std::string MissionKey(const std::filesystem::path& file) {
  // Absolute first: the canonical form of a path whose folders do not exist stays relative.
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(file, error).lexically_normal();
  std::filesystem::path key = std::filesystem::weakly_canonical(absolute, error);
  return (error ? absolute : key).string();
}

}  // namespace plumora::gui
