#include "cli/Commands.h"

int main(int argc, char** argv) {
  return plumora::cli::RunCommandLine(argc, argv);
}
