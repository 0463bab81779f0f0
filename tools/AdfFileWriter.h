// Writes aerodynamic coefficient tables of axisymmetric bodies in the .adf layout the simulator
// reads: a comment, 16 lines of free text, the Mach count, the angle count, the symmetry code,
// a reserved integer and a heading (lines 18 to 22), then per Mach row a line starting with the
// Mach number followed by one line "angle Cx Cz Cm" per angle of attack.
#pragma once

#include <string>
#include <vector>

#include "CapsuleAero.h"

namespace plumora::tools {

inline constexpr int kAdfNoteLines = 16;  // lines 2 to 17

struct AdfFile {
  std::string comment;                                      // line 1
  std::vector<std::string> notes;                           // lines 2 to 17, exactly 16
  std::vector<double> mach;                                 // ascending
  std::vector<double> angles;                               // deg, ascending
  std::vector<std::vector<AxisCoefficients>> coefficients;  // [Mach row][angle]
};

// Writes the file; false (with a message on stderr) when the table does not fit the layout or
// the file cannot be written completely.
bool WriteAdfFile(const std::string& path, const AdfFile& file);

}  // namespace plumora::tools
