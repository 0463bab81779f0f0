#include "FuzzSupport.h"

namespace plumora::fuzz {

const std::filesystem::path& Scratch() {
  static const test::TempDir dir;
  return dir.path();
}

std::filesystem::path WriteInput(std::string_view relative, const std::uint8_t* data,
                                 std::size_t size) {
  const std::filesystem::path path = Scratch() / relative;
  test::WriteFile(path, std::string_view(reinterpret_cast<const char*>(data), size));
  return path;
}

}  // namespace plumora::fuzz
