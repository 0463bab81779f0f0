#include "core/common/DataFileErrors.h"

namespace plumora {

std::string DataFileMessage(std::string_view kind, const std::filesystem::path& path,
                            std::string_view problem, int line) {
  std::string text = "The ";
  text.append(kind).append(" file ").append(path.string()).append(" ").append(problem);
  return text + " (line " + std::to_string(line) + ")\n";
}

Error DataFileError(std::string_view kind, const std::filesystem::path& path,
                    std::string_view problem, int line) {
  return Fail(ErrorCode::kMalformed, DataFileMessage(kind, path, problem, line));
}

}  // namespace plumora
