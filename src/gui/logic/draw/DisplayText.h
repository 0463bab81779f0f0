// Texts on their way to the screen. Mission texts are Windows-1252 bytes; the engine's messages
// are plain ASCII, but may name a file in UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plumora {
class CTrajectoryStore;
struct RunOutcome;
}  // namespace plumora

namespace plumora::gui {

// UTF-8 as it is; anything else read as Windows-1252.
std::string DisplayText(std::string_view bytes);

// Text typed into a dialog (UTF-8) as the Windows-1252 bytes a mission keeps; nothing when it
// holds a character the code page lacks, which `unstorable` then names.
std::optional<std::string> StoredText(std::string_view utf8, char32_t& unstorable);
// What a dialog says when a field holds such a character.
std::string UnstorableTextMessage(std::string_view label, char32_t character);
// What a dialog says when it left such a character out of what was typed into a field.
std::string LeftOutCharacterMessage(std::string_view label, char32_t character);

// The status bar's word after a run, saying how it ended as the command line's summary does,
// with the samples stored and the last one's time: "Done: 1201 samples, 120.5 s" when it landed
// or met its stop condition; a declined flip question, a stop or an error say so instead.
std::string RunEndText(const RunOutcome& outcome, const CTrajectoryStore& results);

}  // namespace plumora::gui
