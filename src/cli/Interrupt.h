// Ctrl-C as a request to stop: while an InterruptWatch lives, the first SIGINT only raises a flag
// that the command looks at, and a second one ends the process as usual.
#pragma once

namespace plumora::cli {

class InterruptWatch {
 public:
  InterruptWatch();   // clears the flag and takes over SIGINT
  ~InterruptWatch();  // gives SIGINT back to the default
  InterruptWatch(const InterruptWatch&) = delete;
  InterruptWatch& operator=(const InterruptWatch&) = delete;

  // True once Ctrl-C was pressed during this watch's life.
  bool Interrupted() const;
};

}  // namespace plumora::cli
