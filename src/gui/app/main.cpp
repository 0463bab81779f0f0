// plumora: the desktop program. It reads its data (atm/, adf/, 3dmodels/, graphics/) from the
// folder it starts in when that holds them (the repository's data/ folder is one), otherwise from
// the data installed with it or from --base DIR; with a mission to open or none; or headless
// with --snapshot to draw a pane or a dialog into a PNG file.
#include <QApplication>
#include <QFile>
#include <cstdio>
#include <string>
#include <vector>

#include "gui/app/CPlumoraApp.h"
#include "gui/app/Snapshot.h"
#include "gui/kit/GlResources.h"
#include "gui/logic/app/StartupCommandLine.h"

int main(int argc, char** argv) {
  using namespace plumora::gui;
  // Read before Qt starts: help, the version and bad usage need no display.
  const StartupCommandLine line =
      ParseStartupCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (line.exitStatus) {
    std::fputs(line.text.c_str(), *line.exitStatus == 0 ? stdout : stderr);
    return *line.exitStatus;
  }
  PrepareOpenGl();
  if (line.snapshot) {
    PrepareHeadless();
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    return RunSnapshot(*line.snapshot);
  }
  // Qt sees its own options only; the missions are ours.
  std::vector<char*> qtArgv{argv[0]};
  std::vector<std::string> qtArguments = line.qtArguments;
  for (std::string& argument : qtArguments) qtArgv.push_back(argument.data());
  qtArgv.push_back(nullptr);
  int qtArgc = static_cast<int>(qtArgv.size()) - 1;
  QApplication application(qtArgc, qtArgv.data());
  CPlumoraApp app;
  QStringList missions;
  for (const std::string& mission : line.missions) missions << QFile::decodeName(mission.c_str());
  app.SetBaseFolder(line.base);
  if (!app.InitInstance(missions, {})) return 1;
  return QApplication::exec();
}
