#include "core/app/MissionFiles.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "core/app/MissionArchive.h"
#include "core/app/MissionJson.h"
#include "core/app/PlumoraDoc.h"
#include "core/common/FileIO.h"
#include "core/common/Messages.h"

namespace plumora {

namespace {

constexpr std::string_view kJsonExtension = ".json";

// "The mission file PATH WHAT (DETAIL)\n"
Error FileError(ErrorCode code, const std::filesystem::path& path, std::string_view what,
                std::string_view detail = {}) {
  std::string text = std::string(kMsgMissionFile) + path.string() + " " + std::string(what);
  if (!detail.empty()) text += " (" + std::string(detail) + ")";
  return Fail(code, text + "\n");
}

}  // namespace

MissionFormat MissionFormatFor(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == kJsonExtension ? MissionFormat::kJson : MissionFormat::kBinary;
}

Result<MissionRead> ReadMissionFile(const std::filesystem::path& path) {
  const Result<std::string> bytes = ReadWholeFile(path);
  if (!bytes) return FileError(bytes.code(), path, kMsgMissionNotOpened, bytes.message());
  Result<Mission> read = MissionFormatFor(path) == MissionFormat::kJson
                             ? ReadMissionJson(bytes.value())
                             : ReadMissionArchive(bytes.value());
  if (read) return MissionRead{std::move(read).value(), {}};
  // Only the binary form has versions: nothing of another one is read, and it opens as a new
  // mission.
  if (read.code() == ErrorCode::kUnsupported) {
    return MissionRead{Mission(), std::string(kMsgMissionFile) + path.string() + " " +
                                      read.message() + "; it opens as a new mission\n"};
  }
  return FileError(read.code(), path, read.message());
}

Result<> LoadMission(CPlumoraDoc& doc, const std::filesystem::path& path) {
  Result<MissionRead> read = ReadMissionFile(path);
  if (!read) return std::move(read).error();
  doc.AdoptMission(std::move(read.value().mission));
  return {};
}

Result<> SaveMission(const Mission& mission, const std::filesystem::path& path) {
  const Result<std::string> bytes = MissionFormatFor(path) == MissionFormat::kJson
                                        ? WriteMissionJson(mission)
                                        : WriteMissionArchive(mission);
  if (!bytes) return FileError(bytes.code(), path, kMsgMissionNotSaved, bytes.message());
  if (Result<> written = WriteOutputFile(path, bytes.value()); !written) {
    return FileError(written.code(), path, kMsgMissionNotSaved, written.message());
  }
  return {};
}

}  // namespace plumora
