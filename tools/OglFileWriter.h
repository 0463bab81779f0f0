// Writes models in the .ogl layout the simulator reads: four counts, the triangles' indices,
// the vertex, normal and texture-coordinate arrays, the material and the texture name, every
// number on a line of its own after a label line. A mesh file is several models back to back.
#pragma once

#include <string>
#include <vector>

#include "MeshBuilder.h"

namespace plumora::tools {

// The text of one model.
std::string OglText(const MeshPart& part);

// Writes the parts, one model each, to path; false (with a message on stderr) when the file
// cannot be written completely.
bool WriteOglFile(const std::string& path, const std::vector<MeshPart>& parts);

}  // namespace plumora::tools
