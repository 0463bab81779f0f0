// An OpenGL context without a window: Mesa's off-screen renderer (OSMesa) draws into memory.
// The tests, the benchmarks and the desktop program's pictures of 3D views use it, with the
// same scene code as the screen. The OSMesa library is loaded at run time and only its own
// entry points are used (through the context's function table), so it can live in a process
// whose windows draw with another OpenGL library.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gl/GlFunctions.h"

namespace plumora {

class HeadlessContext {
 public:
  // A context with an RGBA colour buffer of width × height pixels and a depth buffer, made
  // current on this thread, its table resolved. Fails, saying why, when the OSMesa library is
  // missing or refuses the context.
  static Result<> Create(int width, int height, std::unique_ptr<HeadlessContext>& out);
  ~HeadlessContext();
  HeadlessContext(const HeadlessContext&) = delete;
  HeadlessContext& operator=(const HeadlessContext&) = delete;

  // Makes the context current on this thread (again); false when OSMesa refuses.
  bool MakeCurrent();
  // Gives the context a colour buffer of width × height pixels (what it drew is dropped) and makes
  // it current; its lists and state stay. False when OSMesa refuses or the size has no pixels.
  bool Resize(int width, int height);
  // Leaves no context current on this thread.
  void Release();

  const GlFunctions& gl() const { return gl_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // What was drawn, as red, green, blue, alpha bytes, top row first (drawing is finished
  // first; the context must be current).
  std::vector<std::uint8_t> ReadRgba() const;

 private:
  HeadlessContext(void* context, int width, int height);

  void* context_;                     // the OSMesa context
  int width_;                         // pixels
  int height_;                        // pixels
  std::vector<std::uint8_t> buffer_;  // bottom row first, as OSMesa draws
  GlFunctions gl_;
};

}  // namespace plumora
