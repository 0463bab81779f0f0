#include "gui/logic/DisplayText.h"

#include "core/common/CodePage.h"

namespace plumora::gui {

std::string DisplayText(std::string_view bytes) {
  return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

}  // namespace plumora::gui
