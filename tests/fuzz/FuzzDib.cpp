// Start-up bitmaps: the file reader, the serialised form and the conversion to colours.
#include <cstdio>

#include "FuzzSupport.h"
#include "core/common/Prompter.h"
#include "gl/CDIB.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace plumora;
  const auto path = fuzz::WriteInput("picture.bmp", data, size);
  SilentPrompter prompter;
  CDIB dib;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    if (dib.Read(file, prompter)) dib.ToArgb();
    std::fclose(file);
  }
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CDIB archived;
  if (archived.Load(bytes, prompter)) {
    archived.ToArgb();
    CDIB again;
    again.Load(archived.Store(), prompter);
  }
  return 0;
}
