#include "gui/logic/snapshot/SnapshotOptions.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <map>

#include "gui/logic/commands/CommandTable.h"

namespace plumora::gui {

namespace {

const std::map<std::string, DisplayMode> kModeNames = {
    {"table", DisplayMode::kTable},
    {"chart", DisplayMode::kChart},
    {"track", DisplayMode::k2DTrajectory},
    {"payload3d", DisplayMode::k3DPayload},
    {"parachute3d", DisplayMode::k3DParachute},
    {"system3d", DisplayMode::k3DSystem},
    {"trajectory3d", DisplayMode::k3DTrajectory},
    {"scatter", DisplayMode::kLandingScatter},
    {"histogram", DisplayMode::kStudyHistograms},
};

bool ParseSide(std::string_view text, int& side) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), side);
  return error == std::errc{} && end == text.data() + text.size() && side >= 1 &&
         side <= kMaxSnapshotSide;
}

}  // namespace

bool ParseSnapshotSize(const std::string& text, int& width, int& height) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return false;
  int w = 0, h = 0;
  if (!ParseSide(std::string_view(text).substr(0, x), w) ||
      !ParseSide(std::string_view(text).substr(x + 1), h)) {
    return false;
  }
  width = w;
  height = h;
  return true;
}

bool ParseChartSwitches(const std::string& text, ChartSwitches& switches) {
  ChartSwitches parsed;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::string word = text.substr(start, comma - start);
    if (word == "round") {
      parsed.roundTicks = true;
    } else if (word == "fit") {
      parsed.fitYToZoom = true;
    } else if (word == "grid") {
      parsed.gridLines = true;
    } else if (word == "log") {
      parsed.logY = true;
    } else if (!(word.empty() && text.empty())) {
      return false;
    }
    start = comma + 1;
  }
  switches = parsed;
  return true;
}

bool ParseNumberList(const std::string& text, int last, std::vector<int>& numbers) {
  std::vector<int> parsed;
  std::size_t start = 0;
  while (!text.empty() && start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::string word = text.substr(start, comma - start);
    int value = -1;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc() || end != word.data() + word.size() || value < 0 ||
        value > last) {
      return false;
    }
    parsed.push_back(value);
    start = comma + 1;
  }
  numbers = parsed;
  return true;
}

bool LooksLikeOption(const std::string& argument) {
  if (argument.size() < 2 || argument[0] != '-') return false;
  char* end = nullptr;
  std::strtod(argument.c_str(), &end);
  return end != argument.c_str() + argument.size();
}

bool NeedsStudy(const SnapshotOptions& options) {
  return ShowsStudy(options.mode) ||
         (options.landingEllipses && options.mode == DisplayMode::k2DTrajectory);
}

bool WantsSnapshot(const std::vector<std::string>& arguments) {
  return std::any_of(arguments.begin(), arguments.end(), [](const std::string& a) {
    return a == "--snapshot" || a.rfind("--snapshot=", 0) == 0;
  });
}

SnapshotCommandLine ParseSnapshotCommandLine(const std::vector<std::string>& arguments) {
  SnapshotOptions o;
  std::string size, mode = "table", body = "payload", chartOptions;
  std::string histogramOutput(NameOf(StudyOutput::kPeakDeceleration));
  double time = 0.0;
  int command = 0;
  CLI::App app{"plumora --snapshot: a results pane or a dialog as a PNG picture, headless"};
  app.name("plumora");
  app.add_option("--snapshot", o.output, "The PNG file to write")->required();
  app.add_option("--size", size, "Picture size WxH in pixels (default 800x600)")
      ->check([&o](const std::string& text) {
        return ParseSnapshotSize(text, o.width, o.height)
                   ? std::string()
                   : "expects WxH, each side 1 to " + std::to_string(kMaxSnapshotSide);
      });
  std::vector<std::string> modes;
  for (const auto& entry : kModeNames) modes.push_back(entry.first);
  app.add_option("--mode", mode, "Display mode (default table)")->check(CLI::IsMember(modes));
  app.add_option("--x", o.chartX,
                 "Chart variable on the X axis, 0 to 19 (default 0, time; 15 to 19 the derived "
                 "Mach number, dynamic pressure, deceleration, descent rate, line force)")
      ->check(CLI::Range(0, kChartVariableCount - 1));
  app.add_option("--y", o.chartY, "Chart variable on the Y axis, 0 to 19 (default 1, height)")
      ->check(CLI::Range(0, kChartVariableCount - 1));
  std::string moreY, derived;
  app.add_option("--more-y", moreY, "Further curves on the chart's Y axis, e.g. 3,15")
      ->check([&o](const std::string& text) {
        return ParseNumberList(text, kChartVariableCount - 1, o.chartMoreY)
                   ? std::string()
                   : "expects chart variables 0 to 19 separated by commas";
      });
  app.add_option("--derived-columns", derived,
                 "The table's derived columns to show, 0 to 4 (Mach number, dynamic pressure, "
                 "deceleration, descent rate, line force), e.g. 0,1")
      ->check([&o](const std::string& text) {
        std::vector<int> columns;
        if (!ParseNumberList(text, kDerivedColumnCount - 1, columns)) {
          return std::string("expects columns 0 to 4 separated by commas");
        }
        o.derivedColumns = {};
        for (int k : columns) o.derivedColumns[static_cast<std::size_t>(k)] = true;
        return std::string();
      });
  app.add_option("--body", body, "Whose quantities the chart plots (default payload)")
      ->check(CLI::IsMember({"payload", "parachute"}));
  app.add_option("--chart-options", chartOptions,
                 "Chart switches to turn on, any of round,fit,grid,log (round tick values, "
                 "Y fitted to the zoom, grid lines, logarithmic Y axis; default none)")
      ->check([&o](const std::string& text) {
        return ParseChartSwitches(text, o.chartSwitches)
                   ? std::string()
                   : "expects a comma-separated list of round, fit, grid and log, not \"" + text +
                         "\"";
      });
  CLI::Option* timeOption =
      app.add_option("--time", time, "Show the sample nearest to this time in s (default: first)")
          ->check([](const std::string& text) {
            return std::isfinite(std::strtod(text.c_str(), nullptr)) ? std::string()
                                                                     : "expects a number";
          });
  CLI::Option* commandOption =
      app.add_option("--command", command,
                     "Invoke this command as its menu item would and picture its dialog (the "
                     "active pane shows --mode first, so 32775 opens that mode's options)")
          ->check([](const std::string& text) {
            const int id = std::atoi(text.c_str());
            return FindCommand(id) ? std::string() : "there is no command " + text;
          });
  app.add_option("--study", o.study,
                 "The dispersion study to fly for --mode scatter or histogram, or for the "
                 "track's --landing-ellipses (default: MISSION's NAME.dispersions.json)");
  std::vector<std::string> outputs;
  for (const StudyOutputField& f : kStudyOutputFields) outputs.emplace_back(NameOf(f.output));
  app.add_option("--histogram-output", histogramOutput,
                 "The output --mode histogram shows (default peak_deceleration)")
      ->check(CLI::IsMember(outputs));
  app.add_flag("--landing-ellipses", o.landingEllipses,
               "The track draws the flown study's landing points and 1σ and 3σ ellipses");
  app.add_option("--base", o.base,
                 "Folder holding atm/, adf/, 3dmodels/ and graphics/ (default: the working folder "
                 "when it holds atm/, else the installed data)");
  app.add_option("MISSION", o.mission, "The mission to open, .psd or .json (default: a new one)");

  SnapshotCommandLine result;
  // The parser would take the next argument as an option's value even when it is another option
  // (`--snapshot --help` wrote a picture named "--help").
  for (std::size_t i = 0; i < arguments.size() && arguments[i] != "--"; ++i) {
    if (!LooksLikeOption(arguments[i])) continue;
    const CLI::Option* option = app.get_option_no_throw(arguments[i]);
    if (!option || option->get_items_expected_min() < 1) continue;
    if (i + 1 == arguments.size() || LooksLikeOption(arguments[i + 1])) {
      result.status = kSnapshotUsage;
      result.text = "error: " + arguments[i] + " needs a value\n";
      return result;
    }
  }
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    // The options alone: the program's help says how they are used.
    const CLI::Formatter formatter;
    result.text =
        formatter.make_positionals(&app) + formatter.make_groups(&app, CLI::AppFormatMode::Normal);
    return result;
  } catch (const CLI::ParseError& e) {
    result.status = kSnapshotUsage;
    result.text = std::string("error: ") + e.what() + "\n";
    return result;
  }
  o.mode = kModeNames.at(mode);
  o.histogramOutput = *StudyOutputNamed(histogramOutput);
  o.chartBody = body == "parachute" ? 1 : 0;
  o.time = time;
  o.timeGiven = timeOption->count() > 0;
  if (commandOption->count() > 0) o.command = command;
  result.options = o;
  return result;
}

}  // namespace plumora::gui
