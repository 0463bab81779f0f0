#include "gui/logic/app/DocumentState.h"

#include <algorithm>

namespace plumora::gui {

namespace {
// Two spellings of one file are the same entry.
std::filesystem::path Normal(const std::filesystem::path& file) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(file, error);
  return (error ? file : absolute).lexically_normal();
}
}  // namespace

void DocumentState::SetPath(std::filesystem::path path) {
  path_ = std::move(path);
  history_.MarkClean();
}

void DocumentState::SetModified(bool modified) {
  if (modified) {
    history_.LoseClean();
  } else {
    history_.MarkClean();
  }
}

std::string DocumentState::Title() const {
  if (HasPath()) return path_.filename().string();
  return kDocumentBaseName + std::to_string(untitledNumber_);
}

std::filesystem::path DocumentState::OutputName(std::string_view ending) const {
  std::filesystem::path name = HasPath() ? path_ : std::filesystem::path(Title());
  name.replace_extension();
  name += ending;
  return name;
}

std::string DocumentState::SavePrompt() const {
  return "Save changes to " + Title() + "?";
}

RecentFileList::RecentFileList(int capacity) : capacity_(capacity) {}

void RecentFileList::Add(const std::filesystem::path& file) {
  Remove(file);
  files_.insert(files_.begin(), Normal(file));
  if (static_cast<int>(files_.size()) > capacity_)
    files_.resize(static_cast<std::size_t>(capacity_));
}

void RecentFileList::Remove(const std::filesystem::path& file) {
  const std::filesystem::path normal = Normal(file);
  files_.erase(std::remove(files_.begin(), files_.end(), normal), files_.end());
}

std::string RecentFileList::MenuText(int entry) const {
  return "&" + std::to_string(entry + 1) + " " +
         files_.at(static_cast<std::size_t>(entry)).string();
}

std::vector<std::string> RecentFileList::Entries() const {
  std::vector<std::string> entries;
  for (const auto& f : files_) entries.push_back(f.string());
  return entries;
}

void RecentFileList::SetEntries(const std::vector<std::string>& entries) {
  files_.clear();
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    if (!it->empty()) Add(*it);
  }
}

}  // namespace plumora::gui
