// The application: start-up (splash, settings, the first document, the main window, the
// start-up pictures, the base folder) and what lives as long as the program.
#pragma once

#include <QStringList>
#include <filesystem>
#include <memory>

#include "gui/app/QtPrompter.h"
#include "gui/logic/StartupBitmaps.h"

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

  // Starts the program; arguments are the command line without the program's name (a mission
  // to open, or nothing for a new one). False when it cannot start (the reason has been shown):
  // the main window could not be made, the named mission could not be read, or a start-up
  // picture is missing or damaged.
  bool InitInstance(const QStringList& arguments, const Options& options);

  CMainFrame* mainFrame() const { return mainFrame_.get(); }
  // The working folder at start-up: atm/ and adf/ are looked up under it.
  const std::filesystem::path& baseFolder() const { return baseFolder_; }
  const StartupBitmaps& bitmaps() const { return bitmaps_; }

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
