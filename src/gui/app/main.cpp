// plumora: the desktop program. Start it in a folder that holds atm/, adf/ and graphics/
// (the repository's data/ folder is one), with a mission to open or none; or headless with
// --snapshot to draw a pane or a dialog into a PNG file.
#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "gui/app/CPlumoraApp.h"
#include "gui/app/GlResources.h"
#include "gui/app/Snapshot.h"

int main(int argc, char** argv) {
  using namespace plumora::gui;
  PrepareOpenGl();
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (WantsSnapshot(arguments)) {
    const SnapshotCommandLine line = ParseSnapshotCommandLine(arguments);
    if (!line.options) {
      std::fputs(line.text.c_str(), line.status == kSnapshotOk ? stdout : stderr);
      return line.status;
    }
    PrepareHeadless();
    QApplication application(argc, argv);
    return RunSnapshot(*line.options);
  }
  QApplication application(argc, argv);
  CPlumoraApp app;
  QStringList list = QApplication::arguments();
  list.removeFirst();
  if (!app.InitInstance(list, {})) return 1;
  return QApplication::exec();
}
