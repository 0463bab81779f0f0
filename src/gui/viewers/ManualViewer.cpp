#include "gui/viewers/ManualViewer.h"

#include <QAction>
#include <QKeySequence>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "core/common/DataFolder.h"
#include "gui/kit/QtPrompter.h"
#include "gui/logic/viewers/ManualFolder.h"

namespace plumora::gui {

namespace fs = std::filesystem;

ManualViewer::ManualViewer(fs::path folder, QWidget* parent)
    : QWidget(parent, Qt::Window), folder_(std::move(folder)) {
  setObjectName("manualViewer");
  setWindowTitle("plumora User Manual");
  setAttribute(Qt::WA_DeleteOnClose);

  browser_ = new QTextBrowser(this);
  browser_->setObjectName("manualBrowser");
  // Links to the web open in the desktop's browser; the manual's own pages open here.
  browser_->setOpenExternalLinks(true);
  browser_->document()->setDocumentMargin(12);

  auto* bar = new QToolBar(this);
  QAction* back = bar->addAction("Back", browser_, &QTextBrowser::backward);
  back->setShortcut(QKeySequence::Back);
  back->setEnabled(false);
  QAction* forward = bar->addAction("Forward", browser_, &QTextBrowser::forward);
  forward->setShortcut(QKeySequence::Forward);
  forward->setEnabled(false);
  bar->addAction("Contents", this, &ManualViewer::ShowContents);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(browser_);
  resize(900, 700);
  ShowContents();
}

void ManualViewer::ShowContents() {
  const QString page = ToQString((folder_ / kManualIndexPage).string());
  browser_->setSource(QUrl::fromLocalFile(page), QTextDocument::MarkdownResource);
}

ManualViewer* ShowUserManual(const fs::path& dataFolder, Prompter& prompter, QWidget* parent) {
  // The viewer has no meta-object of its own, so it is found by its name, not by its type.
  ManualViewer* viewer = parent ? dynamic_cast<ManualViewer*>(parent->findChild<QWidget*>(
                                      "manualViewer", Qt::FindDirectChildrenOnly))
                                : nullptr;
  if (!viewer) {
    const auto folders = ManualFolderCandidates(dataFolder, InstalledDataFolder());
    const auto folder = FindManualFolder(folders);
    if (!folder) {
      prompter.Message(ManualNotFoundText(folders), "plumora");
      return nullptr;
    }
    viewer = new ManualViewer(*folder, parent);
  }
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
  return viewer;
}

}  // namespace plumora::gui
