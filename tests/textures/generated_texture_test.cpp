// The hand-over record between the worker and the window thread.
#include <gtest/gtest.h>

#include <thread>

#include "textures/generated_texture.h"

namespace {

CGeneratedImage Filled_Image(unsigned char value, int bytes, int layers) {
  CGeneratedImage image;
  image.pixels = std::make_unique<unsigned char[]>(bytes);
  for (int b = 0; b < bytes; ++b) image.pixels[b] = value;
  image.layers = layers;
  return image;
}

TEST(generated_texture, a_buffer_published_on_one_thread_is_complete_on_the_other) {
  constexpr int BYTES = 256 * 256 * 4;
  CGeneratedTexture texture;
  EXPECT_EQ(texture.Get_Texture_Id(), CGeneratedTexture::NOT_READY);
  EXPECT_EQ(texture.Get_Layers(), 0);
  std::thread worker([&texture] { texture.Publish(Filled_Image(0xAB, BYTES, 12)); });
  while (!texture.Is_Ready()) std::this_thread::yield();
  EXPECT_EQ(texture.Get_Texture_Id(), CGeneratedTexture::PUBLISHED);
  EXPECT_EQ(texture.Get_Layers(), 12);
  const std::unique_ptr<unsigned char[]> pixels = texture.Take();
  ASSERT_NE(pixels, nullptr);
  int wrong = 0;
  for (int b = 0; b < BYTES; ++b) wrong += pixels[b] != 0xAB;
  EXPECT_EQ(wrong, 0);
  worker.join();
}

TEST(generated_texture, a_buffer_is_owned_once_and_reset_forgets_everything) {
  CGeneratedTexture texture;
  texture.Publish(Filled_Image(1, 16, 3));
  // A second publication frees the first buffer rather than losing it.
  texture.Publish(Filled_Image(2, 16, 4));
  EXPECT_EQ(texture.Get_Layers(), 4);
  std::unique_ptr<unsigned char[]> pixels = texture.Take();
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(pixels[0], 2);
  EXPECT_EQ(texture.Take(), nullptr);
  texture.Set_Texture_Id(5);
  EXPECT_TRUE(texture.Is_Ready());
  texture.Publish(Filled_Image(3, 16, 1));
  texture.Reset();
  EXPECT_FALSE(texture.Is_Ready());
  EXPECT_EQ(texture.Take(), nullptr);
  EXPECT_EQ(texture.Get_Layers(), 0);
}

}  // namespace
