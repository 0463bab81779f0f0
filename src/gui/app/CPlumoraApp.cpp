#include "gui/app/CPlumoraApp.h"

#include <QApplication>
#include <QSplashScreen>

#include "gui/app/Artwork.h"
#include "gui/app/CMainFrame.h"
#include "gui/logic/DocumentState.h"

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
  QApplication::setOrganizationName(kSettingsOrganisation);
  QApplication::setApplicationName(kProgramTitle);
  // The data folders are looked up under the folder the program was started in, wherever the
  // program itself lies.
  std::error_code error;
  baseFolder_ = std::filesystem::current_path(error);

  mainFrame_ = std::make_unique<CMainFrame>(baseFolder_, bitmaps_);
  // The main window's own message boxes sit over it; a test's recorder replaces them.
  mainFrame_->SetPrompter(prompter_ == &messageBoxes_ ? nullptr : prompter_);
  mainFrame_->glResources().Initialise(baseFolder_, *prompter_);  // 3D views say so on failure
  if (arguments.isEmpty()) {
    mainFrame_->NewDocument();
  } else if (!mainFrame_->OpenDocument(std::filesystem::path(arguments.front().toStdString()))) {
    return false;
  }
  if (options.show) {
    mainFrame_->showMaximized();
    QApplication::processEvents();
  }
  if (!LoadStartupBitmaps(baseFolder_, *prompter_, bitmaps_)) return false;
  if (splash) splash->finish(mainFrame_.get());
  return true;
}

}  // namespace plumora::gui
