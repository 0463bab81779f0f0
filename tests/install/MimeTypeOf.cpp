// Prints the MIME type Qt's database (as a Qt file manager uses it) gives each file named on the
// command line, one a line.
#include <QCoreApplication>
#include <QMimeDatabase>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QMimeDatabase database;
  for (int i = 1; i < argc; ++i) {
    std::printf("%s\n",
                qPrintable(database.mimeTypeForFile(QString::fromLocal8Bit(argv[i])).name()));
  }
  return 0;
}
