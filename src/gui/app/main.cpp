// plumora: the desktop program. Start it in a folder that holds atm/, adf/ and graphics/
// (the repository's data/ folder is one), with a mission to open or none.
#include <QApplication>

#include "gui/app/CPlumoraApp.h"
#include "gui/app/GlResources.h"

int main(int argc, char** argv) {
  plumora::gui::PrepareOpenGl();
  QApplication application(argc, argv);
  plumora::gui::CPlumoraApp app;
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  if (!app.InitInstance(arguments, {})) return 1;
  return QApplication::exec();
}
