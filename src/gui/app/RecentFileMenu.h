// The File menu's recent missions, kept in the settings between sessions.
#pragma once

#include "gui/logic/app/DocumentState.h"

namespace plumora::gui {

class CommandRouter;

class RecentFileMenu {
 public:
  // Reads the list the settings hold; the entries are the File menu's numbered commands.
  explicit RecentFileMenu(CommandRouter& commands);

  RecentFileList& files() { return files_; }
  int count() const { return static_cast<int>(files_.files().size()); }
  // The menu items show the list, and the settings keep it.
  void Update();

 private:
  CommandRouter& commands_;
  RecentFileList files_;
};

}  // namespace plumora::gui
