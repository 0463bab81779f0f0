#include "core/app/MissionFiles.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "core/app/MissionArchive.h"
#include "core/app/MissionJson.h"
#include "core/common/FileIO.h"
#include "core/common/Messages.h"

namespace plumora {

namespace {

constexpr std::string_view kJsonExtension = ".json";

// "The mission file PATH WHAT (DETAIL)\n"
void Report(const CPlumoraDoc& doc, const std::filesystem::path& path, std::string_view what,
            std::string_view detail = {}) {
  std::string text = std::string(kMsgMissionFile) + path.string() + " " + std::string(what);
  if (!detail.empty()) text += " (" + std::string(detail) + ")";
  doc.prompter().Message(text + "\n", kCaptionError);
}

}  // namespace

MissionFormat MissionFormatFor(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == kJsonExtension ? MissionFormat::kJson : MissionFormat::kBinary;
}

MissionOpened OpenMission(CPlumoraDoc& doc, const std::filesystem::path& path, std::string& note) {
  std::string bytes, reason;
  if (!ReadWholeFile(path, bytes, reason)) {
    Report(doc, path, kMsgMissionNotOpened, reason);
    return MissionOpened::kFailed;
  }
  CPlumoraDoc fresh;
  const MissionReadResult result = MissionFormatFor(path) == MissionFormat::kJson
                                       ? ReadMissionJson(bytes, fresh)
                                       : ReadMissionArchive(bytes, fresh);
  switch (result.status) {
    case MissionReadResult::Status::kRead:
      doc.AdoptMission(std::move(fresh));
      return MissionOpened::kRead;
    case MissionReadResult::Status::kOtherVersion:
      // Nothing of it was read: the document becomes a new mission.
      doc.AdoptMission(CPlumoraDoc());
      note = std::string(kMsgMissionFile) + path.string() + " " + result.problem +
             "; it opens as a new mission\n";
      return MissionOpened::kAsNewMission;
    case MissionReadResult::Status::kRefused:
      break;
  }
  Report(doc, path, result.problem);
  return MissionOpened::kFailed;
}

bool LoadMission(CPlumoraDoc& doc, const std::filesystem::path& path) {
  std::string note;  // opened without a word
  return OpenMission(doc, path, note) != MissionOpened::kFailed;
}

bool SaveMission(const CPlumoraDoc& doc, const std::filesystem::path& path) {
  std::string bytes, reason;
  const bool encoded = MissionFormatFor(path) == MissionFormat::kJson
                           ? WriteMissionJson(doc, bytes, reason)
                           : WriteMissionArchive(doc, bytes, reason);
  if (!encoded || !WriteOutputFile(path, bytes, reason)) {
    Report(doc, path, kMsgMissionNotSaved, reason);
    return false;
  }
  return true;
}

}  // namespace plumora
