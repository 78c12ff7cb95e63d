#include "textures/tga.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "jpg_samples.h"
#include "platform/platform.h"
#include "support/death_message.h"
#include "support/offscreen_gl.h"
#include "textures/texture.h"

namespace {

// A 2 x 2 image: header, then the stored rows of B, G, R (, A) pixels.
Bytes Tga(int bits_per_pixel, const Bytes& pixels) {
  Bytes tga(CTga::HEADER_SIZE + pixels.size(), 0);
  tga[2] = 2;
  tga[12] = 2;
  tga[14] = 2;
  tga[16] = uint8_t(bits_per_pixel);
  std::copy(pixels.begin(), pixels.end(), tga.begin() + CTga::HEADER_SIZE);
  return tga;
}

Bytes Texture_Level_0(GLenum format, int width, int height) {
  Bytes texels(size_t(width) * height * (format == GL_RGBA ? 4 : 3));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}

GLint Level_0(GLenum parameter) {
  GLint value = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
  return value;
}

}  // namespace

TEST(CTga, SwapsBlueAndRedAndKeepsAlphaAndRowOrder) {
  const Bytes bgr = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  Bytes tga = Tga(24, bgr);
  CTga::Header header{};
  EXPECT_FALSE(CTga::Read_Header(tga.data(), CTga::HEADER_SIZE - 1, &header));
  ASSERT_TRUE(CTga::Read_Header(tga.data(), tga.size(), &header));
  EXPECT_EQ(header.Width, 2);
  EXPECT_EQ(header.BitsPerPixel, 24);
  Pixels rgb(CTga::Copy_Pixels(tga.data(), tga.size(), header));
  ASSERT_NE(rgb, nullptr);
  EXPECT_EQ(Bytes(rgb.get(), rgb.get() + 12), (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));

  const Bytes bgra = {1, 2, 3, 200, 4, 5, 6, 0, 7, 8, 9, 77, 10, 11, 12, 255};
  tga = Tga(32, bgra);
  tga[17] = 0x08;  // bottom-left origin: rows still come in stored order
  ASSERT_TRUE(CTga::Read_Header(tga.data(), tga.size(), &header));
  Pixels rgba(CTga::Copy_Pixels(tga.data(), tga.size(), header));
  ASSERT_NE(rgba, nullptr);
  EXPECT_EQ(Bytes(rgba.get(), rgba.get() + 16),
            (Bytes{3, 2, 1, 200, 6, 5, 4, 0, 9, 8, 7, 77, 12, 11, 10, 255}));
}

TEST(CTga, RefusesPixelDataShorterThanTheHeaderPromises) {
  const Bytes tga = Tga(32, Bytes(16, 0));
  CTga::Header header{};
  ASSERT_TRUE(CTga::Read_Header(tga.data(), tga.size(), &header));
  EXPECT_EQ(CTga::Copy_Pixels(tga.data(), tga.size() - 1, header), nullptr);
  EXPECT_NE(Pixels(CTga::Copy_Pixels(tga.data(), tga.size(), header)), nullptr);
}

class LoadResourceTga : public OffscreenGlTest {
 protected:
  // Loads resource id into a new texture and checks that level 0 holds the
  // resource's own pixels in stored order.
  void Expect_Uploaded_As_Stored(int id, GLenum format) {
    GLuint name = 0;  // released with the context
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    CTexture::Load_Resource_Tga(id);
    ASSERT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_EQ(CTexture::Get_Width(), 64);
    EXPECT_EQ(CTexture::Get_Height(), 64);
    EXPECT_EQ(Level_0(GL_TEXTURE_WIDTH), 64);
    EXPECT_EQ(Level_0(GL_TEXTURE_ALPHA_SIZE) > 0, format == GL_RGBA);

    const platform::ResourceView resource = platform::api().resources.find(id, "TGA");
    CTga::Header header{};
    ASSERT_TRUE(CTga::Read_Header(resource.data, resource.size, &header));
    Pixels expected(CTga::Copy_Pixels(resource.data, resource.size, header));
    const Bytes texels = Texture_Level_0(format, 64, 64);
    EXPECT_EQ(memcmp(texels.data(), expected.get(), texels.size()), 0);
  }
};

TEST_F(LoadResourceTga, UploadsTwentyFourBitSpritesAsRgb) {
  for (int id : {188, 189, 190, 193}) {
    SCOPED_TRACE(id);
    Expect_Uploaded_As_Stored(id, GL_RGB);
  }
}

TEST_F(LoadResourceTga, UploadsTheThirtyTwoBitSpriteAsRgbaWithItsAlpha) {
  Expect_Uploaded_As_Stored(192, GL_RGBA);
  const Bytes texels = Texture_Level_0(GL_RGBA, 64, 64);
  bool transparent = false, opaque = false;
  for (size_t i = 3; i < texels.size(); i += 4) {
    transparent |= texels[i] == 0;
    opaque |= texels[i] > 200;
  }
  EXPECT_TRUE(transparent && opaque) << "the sprite's own alpha varies across it";
}

TEST(CTextureLoadResourceTga, MissingResourceIsAnAssertion) {
  EXPECT_EXIT(CTexture::Load_Resource_Tga(999), testing::ExitedWithCode(1),
              "texture " ASSERTION_LINE_RE " Assert: p_resource != NULL");
}
