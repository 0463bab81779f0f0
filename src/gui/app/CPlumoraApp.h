// The application: start-up (splash, settings, the first document, the main window, the
// start-up pictures, the base folder) and what lives as long as the program.
#pragma once

#include <QStringList>
#include <filesystem>
#include <memory>

#include "gui/kit/QtPrompter.h"
#include "gui/logic/snapshot/StartupBitmaps.h"

namespace plumora::gui {

class CMainFrame;

// The settings' organisation and the recent-file list live under this key.
inline constexpr const char* kSettingsOrganisation = "Local AppWizard-Generated Applications";

class CPlumoraApp {
 public:
  struct Options {
    bool splash = true;
    bool show = true;  // show the main window maximised
  };

  CPlumoraApp();
  ~CPlumoraApp();

  // Starts the program; arguments are the missions to open, in order (none: a new one). False
  // when it cannot start (the reason has been shown): the main window could not be made, a named
  // mission could not be read, or a start-up picture is missing or damaged. The splash is gone
  // before any message of the start-up shows, and those messages are centred on the screen.
  bool InitInstance(const QStringList& arguments, const Options& options);

  CMainFrame* mainFrame() const { return mainFrame_.get(); }
  // The folder of the run-time data, fixed at start-up: the working folder when it holds atm/,
  // otherwise the installed data, or the folder the command line named.
  const std::filesystem::path& baseFolder() const { return baseFolder_; }
  const StartupBitmaps& bitmaps() const { return bitmaps_; }

  // The data folder the command line named, before InitInstance; empty: DefaultDataFolder().
  void SetBaseFolder(std::filesystem::path base) { baseFolder_ = std::move(base); }

  // Where the start-up messages go (message boxes unless a test says otherwise).
  void SetPrompter(Prompter* prompter) { prompter_ = prompter ? prompter : &messageBoxes_; }

 private:
  std::filesystem::path baseFolder_;
  StartupBitmaps bitmaps_;
  std::unique_ptr<CMainFrame> mainFrame_;
  QtPrompter messageBoxes_;
  Prompter* prompter_ = &messageBoxes_;
};

}  // namespace plumora::gui
