// How large the 3D scenes draw what they show: the airflow streaks are as long as the air is
// fast, within bounds, however far apart the samples are.
#pragma once

namespace plumora {

// --- Streaks ---------------------------------------------------------------------------------

// A streak is this share of the view's height for every m/s of air speed, within the bounds:
// long enough to be seen at a walking pace, short enough at entry speeds to leave the view clear.
inline constexpr double kStreakSharePerMps = 0.0015;
inline constexpr double kStreakShareMin = 0.01;
inline constexpr double kStreakShareMax = 0.12;
// How long a streak is, in model units of a view `distance` units deep, for air passing at
// speed (m/s).
double StreakLength(double speed, double distance);

}  // namespace plumora
