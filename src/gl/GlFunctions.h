// The OpenGL 1.1 entry points the renderer uses, as a table of function pointers resolved from
// the context that is current when the table is filled. Nothing in plumora_gl calls OpenGL
// directly: the desktop program and the headless renderer load different OpenGL libraries into
// one process, and a direct call goes to whichever library was loaded first, which may not own
// the current context (its calls then silently do nothing). Resolving through the context's own
// loader always reaches the right one. The types and constants below are OpenGL's values under
// our own names, so this header can sit beside any system or Qt OpenGL header.
#pragma once

#include <functional>
#include <string>

#include "core/common/Result.h"

namespace plumora {

using GlEnum = unsigned int;
using GlBitfield = unsigned int;
using GlUint = unsigned int;
using GlInt = int;
using GlSizei = int;
using GlBoolean = unsigned char;
using GlUbyte = unsigned char;

// Display list name; 0 is no list.
using GlList = GlUint;

// Primitives.
inline constexpr GlEnum kGlLines = 0x0001;
inline constexpr GlEnum kGlTriangles = 0x0004;
// Display lists.
inline constexpr GlEnum kGlCompile = 0x1300;
// Faces.
inline constexpr GlEnum kGlFront = 0x0404;
inline constexpr GlEnum kGlBack = 0x0405;
inline constexpr GlEnum kGlFrontAndBack = 0x0408;
// Lights and materials.
inline constexpr GlEnum kGlLighting = 0x0B50;
inline constexpr GlEnum kGlLight0 = 0x4000;
inline constexpr GlEnum kGlAmbient = 0x1200;
inline constexpr GlEnum kGlDiffuse = 0x1201;
inline constexpr GlEnum kGlSpecular = 0x1202;
inline constexpr GlEnum kGlPosition = 0x1203;
inline constexpr GlEnum kGlEmission = 0x1600;
inline constexpr GlEnum kGlShininess = 0x1601;
inline constexpr GlEnum kGlLightModelTwoSide = 0x0B52;
inline constexpr GlEnum kGlLightModelAmbient = 0x0B53;
inline constexpr GlEnum kGlNormalize = 0x0BA1;
inline constexpr GlEnum kGlSmooth = 0x1D01;
inline constexpr GlEnum kGlDepthTest = 0x0B71;
inline constexpr GlEnum kGlScissorTest = 0x0C11;
// Textures.
inline constexpr GlEnum kGlTexture2D = 0x0DE1;
inline constexpr GlEnum kGlTextureWrapS = 0x2802;
inline constexpr GlEnum kGlTextureWrapT = 0x2803;
inline constexpr GlEnum kGlClamp = 0x2900;
inline constexpr GlEnum kGlTextureMagFilter = 0x2800;
inline constexpr GlEnum kGlTextureMinFilter = 0x2801;
inline constexpr GlEnum kGlNearest = 0x2600;
inline constexpr GlEnum kGlTextureEnv = 0x2300;
inline constexpr GlEnum kGlTextureEnvMode = 0x2200;
inline constexpr GlEnum kGlModulate = 0x2100;
inline constexpr GlEnum kGlUnpackAlignment = 0x0CF5;
inline constexpr GlEnum kGlPackAlignment = 0x0D05;
// Pixel formats and types.
inline constexpr GlEnum kGlUnsignedByte = 0x1401;
inline constexpr GlEnum kGlRgb = 0x1907;
inline constexpr GlEnum kGlRgba = 0x1908;
inline constexpr GlEnum kGlBgrExt = 0x80E0;
// Buffers.
inline constexpr GlBitfield kGlColorBufferBit = 0x00004000;
inline constexpr GlBitfield kGlDepthBufferBit = 0x00000100;
// Matrices.
inline constexpr GlEnum kGlModelview = 0x1700;
inline constexpr GlEnum kGlProjection = 0x1701;
inline constexpr GlEnum kGlModelviewMatrix = 0x0BA6;
inline constexpr GlEnum kGlProjectionMatrix = 0x0BA7;
inline constexpr GlEnum kGlViewport = 0x0BA2;
// Queries.
inline constexpr GlEnum kGlVersion = 0x1F02;
inline constexpr GlEnum kGlRenderer = 0x1F01;
inline constexpr GlEnum kGlNoError = 0;

// Every entry point: return type, name without the "gl" prefix, parameter list.
#define PLUMORA_GL_FUNCTIONS(X)                                                                 \
  X(void, Begin, (GlEnum mode))                                                                 \
  X(void, End, ())                                                                              \
  X(void, Vertex3f, (float x, float y, float z))                                                \
  X(void, Vertex3d, (double x, double y, double z))                                             \
  X(void, Vertex3fv, (const float* v))                                                          \
  X(void, Normal3f, (float x, float y, float z))                                                \
  X(void, Normal3fv, (const float* v))                                                          \
  X(void, TexCoord2fv, (const float* v))                                                        \
  X(void, Color3f, (float r, float g, float b))                                                 \
  X(void, Color3d, (double r, double g, double b))                                              \
  X(GlList, GenLists, (GlSizei range))                                                          \
  X(void, NewList, (GlList list, GlEnum mode))                                                  \
  X(void, EndList, ())                                                                          \
  X(void, CallList, (GlList list))                                                              \
  X(void, DeleteLists, (GlList list, GlSizei range))                                            \
  X(void, Materialfv, (GlEnum face, GlEnum name, const float* values))                          \
  X(void, Materialf, (GlEnum face, GlEnum name, float value))                                   \
  X(void, Lightfv, (GlEnum light, GlEnum name, const float* values))                            \
  X(void, LightModeli, (GlEnum name, GlInt value))                                              \
  X(void, LightModelfv, (GlEnum name, const float* values))                                     \
  X(void, Enable, (GlEnum capability))                                                          \
  X(void, Disable, (GlEnum capability))                                                         \
  X(void, TexImage2D,                                                                           \
    (GlEnum target, GlInt level, GlInt components, GlSizei width, GlSizei height, GlInt border, \
     GlEnum format, GlEnum type, const void* pixels))                                           \
  X(void, TexParameteri, (GlEnum target, GlEnum name, GlInt value))                             \
  X(void, GenTextures, (GlSizei count, GlUint * names))                                         \
  X(void, BindTexture, (GlEnum target, GlUint name))                                            \
  X(void, DeleteTextures, (GlSizei count, const GlUint* names))                                 \
  X(void, TexEnvi, (GlEnum target, GlEnum name, GlInt value))                                   \
  X(void, PixelStorei, (GlEnum name, GlInt value))                                              \
  X(void, ClearColor, (float r, float g, float b, float a))                                     \
  X(void, Clear, (GlBitfield mask))                                                             \
  X(void, ClearDepth, (double depth))                                                           \
  X(void, Scissor, (GlInt x, GlInt y, GlSizei width, GlSizei height))                           \
  X(void, ShadeModel, (GlEnum mode))                                                            \
  X(void, LineWidth, (float width))                                                             \
  X(void, PointSize, (float size))                                                              \
  X(void, MatrixMode, (GlEnum mode))                                                            \
  X(void, LoadIdentity, ())                                                                     \
  X(void, LoadMatrixd, (const double* m))                                                       \
  X(void, MultMatrixd, (const double* m))                                                       \
  X(void, Ortho, (double l, double r, double b, double t, double n, double f))                  \
  X(void, Viewport, (GlInt x, GlInt y, GlSizei width, GlSizei height))                          \
  X(void, PushMatrix, ())                                                                       \
  X(void, PopMatrix, ())                                                                        \
  X(void, Translatef, (float x, float y, float z))                                              \
  X(void, Translated, (double x, double y, double z))                                           \
  X(void, Rotatef, (float angle, float x, float y, float z))                                    \
  X(void, Rotated, (double angle, double x, double y, double z))                                \
  X(void, Scalef, (float x, float y, float z))                                                  \
  X(void, Scaled, (double x, double y, double z))                                               \
  X(void, GetDoublev, (GlEnum name, double* values))                                            \
  X(void, GetIntegerv, (GlEnum name, GlInt * values))                                           \
  X(const GlUbyte*, GetString, (GlEnum name))                                                   \
  X(GlEnum, GetError, ())                                                                       \
  X(void, Flush, ())                                                                            \
  X(void, Finish, ())                                                                           \
  X(void, ReadPixels,                                                                           \
    (GlInt x, GlInt y, GlSizei width, GlSizei height, GlEnum format, GlEnum type, void* pixels))

// Looks up an entry point by its full name ("glBegin"); null when the context has none.
using GlProc = void (*)();
using GlProcLoader = std::function<GlProc(const char* name)>;

struct GlFunctions {
#define PLUMORA_GL_MEMBER(ret, name, params) ret(*name) params = nullptr;
  PLUMORA_GL_FUNCTIONS(PLUMORA_GL_MEMBER)
#undef PLUMORA_GL_MEMBER

  // Fills every entry from load. Fails, naming the first entry point the loader does not know,
  // when one is missing; the table is then empty again.
  Result<> Resolve(const GlProcLoader& load);
  bool IsResolved() const {
    return Begin != nullptr;
  }
  // True when a context is current on this thread: OpenGL answers a version query only then.
  bool HasCurrentContext() const;
};

}  // namespace plumora
