#include "textures/texture.h"

#include <GL/gl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "jpg_samples.h"
#include "platform/platform.h"
#include "support/death_message.h"
#include "support/offscreen_gl.h"
#include "support/temp_folder.h"
#include "texture_log_capture.h"
#include "textures/texturedata.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

const char EARTH_FILE[] = "ob3d_earth.jpg";

GLint Level_0(GLenum parameter) {
  GLint value = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
  return value;
}

// Points the program's own path into a folder for the test's duration, so
// that "beside the executable" is a folder the test controls.
class ExecutableIn {
 public:
  explicit ExecutableIn(const std::string& folder) {
    Path() = folder + "/orbalune3d";
    saved_ = platform::api().system.module_file_name;
    platform::api().system.module_file_name = [] { return Path(); };
  }
  ~ExecutableIn() { platform::api().system.module_file_name = saved_; }
  ExecutableIn(const ExecutableIn&) = delete;
  ExecutableIn& operator=(const ExecutableIn&) = delete;

 private:
  static std::string& Path() {
    static std::string path;
    return path;
  }
  std::string (*saved_)() = nullptr;
};

// Each loader test binds a fresh texture of its own and works in a current
// directory other than the program folder; the Earth files it writes are
// removed again.
class TextureLoad : public OffscreenGlTest {
 protected:
  void SetUp() override {
    OffscreenGlTest::SetUp();
    glGenTextures(1, &name_);
    glBindTexture(GL_TEXTURE_2D, name_);
    ASSERT_EQ(getcwd(saved_directory_, sizeof saved_directory_), saved_directory_);
    ASSERT_EQ(chdir(elsewhere_.path().c_str()), 0);
  }
  void TearDown() override {
    remove(Program_Earth_File().c_str());
    EXPECT_EQ(chdir(saved_directory_), 0);
    glDeleteTextures(1, &name_);
  }

  static std::string Program_Earth_File() {
    return platform::api().system.program_folder() + "/" + EARTH_FILE;
  }
  static void Write_Program_Earth_File(const Bytes& bytes) {
    platform::api().system.make_folder(platform::api().system.program_folder());
    write_file(Program_Earth_File(), As_String(bytes));
  }
  static Bytes Flat_Jpeg(int width, int height) {
    JpegSample sample;
    sample.width = width;
    sample.height = height;
    return Encode_Jpeg(sample);
  }

  TempFolder elsewhere_;
  TempFolder beside_executable_;

 private:
  GLuint name_ = 0;
  char saved_directory_[4096] = {};
};

}  // namespace

TEST(OffscreenGl, ClearsAndReadsBackAndFollowsResize) {
  OffscreenGl gl(32, 16);
  ASSERT_TRUE(gl.ok());
  EXPECT_GE(gl.info().depth_bits, 16);
  glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(gl.pixel(31, 15), 0xff0000ffu);

  gl.resize(100, 50);
  glViewport(0, 0, 100, 50);
  glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(gl.pixel(99, 49), 0x0000ffffu);
  EXPECT_EQ(gl.read_pixels().size(), 100u * 50u * 4u);
}

TEST_F(TextureLoad, ResourceJpgUploadsAndReportsItsSize) {
  LogCapture log;
  CTexture::Load_Resource_Jpg(142);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  EXPECT_EQ(CTexture::Get_Width(), 256);
  EXPECT_EQ(CTexture::Get_Height(), 256);
  EXPECT_EQ(Level_0(GL_TEXTURE_WIDTH), 256);
  const std::string text = log.Text();
  EXPECT_THAT(text, HasSubstr("CTexture::Load_Resource_Jpg(142)\n  size = "));
  EXPECT_THAT(text, HasSubstr("  width = 256, height = 256\n"));
}

TEST_F(TextureLoad, EarthUsesTheBuiltInMapWhenThereIsNoFile) {
  ExecutableIn executable(beside_executable_.path());
  for (const auto& [id, width] : {std::pair{149, 864}, std::pair{170, 200}}) {
    LogCapture log;
    CTexture::Load_Jpg(EARTH_FILE, id);
    EXPECT_EQ(CTexture::Get_Width(), width);
    EXPECT_THAT(log.Text(), HasSubstr("CTexture::Load_File_Jpg(ob3d_earth.jpg)\n  Not found!\n"));
  }
}

TEST_F(TextureLoad, EarthFileInTheProgramFolderWinsInBothModes) {
  ExecutableIn executable(beside_executable_.path());
  Write_Program_Earth_File(Flat_Jpeg(128, 64));
  write_file(beside_executable_.file(EARTH_FILE), As_String(Flat_Jpeg(64, 32)));
  for (int id : {149, 170}) {
    CTexture::Load_Jpg(EARTH_FILE, id);
    EXPECT_EQ(CTexture::Get_Width(), 128) << id;
    EXPECT_EQ(CTexture::Get_Height(), 64) << id;
  }
}

TEST_F(TextureLoad, EarthFileBesideTheExecutableIsUsedNext) {
  ExecutableIn executable(beside_executable_.path());
  write_file(beside_executable_.file(EARTH_FILE), As_String(Flat_Jpeg(64, 32)));
  EXPECT_TRUE(CTexture::Load_File_Jpg(EARTH_FILE));
  EXPECT_EQ(CTexture::Get_Width(), 64);
}

TEST_F(TextureLoad, UndecodableEarthFileFallsBackToTheBuiltInMap) {
  ExecutableIn executable(beside_executable_.path());
  Bytes huge = Flat_Jpeg(16, 8);
  Patch_Frame_Size(huge, 60000, 60000);
  JpegSample cmyk;
  cmyk.components = 4;
  const Bytes truncated(huge.begin(), huge.begin() + 30);
  const std::string text = "GIF89a, not a JPEG at all";
  JpegSample progressive;
  progressive.scans = Spectral_Script();
  const Bytes endless_scans = Repeat_Last_Scan(Encode_Jpeg(progressive), 2000);
  const struct { Bytes bytes; const char* reason; } cases[] = {
      {truncated, "JPEG datastream contains no image"},
      {Bytes(text.begin(), text.end()), "Not a JPEG file"},
      {Encode_Jpeg(cmyk), "Unsupported number of colour components (4)"},
      {huge, "pixels is too large"},
      {endless_scans, "Image has more than 100 scans"}};
  for (const auto& [bad, reason] : cases) {
    SCOPED_TRACE(reason);
    Write_Program_Earth_File(bad);
    LogCapture log;
    CTexture::Load_Jpg(EARTH_FILE, 149);
    EXPECT_EQ(CTexture::Get_Width(), 864);
    EXPECT_EQ(Level_0(GL_TEXTURE_WIDTH), 1024) << "the built-in map, rescaled by the mipmap builder";
    const std::string logged = log.Text();
    EXPECT_THAT(logged, HasSubstr(reason));
    EXPECT_THAT(logged, HasSubstr("is not a usable JPEG image, using the built-in one"));
  }
}

// 100 pixels of 3 bytes make rows of 300 bytes; 58 rows. Quadrants show any
// shear from a wrong row length, and the orientation of the upload.
TEST_F(TextureLoad, FileJpgWithUnalignedRowsUploadsUpright) {
  ExecutableIn executable(beside_executable_.path());
  Write_Program_Earth_File(Encode_Quadrants(100, 58));
  ASSERT_TRUE(CTexture::Load_File_Jpg(EARTH_FILE));
  EXPECT_EQ(CTexture::Get_Width(), 100);
  EXPECT_EQ(CTexture::Get_Height(), 58);
  const int width = Level_0(GL_TEXTURE_WIDTH), height = Level_0(GL_TEXTURE_HEIGHT);
  Bytes texels(size_t(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
  auto texel = [&](int x, int y) {
    const uint8_t* p = texels.data() + (size_t(y) * width + x) * 3;
    return Rgb{p[0], p[1], p[2]};
  };
  // Texture row 0 is the image's bottom row.
  const struct { int x, y; Rgb want; } probes[] = {
      {4, 2, {0, 0, 255}},   {width - 5, 2, {255, 255, 255}},
      {4, height - 3, {255, 0, 0}}, {width - 5, height - 3, {0, 255, 0}}};
  for (const auto& probe : probes) {
    const Rgb got = texel(probe.x, probe.y);
    EXPECT_NEAR(got.r, probe.want.r, 40) << probe.x << "," << probe.y;
    EXPECT_NEAR(got.g, probe.want.g, 40) << probe.x << "," << probe.y;
    EXPECT_NEAR(got.b, probe.want.b, 40) << probe.x << "," << probe.y;
  }
}

TEST_F(TextureLoad, ResourceOnlyWhenNoFileNameIsGiven) {
  LogCapture log;
  CTexture::Load_Jpg(nullptr, 194);
  EXPECT_EQ(CTexture::Get_Width(), 500);
  EXPECT_THAT(log.Text(), Not(HasSubstr("Load_File_Jpg")));
}

TEST(CTextureLoadResourceJpg, MissingResourceIsAnAssertion) {
  EXPECT_EXIT(CTexture::Load_Resource_Jpg(999), testing::ExitedWithCode(1),
              "texture " ASSERTION_LINE_RE " Assert: p_data != NULL");
}

TEST(CTextureData, StartsUnloadedAndAssertsOnItsInvariant) {
  CTextureData data;
  EXPECT_EQ(data.Get_Texture_Id(), -1);
  EXPECT_EQ(data.Get_Width(), 0);
  data.Set(3, 64, 32);
  EXPECT_EQ(data.Get_Texture_Id(), 3);
  EXPECT_EQ(data.Get_Height(), 32);
  EXPECT_EXIT(data.Set(0, 64, 64), testing::ExitedWithCode(1),
              "texturedata " ASSERTION_LINE_RE " Assert: id > 0");
  EXPECT_EXIT(data.Set(1, 64, 0), testing::ExitedWithCode(1), "Assert: height > 0");
}
