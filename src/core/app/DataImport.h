// Import of a measured or externally computed trajectory from a text file into the results, so
// that it shows like a computed flight.
//
// The file: the planet index (0 EARTH, 1 MARS, 2 TITAN) as the first token, the rest of that
// line free; then one sample per line holding the chosen columns in this order (time s,
// latitude °, longitude °, heading °, altitude km, path angle °, speed km/s), separated by
// blanks; anything after the last chosen column on a line is ignored, however long the line.
#pragma once

#include <filesystem>

#include "core/common/Result.h"

namespace plumora {

class CPlumoraDoc;

// Which columns the file holds (all of them by default).
struct ImportColumns {
  bool time = true;
  bool latitude = true;
  bool longitude = true;
  bool heading = true;
  bool altitude = true;  // km in the file
  bool pathAngle = true;
  bool speed = true;  // km/s in the file
};

// Replaces the results with the file's samples, adds a payload named "import" that the samples
// refer to, reads the atmosphere of the file's planet, computes the ranges and tells the views.
// Fails, saying why and showing nothing, when no column is chosen (nothing changes), the file
// could not be opened, its planet or atmosphere could not be read, or a line held something
// other than a number where one must stand (the message names the file and the line; the
// samples read before it stay and are shown).
Result<> ImportTrajectory(CPlumoraDoc& doc, const std::filesystem::path& path,
                          const ImportColumns& columns);

}  // namespace plumora
