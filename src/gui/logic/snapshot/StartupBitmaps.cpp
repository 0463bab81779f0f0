#include "gui/logic/snapshot/StartupBitmaps.h"

#include <cstdio>
#include <memory>
#include <string>

#include "core/common/Messages.h"

namespace plumora::gui {

bool LoadStartupBitmaps(const std::filesystem::path& base, Prompter& prompter,
                        StartupBitmaps& bitmaps) {
  CDIB* targets[] = {&bitmaps.earth, &bitmaps.mars, &bitmaps.titan, &bitmaps.atmosphere,
                     &bitmaps.zoom};
  for (std::size_t k = 0; k < kStartupPictureFiles.size(); ++k) {
    const std::string name(kStartupPictureFiles[k]);
    const std::filesystem::path path = base / kGraphicsFolder / name;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
      prompter.Message(std::string(kMsgErrorOpeningFile) + name, kCaptionProgram);
      return false;
    }
    if (!targets[k]->Read(file.get(), prompter)) {
      prompter.Message(std::string(kMsgErrorReadingFile) + name, kCaptionProgram);
      return false;
    }
  }
  return true;
}

}  // namespace plumora::gui
