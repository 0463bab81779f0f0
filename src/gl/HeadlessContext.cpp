#include "gl/HeadlessContext.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <string>

// Mesa's off-screen renderer keeps a few allocations of its own (made when a context is first
// made current) until the process ends. They are not ours to free, so the leak checker of
// sanitized builds looks past them.
#if defined(__SANITIZE_ADDRESS__)
#define PLUMORA_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define PLUMORA_LEAK_CHECKED 1
#endif
#endif
#ifdef PLUMORA_LEAK_CHECKED
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libOSMesa.so\n";
}
#endif

namespace plumora {

namespace {

// OSMesa's entry points and values (GL/osmesa.h), looked up at run time.
using OsMesaContextHandle = void*;
using CreateContextExtFn = OsMesaContextHandle (*)(GlEnum format, GlInt depthBits,
                                                   GlInt stencilBits, GlInt accumBits,
                                                   OsMesaContextHandle shareList);
using DestroyContextFn = void (*)(OsMesaContextHandle);
using MakeCurrentFn = GlBoolean (*)(OsMesaContextHandle, void* buffer, GlEnum type, GlSizei width,
                                    GlSizei height);
using GetProcAddressFn = GlProc (*)(const char* name);
constexpr GlEnum kOsMesaRgba = kGlRgba;
constexpr GlInt kDepthBits = 24;
constexpr int kBytesPerPixel = 4;
// Debian's name first; the development link where a system has only that.
constexpr const char* kLibraryNames[] = {"libOSMesa.so.8", "libOSMesa.so"};

struct OsMesaLibrary {
  CreateContextExtFn createContextExt = nullptr;
  DestroyContextFn destroyContext = nullptr;
  MakeCurrentFn makeCurrent = nullptr;
  GetProcAddressFn getProcAddress = nullptr;
  std::string error;  // why the library cannot be used, empty when it can
};

template <typename Fn>
Fn Symbol(void* library, const char* name) {
  return reinterpret_cast<Fn>(dlsym(library, name));
}

// Loaded once and kept for the life of the process (Mesa does not like being unloaded). Local
// binding keeps its OpenGL symbols out of the way of any other OpenGL library in the process.
const OsMesaLibrary& Library() {
  static const OsMesaLibrary library = [] {
    OsMesaLibrary lib;
    void* handle = nullptr;
    for (const char* name : kLibraryNames) {
      handle = dlopen(name, RTLD_NOW | RTLD_LOCAL);
      if (handle) break;
    }
    if (!handle) {
      lib.error = "the off-screen OpenGL library (libOSMesa) cannot be loaded";
      return lib;
    }
    lib.createContextExt = Symbol<CreateContextExtFn>(handle, "OSMesaCreateContextExt");
    lib.destroyContext = Symbol<DestroyContextFn>(handle, "OSMesaDestroyContext");
    lib.makeCurrent = Symbol<MakeCurrentFn>(handle, "OSMesaMakeCurrent");
    lib.getProcAddress = Symbol<GetProcAddressFn>(handle, "OSMesaGetProcAddress");
    if (!lib.createContextExt || !lib.destroyContext || !lib.makeCurrent || !lib.getProcAddress) {
      lib.error = "the off-screen OpenGL library (libOSMesa) lacks an entry point";
    }
    return lib;
  }();
  return library;
}

}  // namespace

Result<> HeadlessContext::Create(int width, int height, std::unique_ptr<HeadlessContext>& out) {
  out.reset();
  if (width < 1 || height < 1)
    return Fail(ErrorCode::kUnavailable, "an off-screen picture needs pixels");
  const OsMesaLibrary& lib = Library();
  if (!lib.error.empty()) return Fail(ErrorCode::kUnavailable, lib.error);
  void* context = lib.createContextExt(kOsMesaRgba, kDepthBits, 0, 0, nullptr);
  if (!context) return Fail(ErrorCode::kUnavailable, "OSMesa could not create an OpenGL context");
  std::unique_ptr<HeadlessContext> made(new HeadlessContext(context, width, height));
  if (!made->MakeCurrent()) {
    return Fail(ErrorCode::kUnavailable, "OSMesa could not make its OpenGL context current");
  }
  Result<> resolved =
      made->gl_.Resolve([&lib](const char* name) { return lib.getProcAddress(name); });
  if (!resolved) return resolved;
  out = std::move(made);
  return {};
}

HeadlessContext::HeadlessContext(void* context, int width, int height)
    : context_(context),
      width_(width),
      height_(height),
      buffer_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * kBytesPerPixel) {
}

HeadlessContext::~HeadlessContext() {
  const OsMesaLibrary& lib = Library();
  lib.makeCurrent(nullptr, nullptr, 0, 0, 0);
  lib.destroyContext(context_);
}

bool HeadlessContext::MakeCurrent() {
  return Library().makeCurrent(context_, buffer_.data(), kGlUnsignedByte, width_, height_) != 0;
}

bool HeadlessContext::Resize(int width, int height) {
  if (width < 1 || height < 1) return false;
  if (width != width_ || height != height_) {
    width_ = width;
    height_ = height;
    buffer_.assign(
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * kBytesPerPixel, 0);
  }
  return MakeCurrent();
}

void HeadlessContext::Release() {
  Library().makeCurrent(nullptr, nullptr, 0, 0, 0);
}

std::vector<std::uint8_t> HeadlessContext::ReadRgba() const {
  gl_.Finish();
  const std::size_t row = static_cast<std::size_t>(width_) * kBytesPerPixel;
  std::vector<std::uint8_t> out(buffer_.size());
  for (int y = 0; y < height_; ++y) {
    const auto from = buffer_.begin() + static_cast<std::ptrdiff_t>(row * (height_ - 1 - y));
    std::copy(from, from + static_cast<std::ptrdiff_t>(row),
              out.begin() + static_cast<std::ptrdiff_t>(row * y));
  }
  return out;
}

}  // namespace plumora
