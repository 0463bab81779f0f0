// What the desktop program knows about an open mission beyond the mission itself: its file, its
// title, its edits for Undo and Redo, and whether it has changes that are not saved. Runs do not
// change the mission (results are never saved), so only edits mark it modified, and undoing back
// to the state last saved clears the mark.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "gui/logic/app/MissionHistory.h"

namespace plumora::gui {

// The document type's base name: new missions are "Plumor1", "Plumor2", ...
inline constexpr const char* kDocumentBaseName = "Plumor";
inline constexpr const char* kProgramTitle = "plumora";

class DocumentState {
 public:
  // A new, unsaved mission with the given number.
  explicit DocumentState(int untitledNumber) : untitledNumber_(untitledNumber) {}

  const std::filesystem::path& path() const { return path_; }
  bool HasPath() const { return !path_.empty(); }
  // The mission now lives in this file (opened or saved under it): no unsaved changes.
  void SetPath(std::filesystem::path path);

  bool modified() const { return history_.modified(); }
  // Modified by a change no undo step holds, or clean (the mission is the one in its file).
  void SetModified(bool modified = true);

  MissionHistory& history() { return history_; }
  const MissionHistory& history() const { return history_; }

  // The file's name, or "PlumorN" for a mission not saved yet (UTF-8).
  std::string Title() const;
  // The name offered for an output of the mission: its file, or its title when it has none,
  // with `ending` in place of the extension ("dir/mars.psd" and ".csv" give "dir/mars.csv").
  std::filesystem::path OutputName(std::string_view ending) const;
  // The question asked before unsaved changes would be lost.
  std::string SavePrompt() const;

 private:
  int untitledNumber_;
  std::filesystem::path path_;
  MissionHistory history_;
};

// The recently used files, newest first, at most kRecentFileCount.
class RecentFileList {
 public:
  explicit RecentFileList(int capacity);
  // Moves the file to the top (once only, however it was written before).
  void Add(const std::filesystem::path& file);
  void Remove(const std::filesystem::path& file);
  const std::vector<std::filesystem::path>& files() const { return files_; }
  // "&1 /path/to/mission.psd" for entry 0.
  std::string MenuText(int entry) const;
  // Settings form: the paths as strings, newest first; unusable entries are skipped.
  std::vector<std::string> Entries() const;
  void SetEntries(const std::vector<std::string>& entries);

 private:
  int capacity_;
  std::vector<std::filesystem::path> files_;
};

}  // namespace plumora::gui
