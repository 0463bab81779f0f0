#include <gtest/gtest.h>

#include <string>

#include "BmpSamples.h"
#include "Pictures.h"
#include "core/common/DataFileErrors.h"
#include "core/common/Messages.h"
#include "gl/COglModel.h"
#include "support/TestFiles.h"

namespace plumora {
namespace {

// A square of two triangles over eight vertices (the last four unused), one normal, no texture
// coordinates, written the way people write these files by hand: counts in octal and hex,
// remarks after the numbers.
std::string Square(const std::string& texture = "nobitmap") {
  return "square\n"
         "010   vertices, octal\n"
         "texture coordinates\n"
         "0\n"
         "normals\n"
         "0x1\n"
         "triangles\n"
         "2\n"
         "corners\n"
         "0\n1\n2\n0\n0\n0\n0\n0\n0\n"
         "0\n2\n3\n0\n0\n0\n0\n0\n0\n"
         "vertices\n"
         "-1\n-1\n0\n1\n-1\n0\n1\n1\n0\n-1\n1\n0\n"
         "0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n"
         "normals\n"
         "0\n0\n2   need not be unit length\n"
         "texture coordinates (none)\n"
         "ambient\n0.1\n0.2\n0.3\n"
         "diffuse\n0.4\n0.5\n0.6\n"
         "specular\n0.7\n0.8\n0.9\n"
         "emission\n0\n0\n0.05\n"
         "alpha\n0.5\n"
         "shininess\n12.5\n" +
         texture + "\n";
}

TEST(COglModelTest, ReadsAHandWrittenModel) {
  test::TempDir dir;
  test::WriteFile(dir / "square.ogl", Square());
  RecordingPrompter prompter;
  COglModel model;
  ASSERT_EQ(model.Load(dir / "square.ogl", prompter), 1) << prompter.Transcript();
  const OglGeometry& g = model.geometry();
  EXPECT_EQ(g.vertices.size(), 8u);
  EXPECT_EQ(g.normals.size(), 1u);
  ASSERT_EQ(g.triangles.size(), 2u);
  EXPECT_EQ(g.triangles[1].vertex, (std::array<std::int32_t, 3>{0, 2, 3}));
  EXPECT_EQ(g.vertices[3], (Vec3f{-1.0f, 1.0f, 0.0f}));
  EXPECT_EQ(g.normals[0], (Vec3f{0.0f, 0.0f, 2.0f}));
  // No coordinates in the file: every corner gets the one pair (0, 0).
  EXPECT_EQ(g.texCoords, (std::vector<Vec2f>{{0.0f, 0.0f}}));
  // The single alpha completes all four colours.
  EXPECT_EQ(g.material.diffuse, (std::array<float, 4>{0.4f, 0.5f, 0.6f, 0.5f}));
  EXPECT_EQ(g.material.emission, (std::array<float, 4>{0.0f, 0.0f, 0.05f, 0.5f}));
  EXPECT_EQ(g.material.shininess, 12.5f);
  EXPECT_FALSE(model.HasTexture());
}

TEST(COglModelTest, RefusesCountsAndIndicesOutsideTheFileNamingIt) {
  struct Case {
    const char* what;
    std::string from, to;
    std::string_view problem;
    int line;
  };
  const Case cases[] = {
      {"negative count", "010   vertices", "-3", kMsgModelNegativeCount, 2},
      {"vertex index past the array", "0\n2\n3\n0", "0\n2\n8\n0", kMsgModelBadIndex, 21},
      {"normal index past the array", "0\n2\n3\n0\n0\n0", "0\n2\n3\n0\n1\n0", kMsgModelBadIndex,
       23},
      {"texture index past the one pair", "0\n0\n0\n0\n2\n3", "0\n0\n1\n0\n2\n3", kMsgModelBadIndex,
       18},
      {"more triangles than numbers", "triangles\n2\n", "triangles\n1000000\n",
       kMsgModelCountTooLarge, 8},
      {"a word for a number", "\n0.4\n", "\nfour tenths\n", kMsgFileEndsEarly, 63},
      {"no texture name", "12.5\nnobitmap\n", "12.5\n", kMsgFileEndsEarly, 78},
  };
  test::TempDir dir;
  for (const Case& c : cases) {
    std::string text = Square();
    const auto at = text.find(c.from);
    ASSERT_NE(at, std::string::npos) << c.what;
    text.replace(at, c.from.size(), c.to);
    test::WriteFile(dir / "bad.ogl", text);
    RecordingPrompter prompter;
    COglModel model;
    EXPECT_EQ(model.Load(dir / "bad.ogl", prompter), 0) << c.what;
    ASSERT_EQ(prompter.entries().size(), 1u) << c.what;
    EXPECT_EQ(prompter.entries()[0].text,
              DataFileMessage("model", dir / "bad.ogl", c.problem, c.line))
        << c.what;
    EXPECT_EQ(prompter.entries()[0].caption, kCaptionError);
    EXPECT_TRUE(model.geometry().triangles.empty()) << c.what;
  }
  // Cut anywhere, the file is refused without reading past its end.
  const std::string whole = Square();
  for (std::size_t size = 0; size + 9 < whole.size(); size += 7) {
    test::WriteFile(dir / "cut.ogl", whole.substr(0, size));
    SilentPrompter silent;
    COglModel model;
    EXPECT_EQ(model.Load(dir / "cut.ogl", silent), 0) << size;
    EXPECT_TRUE(model.geometry().vertices.empty()) << size;
  }
}

TEST(COglModelTest, AMissingFileOrUnusableTextureIsReportedAndTheModelStaysDrawable) {
  test::TempDir dir;
  RecordingPrompter prompter;
  COglModel model;
  EXPECT_EQ(model.Load(dir / "nothere.ogl", prompter), 0);
  ASSERT_EQ(prompter.entries().size(), 1u);
  EXPECT_EQ(prompter.entries()[0].text,
            "File " + (dir / "nothere.ogl").string() + " was not opened\n");

  // Names written with backslashes are found; a texture that cannot be used leaves the
  // geometry to be drawn plain.
  test::WriteFile(dir / "maps" / "good.bmp", tools::BmpBytes(tools::Picture(4, 2)));
  test::WriteFile(dir / "maps" / "eight.bmp", test::PalettedBmp(4, 4));
  test::WriteFile(dir / "good.ogl", Square("maps\\good.bmp"));
  test::WriteFile(dir / "eight.ogl", Square("maps/eight.bmp"));
  prompter.Clear();
  ASSERT_EQ(model.Load(dir / "good.ogl", prompter, dir.path()), 1) << prompter.Transcript();
  ASSERT_TRUE(model.HasTexture());
  EXPECT_EQ(model.texture()->Width(), 4);
  EXPECT_EQ(model.Load(dir / "eight.ogl", prompter, dir.path()), 0);
  ASSERT_EQ(prompter.entries().size(), 2u);
  EXPECT_EQ(prompter.entries()[0].text, "Texture file is not a bitmap");
  EXPECT_EQ(prompter.entries()[1].text, "Error opening file maps/eight.bmp");
  EXPECT_FALSE(model.HasTexture());
  EXPECT_EQ(model.geometry().triangles.size(), 2u);
}

}  // namespace
}  // namespace plumora
