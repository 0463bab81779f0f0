// Model textures: the reader and the pixels it hands on.
#include "FuzzSupport.h"
#include "core/common/Prompter.h"
#include "gl/CTexture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace plumora;
  const auto path = fuzz::WriteInput("texture.bmp", data, size);
  SilentPrompter prompter;
  CTexture texture;
  if (texture.Load(path, prompter)) {
    // What OpenGL will read: every row, padded to four bytes.
    const std::size_t bytes =
        (static_cast<std::size_t>(texture.Width()) * 3 + 3) / 4 * 4 * texture.Height();
    unsigned sum = 0;
    for (std::size_t i = 0; i < bytes; ++i) sum += texture.Pixels()[i];
    (void)sum;
  }
  return 0;
}
