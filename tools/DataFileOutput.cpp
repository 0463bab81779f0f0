#include "DataFileOutput.h"

namespace plumora::tools {

bool WriteDataFile(const std::string& path, const std::string& problem,
                   const std::function<void(std::FILE*)>& body) {
  if (!problem.empty()) {
    std::fprintf(stderr, "the table for %s %s\n", path.c_str(), problem.c_str());
    return false;
  }
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) {
    std::fprintf(stderr, "cannot create %s\n", path.c_str());
    return false;
  }
  body(out);
  const bool written = !std::ferror(out);
  if (std::fclose(out) != 0 || !written) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace plumora::tools
