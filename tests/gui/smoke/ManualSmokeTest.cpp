// The user manual inside the program, on Qt's offscreen platform: found beside the source
// tree's data folder, its first page rendered with its links, a page's pictures loaded, Back and
// Forward between pages, one window for every F1, and the places looked in named when there is
// no manual.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QUrl>

#include "core/common/Prompter.h"
#include "gui/viewers/ManualViewer.h"
#include "support/TestFiles.h"

namespace plumora::gui {
namespace {

namespace fs = std::filesystem;

QAction* ToolAction(ManualViewer& viewer, const QString& text) {
  for (QAction* action : viewer.findChild<QToolBar*>()->actions()) {
    if (action->text() == text) return action;
  }
  return nullptr;
}

// A picture as the browser loads it for its page: the file's bytes, or an image.
QImage Picture(QTextDocument& document, const QString& name) {
  const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(name));
  if (resource.canConvert<QByteArray>() && resource.typeId() == QMetaType::QByteArray) {
    return QImage::fromData(resource.toByteArray());
  }
  return resource.value<QImage>();
}

TEST(ManualViewerTest, OpensTheContentsAndFollowsLinksToPagesWithTheirPictures) {
  QWidget frame;
  new QLabel(&frame);  // a window has children of its own: the second F1 must not take one
  RecordingPrompter prompter;
  ManualViewer* viewer = ShowUserManual(test::DataFolder(), prompter, &frame);
  ASSERT_NE(viewer, nullptr) << prompter.Transcript();
  QTextBrowser& browser = viewer->browser();
  EXPECT_TRUE(browser.source().toLocalFile().endsWith("docs/manual/index.md"));
  EXPECT_TRUE(browser.toPlainText().startsWith("plumora User Manual"));
  EXPECT_TRUE(browser.toHtml().contains("getting-started.md"));

  // Following a link as a click does, resolved against the page: the page, and the pictures it
  // names, are loaded.
  browser.setSource(browser.source().resolved(QUrl("getting-started.md")));
  EXPECT_TRUE(browser.source().toLocalFile().endsWith("docs/manual/getting-started.md"));
  EXPECT_TRUE(browser.toPlainText().contains("The animation bar"));
  EXPECT_EQ(Picture(*browser.document(), "pictures/table.png").size(), QSize(800, 500));
  viewer->grab().save(QStringLiteral(PLUMORA_SCREENSHOT_DIR "/plumora-user-manual.png"));

  QAction* back = ToolAction(*viewer, "Back");
  QAction* forward = ToolAction(*viewer, "Forward");
  ASSERT_TRUE(back && forward);
  EXPECT_TRUE(back->isEnabled());
  EXPECT_FALSE(forward->isEnabled());
  back->trigger();
  EXPECT_TRUE(browser.source().toLocalFile().endsWith("index.md"));
  EXPECT_TRUE(forward->isEnabled());
  forward->trigger();
  EXPECT_TRUE(browser.source().toLocalFile().endsWith("getting-started.md"));
  ToolAction(*viewer, "Contents")->trigger();
  EXPECT_TRUE(browser.source().toLocalFile().endsWith("index.md"));

  // F1 again brings the same window forward.
  EXPECT_EQ(ShowUserManual(test::DataFolder(), prompter, &frame), viewer);
  EXPECT_TRUE(prompter.entries().empty());
}

TEST(ManualViewerTest, EveryPageAndPictureTheManualLinksToIsThere) {
  QWidget frame;
  RecordingPrompter prompter;
  ManualViewer* viewer = ShowUserManual(test::DataFolder(), prompter, &frame);
  ASSERT_NE(viewer, nullptr);
  QTextBrowser& browser = viewer->browser();
  const fs::path manual = test::DataFolder().parent_path() / "docs" / "manual";
  for (const auto& entry : fs::directory_iterator(manual)) {
    if (entry.path().extension() != ".md") continue;
    const std::string page = entry.path().filename().string();
    browser.setSource(QUrl::fromLocalFile(QString::fromStdString(entry.path().string())));
    QTextDocument& document = *browser.document();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (format.isImageFormat()) {
          const QString name = format.toImageFormat().name();
          EXPECT_FALSE(Picture(document, name).isNull()) << page << ": picture " << name.toStdString();
        } else if (format.isAnchor() && !format.anchorHref().startsWith("http")) {
          const QString href = format.anchorHref().section('#', 0, 0);
          EXPECT_TRUE(fs::is_regular_file(entry.path().parent_path() / href.toStdString()))
              << page << ": link " << href.toStdString();
        }
      }
    }
  }
}

TEST(ManualViewerTest, WithoutAManualSaysWhereItLooked) {
  test::TempDir base;
  fs::create_directories(base / "data" / "atm");
  QWidget frame;
  RecordingPrompter prompter;
  EXPECT_EQ(ShowUserManual(base / "data", prompter, &frame), nullptr);
  ASSERT_EQ(prompter.entries().size(), 1u);
  const std::string text = prompter.entries()[0].text;
  EXPECT_NE(text.find("The user manual was not found"), std::string::npos) << text;
  EXPECT_NE(text.find((base / "docs" / "manual").string()), std::string::npos) << text;
  EXPECT_EQ(frame.findChild<QWidget*>("manualViewer"), nullptr);
}

}  // namespace
}  // namespace plumora::gui
