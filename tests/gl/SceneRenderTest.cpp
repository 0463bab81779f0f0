// The scene's lists drawn off-screen: what each model and mesh looks like in pixels, and how
// the set-up behaves without a context or with a model file missing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "core/common/Messages.h"
#include "gl/CDIB.h"
#include "gl/CGLScene.h"
#include "gl/HeadlessContext.h"
#include "gl/ViewProjection.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

constexpr int kSize = 200;  // pixels, square
constexpr float kBackground = 0.5f;

struct Rgb {
  double r, g, b;  // 0 to 1
};

class SceneRenderTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const Result<> made = HeadlessContext::Create(kSize, kSize, context_);
    ASSERT_TRUE(made) << made.message();
    scene_ = std::make_unique<CGLScene>();
    RecordingPrompter prompter;
    ASSERT_TRUE(scene_->CreateContext(context_->gl(), test::DataFolder(), prompter));
    // Builds without the desktop program draw no planet maps, and the planets say so.
    if (PLUMORA_PICTURES_BUILT != 0) {
      ASSERT_TRUE(prompter.entries().empty()) << prompter.Transcript();
    }
  }
  static void TearDownTestSuite() {
    scene_.reset();
    context_.reset();
  }
  static const GlFunctions& gl() { return context_->gl(); }

  // Draws with an orthographic view of half-width `half` looking down -z, after `orient`, lit
  // only by a white diffuse light from the eye, so a surface facing the eye shows exactly its
  // material's diffuse colour. The pixels, top row first.
  static std::vector<Rgb> Render(double half, const std::function<void()>& orient,
                                 const std::function<void()>& draw) {
    const GlFunctions& g = gl();
    const float none[4] = {0, 0, 0, 1}, white[4] = {1, 1, 1, 1}, eye[4] = {0, 0, 1, 0};
    g.Viewport(0, 0, kSize, kSize);
    g.MatrixMode(kGlProjection);
    g.LoadIdentity();
    g.Ortho(-half, half, -half, half, -10 * half, 10 * half);
    g.MatrixMode(kGlModelview);
    g.LoadIdentity();
    g.ClearColor(kBackground, kBackground, kBackground, 1);
    g.Clear(kGlColorBufferBit | kGlDepthBufferBit);
    g.Enable(kGlDepthTest);
    g.LightModelfv(kGlLightModelAmbient, none);
    g.Lightfv(kGlLight0, kGlAmbient, none);
    g.Lightfv(kGlLight0, kGlSpecular, none);
    g.Lightfv(kGlLight0, kGlDiffuse, white);
    g.Lightfv(kGlLight0, kGlPosition, eye);
    g.Enable(kGlLighting);
    g.Enable(kGlLight0);
    orient();
    draw();
    const std::vector<std::uint8_t> rgba = context_->ReadRgba();
    std::vector<Rgb> out;
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
      out.push_back({rgba[i] / 255.0, rgba[i + 1] / 255.0, rgba[i + 2] / 255.0});
    }
    return out;
  }

  // Six views, along and against each axis.
  static std::vector<Rgb> AllSides(double half, const std::function<void()>& draw) {
    std::vector<Rgb> all;
    const double turns[6][4] = {{0, 0, 1, 0},   {180, 0, 1, 0}, {90, 0, 1, 0},
                                {-90, 0, 1, 0}, {90, 1, 0, 0},  {-90, 1, 0, 0}};
    for (const auto& t : turns) {
      const auto pixels = Render(
          half, [&] { gl().Rotated(t[0], t[1], t[2], t[3]); }, draw);
      all.insert(all.end(), pixels.begin(), pixels.end());
    }
    return all;
  }

  // Some pixel shows the colour as a surface turned less than about 50° from the eye shows it.
  static bool Shows(const std::vector<Rgb>& pixels, const std::array<float, 4>& colour) {
    const double dd = colour[0] * colour[0] + colour[1] * colour[1] + colour[2] * colour[2];
    for (const Rgb& p : pixels) {
      const double c = (p.r * colour[0] + p.g * colour[1] + p.b * colour[2]) / dd;
      if (c < 0.6 || c > 1.02) continue;
      if (std::fabs(p.r - c * colour[0]) < 0.015 && std::fabs(p.g - c * colour[1]) < 0.015 &&
          std::fabs(p.b - c * colour[2]) < 0.015) {
        return true;
      }
    }
    return false;
  }

  static double Extent(const std::vector<Vec3f>& vertices) {
    double most = 0;
    for (const Vec3f& v : vertices) most = std::max<double>(most, std::hypot(v[0], v[1], v[2]));
    return 1.05 * most;
  }

  static std::unique_ptr<HeadlessContext> context_;
  static std::unique_ptr<CGLScene> scene_;
};

std::unique_ptr<HeadlessContext> SceneRenderTest::context_;
std::unique_ptr<CGLScene> SceneRenderTest::scene_;

TEST_F(SceneRenderTest, EveryCapsulePartAndMeshShowsEachOfItsMaterialColours) {
  for (int k = 0; k < 4; ++k) {
    const COglModel& part = scene_->Model(static_cast<SceneModel>(k));
    const auto pixels = AllSides(Extent(part.geometry().vertices), [&] { part.Draw(gl()); });
    EXPECT_TRUE(Shows(pixels, part.geometry().material.diffuse)) << kSceneModelFiles[k];
  }
  for (int m = 0; m < kBuiltinMeshCount; ++m) {
    const auto mesh = static_cast<BuiltinMesh>(m);
    double half = 0;
    for (const OglGeometry& run : scene_->Mesh(mesh).runs)
      half = std::max(half, Extent(run.vertices));
    const auto pixels = AllSides(half, [&] { scene_->DrawMesh(gl(), mesh); });
    for (const OglMaterial& material : scene_->Mesh(mesh).Materials()) {
      EXPECT_TRUE(Shows(pixels, material.diffuse))
          << kBuiltinMeshFiles[m] << " " << material.diffuse[0] << " " << material.diffuse[1];
    }
  }
}

TEST_F(SceneRenderTest, PlanetsWearTheirMapsLongitudeZeroOnXAndNinetyEastOnY) {
  if (PLUMORA_PICTURES_BUILT == 0)
    GTEST_SKIP() << "the planet maps are drawn with the desktop program";
  for (SceneModel planet : {SceneModel::kEarth, SceneModel::kMars, SceneModel::kTitan}) {
    const COglModel& model = scene_->Model(planet);
    RecordingPrompter prompter;
    CDIB map;
    std::FILE* file = std::fopen((test::DataFolder() / model.geometry().textureName).c_str(), "rb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(map.Read(file, prompter), 1);
    std::fclose(file);
    const std::vector<std::uint32_t> argb = map.ToArgb();  // top row first
    const int w = map.Width(), h = map.Height();
    // The equator is between the two middle rows; longitude 0 between the two middle columns,
    // 90° east a quarter turn to the right of it.
    for (int quarter : {0, 1}) {
      const auto pixels = Render(
          2.2, [&] { quarter == 0 ? gl().Rotated(-90, 0, 1, 0) : gl().Rotated(90, 1, 0, 0); },
          [&] { model.Draw(gl()); });
      const Rgb& centre = pixels[(kSize / 2) * kSize + kSize / 2];
      const float shade = model.geometry().material.diffuse[0];
      bool found = false;
      for (int row : {h / 2 - 1, h / 2}) {
        for (int col : {w / 2 - 1 + quarter * w / 4, w / 2 + quarter * w / 4}) {
          const std::uint32_t t = argb[static_cast<std::size_t>(row) * w + col];
          const Rgb texel{((t >> 16) & 255) / 255.0, ((t >> 8) & 255) / 255.0, (t & 255) / 255.0};
          found = found || (std::fabs(centre.r - shade * texel.r) < 0.02 &&
                            std::fabs(centre.g - shade * texel.g) < 0.02 &&
                            std::fabs(centre.b - shade * texel.b) < 0.02);
        }
      }
      EXPECT_TRUE(found) << model.geometry().textureName << " quarter " << quarter << ": "
                         << centre.r << " " << centre.g << " " << centre.b;
    }
  }
}

TEST_F(SceneRenderTest, NothingIsBuiltWithoutACurrentContext) {
  context_->Release();
  CGLScene scene;
  RecordingPrompter prompter;
  const Result<> result = scene.CreateContext(gl(), test::DataFolder(), prompter);
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.message(), kMsgNoCurrentContext);
  EXPECT_FALSE(scene.IsReady());
  EXPECT_TRUE(prompter.entries().empty());
  COglModel model;
  EXPECT_EQ(model.BuildList(gl()), 0u);
  ASSERT_TRUE(context_->MakeCurrent());
  EXPECT_TRUE(gl().HasCurrentContext());

  // A table that cannot be filled completely is not filled at all.
  GlFunctions table;
  const Result<> resolved = table.Resolve([](const char* name) -> GlProc {
    return std::string_view(name) == "glEnd" ? nullptr : reinterpret_cast<GlProc>(&std::abort);
  });
  EXPECT_FALSE(resolved.ok());
  EXPECT_NE(resolved.message().find("glEnd"), std::string::npos);
  EXPECT_FALSE(table.IsResolved());
}

TEST_F(SceneRenderTest, AMissingModelIsReportedOnceAndDrawsNothingWhileTheRestDraw) {
  if (PLUMORA_PICTURES_BUILT == 0)
    GTEST_SKIP() << "the planet maps are drawn with the desktop program";
  test::TempDir base;
  std::filesystem::create_directory(base / "3dmodels");
  for (const auto& entry :
       std::filesystem::directory_iterator(test::DataFolder() / kModelsFolder)) {
    if (entry.path().filename() != "mars.ogl") {
      std::filesystem::create_symlink(entry.path(), base / "3dmodels" / entry.path().filename());
    }
  }
  std::filesystem::create_directory_symlink(test::DataFolder() / "graphics", base / "graphics");
  CGLScene scene;
  RecordingPrompter prompter;
  ASSERT_TRUE(scene.CreateContext(gl(), base.path(), prompter));
  ASSERT_EQ(prompter.entries().size(), 1u);
  EXPECT_EQ(prompter.entries()[0].text,
            "File " + (base / "3dmodels" / "mars.ogl").string() + " was not opened\n");
  const auto blank = [](const std::vector<Rgb>& pixels) {
    for (const Rgb& p : pixels) {
      if (std::fabs(p.g - kBackground) > 0.01) return false;
    }
    return true;
  };
  EXPECT_TRUE(blank(Render(
      2.2, [] {}, [&] { scene.DrawModel(gl(), SceneModel::kMars); })));
  EXPECT_FALSE(blank(Render(
      2.2, [] {}, [&] { scene.DrawModel(gl(), SceneModel::kTitan); })));
  scene.DeleteLists(gl());
  EXPECT_FALSE(scene.IsReady());
}

TEST_F(SceneRenderTest, TheProjectionIsRebuiltOnlyForANewSizeAndItsExtentsMatchIt) {
  ViewProjection projection;
  EXPECT_TRUE(projection.Update(gl(), 160, 120));
  EXPECT_FALSE(projection.Update(gl(), 160, 120));
  EXPECT_TRUE(projection.Update(gl(), 120, 160));
  GlInt viewport[4] = {};
  gl().GetIntegerv(kGlViewport, viewport);
  EXPECT_EQ(viewport[2], 120);
  EXPECT_EQ(viewport[3], 160);
  // The corner of the near plane's extents lands on the corner of the view.
  GlMatrix m{};
  gl().GetDoublev(kGlProjectionMatrix, m.data());
  const double x = 0.5 * projection.Wn(), y = 0.5 * projection.Hn(), z = -kNearPlane;
  const double w = m[3] * x + m[7] * y + m[11] * z + m[15];
  EXPECT_NEAR((m[0] * x + m[4] * y + m[8] * z + m[12]) / w, 1.0, 1e-6);
  EXPECT_NEAR((m[1] * x + m[5] * y + m[9] * z + m[13]) / w, 1.0, 1e-6);
  EXPECT_NEAR((m[2] * x + m[6] * y + m[10] * z + m[14]) / w, -1.0, 1e-6);
  EXPECT_NEAR(projection.W28() / projection.Wn(), 28.0 / kNearPlane, 1e-12);
  // A view with no height yet still gets finite extents.
  EXPECT_TRUE(projection.Update(gl(), 100, 0));
  EXPECT_TRUE(std::isfinite(projection.Wn()));
}

}  // namespace
}  // namespace plumora
