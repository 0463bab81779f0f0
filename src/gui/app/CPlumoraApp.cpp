#include "gui/app/CPlumoraApp.h"

#include <QApplication>
#include <QFile>
#include <QSplashScreen>
#include <functional>

#include "core/common/DataFolder.h"
#include "gui/app/CMainFrame.h"
#include "gui/kit/Artwork.h"
#include "gui/logic/app/DocumentState.h"

namespace plumora::gui {

CPlumoraApp::CPlumoraApp() = default;
CPlumoraApp::~CPlumoraApp() = default;

bool CPlumoraApp::InitInstance(const QStringList& arguments, const Options& options) {
  std::unique_ptr<QSplashScreen> splash;
  if (options.splash) {
    splash = std::make_unique<QSplashScreen>(SplashPicture());
    splash->show();
    QApplication::processEvents();
  }
  // Until the main window shows, messages have no window to sit over: they go through the
  // application's own boxes, centred on the screen.
  // The splash stays on top of every window: it goes before the first message shows, or it
  // would hide the message and the program would seem to hang.
  ForwardingPrompter startup(*prompter_, [&splash] { splash.reset(); });
  QApplication::setOrganizationName(kSettingsOrganisation);
  QApplication::setApplicationName(kProgramTitle);
  if (baseFolder_.empty()) baseFolder_ = DefaultDataFolder();
  // Fixed for the program's life, whatever the working folder becomes.
  std::error_code error;
  if (std::filesystem::path absolute = std::filesystem::absolute(baseFolder_, error); !error) {
    baseFolder_ = absolute;
  }

  mainFrame_ = std::make_unique<CMainFrame>(baseFolder_, bitmaps_);
  mainFrame_->SetPrompter(&startup);
  // Afterwards the main window's own message boxes sit over it; a test's recorder replaces them.
  const auto started = [this](bool ok) {
    mainFrame_->SetPrompter(prompter_ == &messageBoxes_ ? nullptr : prompter_);
    return ok;
  };
  mainFrame_->glResources().Initialise(baseFolder_, startup);  // 3D views say so on failure
  if (arguments.isEmpty()) mainFrame_->NewDocument();
  for (const QString& mission : arguments) {
    if (!mainFrame_->OpenDocument(
            std::filesystem::path(QFile::encodeName(mission).toStdString()))) {
      return started(false);
    }
  }
  if (options.show) {
    mainFrame_->showMaximized();
    QApplication::processEvents();
  }
  if (!LoadStartupBitmaps(baseFolder_, startup, bitmaps_)) return started(false);
  if (splash) splash->finish(mainFrame_.get());
  return started(true);
}

}  // namespace plumora::gui
