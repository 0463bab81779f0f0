// The user manual, read inside the program without a network: its Markdown pages in a browser
// with Back, Forward and Contents, links between pages and the pictures beside them working.
#pragma once

#include <QWidget>
#include <filesystem>

#include "core/common/Prompter.h"

class QTextBrowser;

namespace plumora::gui {

class ManualViewer final : public QWidget {
 public:
  // folder: the manual's folder, holding its first page.
  explicit ManualViewer(std::filesystem::path folder, QWidget* parent = nullptr);

  QTextBrowser& browser() { return *browser_; }
  // Back to the first page.
  void ShowContents();

 private:
  std::filesystem::path folder_;
  QTextBrowser* browser_ = nullptr;
};

// Shows the manual found beside dataFolder (or beside the installed data) in parent's manual
// window, opening one the first time; one window serves every later call. When no manual is
// found, tells the user where it was looked for and returns null.
ManualViewer* ShowUserManual(const std::filesystem::path& dataFolder, Prompter& prompter,
                             QWidget* parent);

}  // namespace plumora::gui
