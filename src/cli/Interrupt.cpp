#include "cli/Interrupt.h"

#include <csignal>

namespace plumora::cli {

namespace {

// Set by the handler; a signal handler can only talk through such a flag.
volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void OnInterrupt(int) {
  gInterrupted = 1;
}

}  // namespace

InterruptWatch::InterruptWatch() {
  gInterrupted = 0;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;  // the next Ctrl-C is the default one again
  sigaction(SIGINT, &action, nullptr);
}

InterruptWatch::~InterruptWatch() {
  std::signal(SIGINT, SIG_DFL);
}

bool InterruptWatch::Interrupted() const {
  return gInterrupted != 0;
}

}  // namespace plumora::cli
