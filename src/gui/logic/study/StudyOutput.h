// The outputs of a study's runs that "Study histograms" can show, with their names and units.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "core/dispersion/FlightOutputs.h"

namespace plumora::gui {

enum class StudyOutput {
  kPeakDeceleration,
  kPeakDynamicPressure,
  kPeakLineForce,
  kLandingSpeed,
  kFlightTime,
  kLandingLatitude,
  kLandingLongitude,
};

struct StudyOutputField {
  StudyOutput output;
  std::string_view label;  // as the axis and the menu read it
  std::string_view unit;
  double FlightOutputs::*member;
};
inline constexpr std::array<StudyOutputField, 7> kStudyOutputFields = {{
    {StudyOutput::kPeakDeceleration, "Peak deceleration", "m/s\xC2\xB2",
     &FlightOutputs::peakDeceleration},
    {StudyOutput::kPeakDynamicPressure, "Peak dynamic pressure", "Pa",
     &FlightOutputs::peakDynamicPressure},
    {StudyOutput::kPeakLineForce, "Peak line force", "N", &FlightOutputs::maxConnectionForce},
    {StudyOutput::kLandingSpeed, "Landing speed", "m/s", &FlightOutputs::landingSpeed},
    {StudyOutput::kFlightTime, "Flight time", "s", &FlightOutputs::landingTime},
    {StudyOutput::kLandingLatitude, "Landing latitude", "\xC2\xB0",
     &FlightOutputs::landingLatitude},
    {StudyOutput::kLandingLongitude, "Landing longitude", "\xC2\xB0",
     &FlightOutputs::landingLongitude},
}};
const StudyOutputField& FieldOf(StudyOutput output);

// The output's name as the runs CSV heads its column ("peak_deceleration", "landing_speed",
// "max_connection_force"...), and the output of such a name, or none.
std::string_view NameOf(StudyOutput output);
std::optional<StudyOutput> StudyOutputNamed(std::string_view name);

}  // namespace plumora::gui
