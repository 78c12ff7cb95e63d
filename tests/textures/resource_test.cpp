// The module's embedded resources: lookup, and the stored form of each image.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include <jpeglib.h>

#include "platform/platform.h"

namespace {

platform::ResourceView Find(int id, const char* type) {
  return platform::api().resources.find(id, type);
}

int Read_U16(const uint8_t* bytes) { return bytes[0] | bytes[1] << 8; }
int Read_S32(const uint8_t* bytes) {
  return int32_t(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
                 uint32_t(bytes[3]) << 24);
}

struct JpegFacts {
  int width, height, components;
  bool progressive;
};

// The frame header as the library reads it (the default error manager would
// end the test program on a broken image, which is what a test wants here).
JpegFacts Read_Jpeg_Header(const platform::ResourceView& resource) {
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, resource.data, resource.size);
  jpeg_read_header(&cinfo, TRUE);
  const JpegFacts facts{int(cinfo.image_width), int(cinfo.image_height), cinfo.num_components,
                        bool(cinfo.progressive_mode)};
  jpeg_destroy_decompress(&cinfo);
  return facts;
}

}  // namespace

TEST(EmbeddedResources, AreFoundByIdAndTypeWhateverItsCase) {
  const platform::ResourceView upper = Find(188, "TGA");
  ASSERT_NE(upper.data, nullptr);
  EXPECT_GT(upper.size, 0u);
  for (const char* type : {"tga", "Tga", "tGA"}) {
    const platform::ResourceView other = Find(188, type);
    EXPECT_EQ(other.data, upper.data) << type;
    EXPECT_EQ(other.size, upper.size) << type;
  }
  EXPECT_NE(Find(142, "jpg").data, nullptr);
  EXPECT_EQ(Find(188, "JPG").data, nullptr);
  EXPECT_EQ(Find(142, "TGA").data, nullptr);
  EXPECT_EQ(Find(999, "JPG").data, nullptr);
  EXPECT_EQ(Find(142, "JPGX").data, nullptr);
  EXPECT_EQ(Find(142, nullptr).data, nullptr);
}

TEST(EmbeddedResources, JpegImagesHaveTheirSizesAndForms) {
  const struct { int id, width, height; bool progressive; } images[] = {
      {142, 256, 256, false}, {149, 864, 432, false}, {170, 200, 100, false},
      {194, 500, 250, false}, {199, 100, 50, false},  {203, 250, 145, true}};
  for (const auto& image : images) {
    SCOPED_TRACE(image.id);
    const platform::ResourceView resource = Find(image.id, "JPG");
    ASSERT_NE(resource.data, nullptr);
    const JpegFacts facts = Read_Jpeg_Header(resource);
    EXPECT_EQ(facts.width, image.width);
    EXPECT_EQ(facts.height, image.height);
    EXPECT_EQ(facts.components, 3);
    EXPECT_EQ(facts.progressive, image.progressive);
  }
}

TEST(EmbeddedResources, SpritesAreUncompressedTrueColourTgas) {
  const struct { int id, bits, descriptor; } sprites[] = {
      {188, 24, 0x20}, {189, 24, 0x20}, {190, 24, 0x20}, {193, 24, 0x20}, {192, 32, 0x08}};
  for (const auto& sprite : sprites) {
    SCOPED_TRACE(sprite.id);
    const platform::ResourceView resource = Find(sprite.id, "TGA");
    ASSERT_GE(resource.size, 18u);
    const uint8_t* header = resource.data;
    EXPECT_EQ(header[2], 2) << "uncompressed true colour";
    EXPECT_EQ(Read_U16(header + 12), 64);
    EXPECT_EQ(Read_U16(header + 14), 64);
    EXPECT_EQ(header[16], sprite.bits);
    EXPECT_EQ(header[17], sprite.descriptor) << "origin and alpha bits";
    const size_t pixels = 64 * 64 * size_t(sprite.bits / 8);
    const size_t footer = sprite.bits == 32 ? 26 : 0;
    ASSERT_EQ(resource.size, 18 + pixels + footer);
    if (footer) {
      EXPECT_EQ(memcmp(resource.data + resource.size - 18, "TRUEVISION-XFILE.\0", 18), 0);
    }
  }
}

// The picture is a whole .bmp file here; Windows' own BITMAP resource is the
// same without the 14-byte file header.
#ifdef _WIN32
const size_t BITMAP_FILE_HEADER_SIZE = 0;
#else
const size_t BITMAP_FILE_HEADER_SIZE = 14;
#endif

TEST(EmbeddedResources, IntroductionPictureAndIconsArePresent) {
  const platform::ResourceView picture = Find(145, "bitmap");
  ASSERT_GE(picture.size, BITMAP_FILE_HEADER_SIZE + 40);
  if (BITMAP_FILE_HEADER_SIZE) EXPECT_EQ(memcmp(picture.data, "BM", 2), 0);
  const uint8_t* info = picture.data + BITMAP_FILE_HEADER_SIZE;
  EXPECT_GE(Read_S32(info), 40) << "information header size";
  EXPECT_EQ(Read_S32(info + 4), 500);
  EXPECT_EQ(Read_S32(info + 8), 289);
  EXPECT_EQ(Read_U16(info + 14), 8) << "256 colours";
  for (int id : {100, 107}) {
    const platform::ResourceView icon = Find(id, "ICON");
    ASSERT_GE(icon.size, 6u) << id;
    EXPECT_EQ(Read_U16(icon.data + 2), 1) << "icon file type";
    EXPECT_GE(Read_U16(icon.data + 4), 1) << "image count";
  }
}
