// Texts on their way to the screen. Mission texts are Windows-1252 bytes; the engine's messages
// are plain ASCII, but may name a file in UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace plumora {
class CTrajectoryStore;
}

namespace plumora::gui {

// UTF-8 as it is; anything else read as Windows-1252.
std::string DisplayText(std::string_view bytes);

// The status bar's word after a run: "Done: 1201 samples, 120.5 s" (the last sample's time).
std::string RunDoneText(const CTrajectoryStore& results);

}  // namespace plumora::gui
