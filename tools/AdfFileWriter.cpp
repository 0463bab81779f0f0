#include "AdfFileWriter.h"

#include <cstdio>

#include "DataFileOutput.h"
#include "core/common/Constants.h"

namespace plumora::tools {

namespace {

std::string LayoutProblem(const AdfFile& file) {
  if (static_cast<int>(file.notes.size()) != kAdfNoteLines) return "needs 16 lines of notes";
  if (!FitsOnALine(file.comment)) return "has a comment longer than a line";
  for (const std::string& note : file.notes) {
    if (!FitsOnALine(note)) return "has a note longer than a line";
  }
  if (file.mach.empty() || static_cast<int>(file.mach.size()) > kMaxMachValues) {
    return "has no Mach numbers or too many";
  }
  if (file.angles.empty() || static_cast<int>(file.angles.size()) > kMaxAngles) {
    return "has no angles or too many";
  }
  if (file.coefficients.size() != file.mach.size()) return "misses Mach rows";
  for (const auto& row : file.coefficients) {
    if (row.size() != file.angles.size()) return "misses angles in a Mach row";
  }
  return {};
}

}  // namespace

bool WriteAdfFile(const std::string& path, const AdfFile& file) {
  return WriteDataFile(path, LayoutProblem(file), [&file](std::FILE* out) {
    std::fprintf(out, "%s\n", file.comment.c_str());
    for (const std::string& note : file.notes) std::fprintf(out, "%s\n", note.c_str());
    std::fprintf(out, "%zu Mach numbers\n", file.mach.size());
    std::fprintf(out, "%zu angles of attack\n", file.angles.size());
    std::fprintf(out, "0 symmetry code: axisymmetric body\n");
    std::fprintf(out, "0 reserved\n");
    std::fprintf(out, "angle(deg) Cx Cz Cm\n");
    // Six significant digits: more than the model's accuracy, and every value is read in single
    // precision anyway.
    for (std::size_t i = 0; i < file.mach.size(); ++i) {
      std::fprintf(out, "%g Mach\n", file.mach[i]);
      for (std::size_t j = 0; j < file.angles.size(); ++j) {
        const AxisCoefficients& c = file.coefficients[i][j];
        std::fprintf(out, "%g %.6g %.6g %.6g\n", file.angles[j], c.cx, c.cz, c.cm);
      }
    }
  });
}

}  // namespace plumora::tools
