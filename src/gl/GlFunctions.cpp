#include "gl/GlFunctions.h"

namespace plumora {

Result<> GlFunctions::Resolve(const GlProcLoader& load) {
  const GlFunctions empty;
#define PLUMORA_GL_RESOLVE(ret, name, params)                                   \
  name = reinterpret_cast<ret(*) params>(load("gl" #name));                     \
  if (name == nullptr) {                                                        \
    *this = empty;                                                              \
    return Fail(ErrorCode::kUnavailable, "OpenGL has no entry point gl" #name); \
  }
  PLUMORA_GL_FUNCTIONS(PLUMORA_GL_RESOLVE)
#undef PLUMORA_GL_RESOLVE
  return {};
}

bool GlFunctions::HasCurrentContext() const {
  return IsResolved() && GetString(kGlVersion) != nullptr;
}

}  // namespace plumora
