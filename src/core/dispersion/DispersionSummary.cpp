#include "core/dispersion/DispersionSummary.h"

#include <cmath>
#include <nlohmann/json.hpp>

namespace plumora {

namespace {

using Json = nlohmann::ordered_json;

// A figure, or null when it has none.
Json Figure(double value) {
  return std::isfinite(value) ? Json(value) : Json(nullptr);
}

Json StatisticsJson(const OutputStatistics& s) {
  return Json{{"count", s.count},
              {"mean", Figure(s.mean)},
              {"standard_deviation", Figure(s.standardDeviation)},
              {"p01", Figure(s.p01)},
              {"p50", Figure(s.p50)},
              {"p99", Figure(s.p99)}};
}

Json AxesJson(const EllipseAxes& a) {
  return Json{{"semi_major_km", Figure(a.semiMajor)},
              {"semi_minor_km", Figure(a.semiMinor)},
              {"orientation_deg", Figure(a.orientation)}};
}

Json Section(const std::vector<std::pair<std::string, OutputStatistics>>& list) {
  Json section = Json::object();
  for (const auto& [name, statistics] : list) section[name] = StatisticsJson(statistics);
  return section;
}

// A run's outputs as a flight can have them: a planet of positive radius, a landing on it.
Result<> CheckOutputsOf(const RunRecord& r) {
  const FlightOutputs& o = r.outputs;
  const auto bad = [&](const std::string& what) {
    return Fail(ErrorCode::kInvalid, "run " + std::to_string(r.run) + " " + what);
  };
  if (o.planetRadius <= 0.0 || std::isinf(o.planetRadius)) {
    return bad("has a planet radius that is not a positive finite number");
  }
  if (std::isinf(o.landingLatitude) || std::fabs(o.landingLatitude) > 90.0) {
    return bad("has a landing latitude beyond 90 degrees");
  }
  if (std::isinf(o.landingLongitude)) return bad("has a landing longitude that is not finite");
  return {};
}

}  // namespace

Result<DispersionSummary> SummariseDispersion(const std::vector<std::string>& inputNames,
                                              const std::vector<RunRecord>& records) {
  DispersionSummary s;
  s.runs = static_cast<std::int64_t>(records.size());
  std::vector<const RunRecord*> flown;
  for (const RunRecord& r : records) {
    if (r.end == RunEnd::kFailed) {
      ++s.failures;
      continue;
    }
    if (Result<> sound = CheckOutputsOf(r); !sound) return sound.error();
    ++(r.end == RunEnd::kLanded ? s.landed : s.aloft);
    if (!flown.empty() && r.outputs.planetRadius != flown.front()->outputs.planetRadius) {
      return Fail(ErrorCode::kInvalid, "runs " + std::to_string(flown.front()->run) + " and " +
                                           std::to_string(r.run) +
                                           " landed on planets of different radii");
    }
    flown.push_back(&r);
  }
  for (std::size_t i = 0; i < inputNames.size(); ++i) {
    std::vector<double> values;
    for (const RunRecord& r : records)
      values.push_back(i < r.inputs.size() ? r.inputs[i] : FlightOutputs::kNone);
    s.inputs.emplace_back(inputNames[i], DescribeValues(std::move(values)));
  }
  for (const FlightOutputField& field : kFlightOutputFields) {
    if (field.member == &FlightOutputs::planetRadius) continue;
    std::vector<double> values;
    for (const RunRecord* r : flown) values.push_back(r->outputs.*field.member);
    s.outputs.emplace_back(std::string(field.name), DescribeValues(std::move(values)));
  }
  std::vector<double> latitudes, longitudes;
  for (const RunRecord* r : flown) {
    latitudes.push_back(r->outputs.landingLatitude);
    longitudes.push_back(r->outputs.landingLongitude);
  }
  const double radius = flown.empty() ? FlightOutputs::kNone : flown.front()->outputs.planetRadius;
  s.ellipse = FitLandingEllipse(latitudes, longitudes, radius);
  return s;
}

std::string DispersionSummaryJson(const DispersionSummary& s) {
  const LandingEllipse& e = s.ellipse;
  Json json{{"format", kDispersionSummaryFormat},
            {"format_version", kDispersionSummaryVersion},
            {"runs", s.runs},
            {"landed", s.landed},
            {"aloft", s.aloft},
            {"failures", s.failures},
            {"inputs", Section(s.inputs)},
            {"outputs", Section(s.outputs)},
            {"landing_ellipse",
             {{"count", e.count},
              {"mean_latitude", Figure(e.meanLatitude)},
              {"mean_longitude", Figure(e.meanLongitude)},
              {"east_variance_km2", Figure(e.eastVariance)},
              {"north_variance_km2", Figure(e.northVariance)},
              {"east_north_covariance_km2", Figure(e.eastNorthCovariance)},
              {"one_sigma", AxesJson(e.oneSigma)},
              {"three_sigma", AxesJson(e.threeSigma)}}}};
  return json.dump(2) + "\n";
}

Result<std::string> DispersionSummaryJson(const std::vector<std::string>& inputNames,
                                          const std::vector<RunRecord>& records) {
  Result<DispersionSummary> summary = SummariseDispersion(inputNames, records);
  if (!summary) return std::move(summary).error();
  return DispersionSummaryJson(summary.value());
}

}  // namespace plumora
