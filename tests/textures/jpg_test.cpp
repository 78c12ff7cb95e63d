#include "textures/jpg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "jpg_samples.h"
#include "support/death_message.h"
#include "support/temp_folder.h"
#include "texture_log_capture.h"

using ::testing::HasSubstr;

namespace {

struct Decoded {
  Pixels pixels;
  int width = -1;
  int height = -1;
};

Decoded Decode(const Bytes& jpeg) {
  Decoded out;
  out.pixels.reset(CJpg::Decode_Memory(jpeg.data(), int(jpeg.size()), &out.width, &out.height));
  return out;
}

Decoded Decode_As_File(const Bytes& jpeg, const TempFolder& folder) {
  const std::string path = folder.file("image.jpg");
  write_file(path, As_String(jpeg));
  Decoded out;
  out.pixels.reset(CJpg::Decode_File(path.c_str(), &out.width, &out.height));
  return out;
}

bool Same_Image(const Decoded& a, const Decoded& b) {
  if (!a.pixels || !b.pixels) return !a.pixels && !b.pixels;
  return a.width == b.width && a.height == b.height &&
         memcmp(a.pixels.get(), b.pixels.get(), size_t(a.width) * a.height * 3) == 0;
}

void Expect_Refused(const Decoded& decoded) {
  EXPECT_EQ(decoded.pixels, nullptr);
  EXPECT_EQ(decoded.width, 0);
  EXPECT_EQ(decoded.height, 0);
}

}  // namespace

TEST(CJpgDecodeMemory, GivesTopRowFirstPackedRgb) {
  JpegSample sample;
  sample.quality = 100;
  sample.pixel = [](int x, int y) { return Rgb{uint8_t(40 + x * 8), uint8_t(200 - y * 16), 100}; };
  const Decoded decoded = Decode(Encode_Jpeg(sample));
  ASSERT_NE(decoded.pixels, nullptr);
  EXPECT_EQ(decoded.width, 16);
  EXPECT_EQ(decoded.height, 8);
  for (int y = 0; y < 8; y += 7) {
    for (int x = 0; x < 16; x += 5) {
      const uint8_t* p = decoded.pixels.get() + (y * 16 + x) * 3;
      const Rgb want = sample.pixel(x, y);
      EXPECT_NEAR(p[0], want.r, 12) << x << "," << y;
      EXPECT_NEAR(p[1], want.g, 12) << x << "," << y;
      EXPECT_NEAR(p[2], want.b, 12) << x << "," << y;
    }
  }
}

TEST(CJpgDecodeMemory, TurnsGreyscaleIntoEqualRgb) {
  JpegSample sample;
  sample.components = 1;
  sample.pixel = [](int x, int) { return Rgb{uint8_t(x * 16), 0, 0}; };
  const Decoded decoded = Decode(Encode_Jpeg(sample));
  ASSERT_NE(decoded.pixels, nullptr);
  for (int i = 0; i < decoded.width * decoded.height; ++i) {
    const uint8_t* p = decoded.pixels.get() + i * 3;
    ASSERT_EQ(p[0], p[1]);
    ASSERT_EQ(p[1], p[2]);
  }
  EXPECT_NEAR(decoded.pixels.get()[15 * 3], 240, 8);
}

TEST(CJpgDecodeMemory, SuppliesTheEndMarkerWhenTheBlockLacksIt) {
  for (bool progressive : {false, true}) {
    JpegSample sample;
    sample.width = 300;  // several staging buffers' worth of data
    sample.height = 40;
    sample.progressive = progressive;
    const Bytes whole = Encode_Jpeg(sample);
    ASSERT_EQ(whole[whole.size() - 2], 0xFF);
    ASSERT_EQ(whole[whole.size() - 1], 0xD9);
    const Bytes without_marker(whole.begin(), whole.end() - 2);
    const Decoded expected = Decode(whole);
    const Decoded decoded = Decode(without_marker);
    ASSERT_NE(decoded.pixels, nullptr);
    EXPECT_TRUE(Same_Image(decoded, expected));
    // Cut in the middle of the entropy-coded data: still a whole image.
    const Bytes half(whole.begin(), whole.begin() + whole.size() / 2);
    const Decoded partial = Decode(half);
    ASSERT_NE(partial.pixels, nullptr);
    EXPECT_EQ(partial.width, 300);
    EXPECT_EQ(partial.height, 40);
  }
}

TEST(CJpgDecodeMemory, RefusesCmykWithALogLine) {
  JpegSample sample;
  sample.components = 4;
  LogCapture log;
  Expect_Refused(Decode(Encode_Jpeg(sample)));
  EXPECT_THAT(log.Text(), HasSubstr("CJpg :Unsupported number of colour components (4)"));
}

TEST(CJpgDecodeMemory, RefusesAbsurdSizesBeforeAllocating) {
  for (const auto& [width, height] : {std::pair{60000, 60000}, std::pair{9500, 9500}}) {
    Bytes jpeg = Encode_Jpeg(JpegSample{});
    Patch_Frame_Size(jpeg, width, height);
    LogCapture log;
    Expect_Refused(Decode(jpeg));
    EXPECT_THAT(log.Text(), HasSubstr("pixels is too large"));
  }
}

TEST(CJpgDecodeMemory, RefusesWhatIsNotAJpeg) {
  const std::string text = "plain text, certainly not an image";
  const Bytes bytes(text.begin(), text.end());
  LogCapture log;
  Expect_Refused(Decode(bytes));
  Expect_Refused(Decode(Bytes{0xFF}));
  int width = -1, height = -1;
  EXPECT_EQ(CJpg::Decode_Memory(bytes.data(), 0, &width, &height), nullptr);
  EXPECT_THAT(log.Text(), HasSubstr("Not a JPEG file"));
}

// Ordinary progressive files (ten scans from the library's script, four from
// a spectral-selection one) decode; one that repeats a scan beyond the limit
// is refused by both decoders with a log line, however few bytes it has.
TEST(CJpgDecodeMemory, RefusesImagesWithMoreScansThanTheLimit) {
  TempFolder folder;
  JpegSample sample;
  sample.width = 64;
  sample.height = 32;
  sample.progressive = true;
  const Bytes ordinary = Encode_Jpeg(sample);
  ASSERT_EQ(Count_Scans(ordinary), 10);
  const Decoded expected = Decode(ordinary);
  ASSERT_NE(expected.pixels, nullptr);
  EXPECT_NEAR(expected.pixels.get()[(31 * 64 + 10) * 3], 10 * 15, 12);
  sample.scans = Spectral_Script();
  const Bytes spectral = Encode_Jpeg(sample);
  ASSERT_EQ(Count_Scans(spectral), 4);
  EXPECT_NE(Decode(spectral).pixels, nullptr);

  const Bytes at_limit = Repeat_Last_Scan(spectral, CJpg::MAX_SCANS);
  ASSERT_EQ(Count_Scans(at_limit), CJpg::MAX_SCANS);
  EXPECT_NE(Decode(at_limit).pixels, nullptr);
  for (int scans : {CJpg::MAX_SCANS + 1, 2000}) {
    SCOPED_TRACE(scans);
    const Bytes crafted = Repeat_Last_Scan(spectral, scans);
    ASSERT_EQ(Count_Scans(crafted), scans);
    LogCapture log;
    Expect_Refused(Decode(crafted));
    Expect_Refused(Decode_As_File(crafted, folder));
    EXPECT_THAT(log.Text(), HasSubstr("CJpg :Image has more than 100 scans\n"));
  }
}

// The upload layout is the decoder's, bottom row first, with rows padded to
// a multiple of 4 bytes: 300 bytes for 100 pixels, 304 for 101, 752 for 250.
TEST(CJpgLoadMemory, PutsTheBottomRowFirstAndPadsRows) {
  const struct { int width, height, components, stride; } cases[] = {
      {101, 1, 3, 304}, {101, 7, 3, 304}, {100, 58, 3, 300}, {250, 3, 3, 752},
      {1, 3, 3, 4},     {101, 7, 1, 304}, {1, 2, 1, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " x " << c.components);
    Bytes jpeg = Encode_Quadrants(c.width, c.height);
    if (c.components == 1) {
      JpegSample grey;
      grey.width = c.width;
      grey.height = c.height;
      grey.components = 1;
      jpeg = Encode_Jpeg(grey);
    }
    const Decoded top_first = Decode(jpeg);
    int w = 0, h = 0;
    Pixels loaded(CJpg::Load_Memory(jpeg.data(), int(jpeg.size()), &w, &h));
    ASSERT_NE(loaded, nullptr);
    ASSERT_EQ(w, c.width);
    ASSERT_EQ(h, c.height);
    for (int y = 0; y < c.height; ++y) {
      ASSERT_EQ(memcmp(loaded.get() + y * c.stride,
                       top_first.pixels.get() + (c.height - 1 - y) * c.width * 3, c.width * 3), 0)
          << "row " << y;
    }
    if (c.components == 3 && c.width > 1 && c.height > 1) {
      const uint8_t* first = loaded.get();  // bottom left: blue
      EXPECT_LT(first[0], 40);
      EXPECT_GT(first[2], 215);
    }
  }
}

TEST(CJpgLoadMemory, UndecodableResourceIsAnAssertion) {
  const Bytes garbage(64, 0x42);
  int w = 0, h = 0;
  EXPECT_EXIT(CJpg::Load_Memory(garbage.data(), int(garbage.size()), &w, &h),
              testing::ExitedWithCode(1), "jpg " ASSERTION_LINE_RE " Assert: buffer_1 != NULL");
}

TEST(CJpgDecodeFile, AgreesWithTheMemoryDecoder) {
  TempFolder folder;
  JpegSample sample;
  sample.width = 250;
  sample.height = 30;
  const Bytes jpeg = Encode_Jpeg(sample);
  const Decoded from_file = Decode_As_File(jpeg, folder);
  ASSERT_NE(from_file.pixels, nullptr);
  EXPECT_TRUE(Same_Image(from_file, Decode(jpeg)));
}

TEST(CJpgDecodeFile, LogsAMissingFile) {
  LogCapture log;
  int width = -1, height = -1;
  EXPECT_EQ(CJpg::Decode_File("/nonexistent/earth.jpg", &width, &height), nullptr);
  EXPECT_EQ(width, 0);
  EXPECT_THAT(log.Text(), HasSubstr("JPEG :\nCan't open /nonexistent/earth.jpg\n"));
}

TEST(CJpgLoadFile, GivesNullForAFileThatCannotBeDecoded) {
  TempFolder folder;
  const std::string path = folder.file("broken.jpg");
  const Bytes jpeg = Encode_Jpeg(JpegSample{});
  write_file(path, As_String(Bytes(jpeg.begin(), jpeg.begin() + 40)));
  int width = -1, height = -1;
  EXPECT_EQ(CJpg::Load_File(path.c_str(), &width, &height), nullptr);
}

// Truncated and bit-flipped images: neither decoder may crash, leak or read
// outside its input, and both must reach the same result from the same bytes.
TEST(CJpgDamagedInput, BothDecodersSurviveAndAgree) {
  TempFolder folder;
  std::mt19937 random(20260208);
  int decoded_count = 0, refused_count = 0;
  for (int kind = 0; kind < 3; ++kind) {
    JpegSample sample;
    sample.width = 48;
    sample.height = 32;
    sample.components = kind == 2 ? 1 : 3;
    sample.progressive = kind == 1;
    const Bytes original = Encode_Jpeg(sample);
    std::vector<Bytes> damaged;
    for (size_t cut = 1; cut < original.size(); cut += original.size() / 50 + 1)
      damaged.emplace_back(original.begin(), original.begin() + cut);
    for (int i = 0; i < 80; ++i) {
      Bytes copy = original;
      for (int flips = 1 + int(random() % 3); flips > 0; --flips)
        copy[random() % copy.size()] ^= uint8_t(1u << (random() % 8));
      damaged.push_back(copy);
    }
    for (const Bytes& bytes : damaged) {
      const Decoded from_memory = Decode(bytes);
      const Decoded from_file = Decode_As_File(bytes, folder);
      ASSERT_TRUE(Same_Image(from_memory, from_file)) << "kind " << kind << ", " << bytes.size();
      if (from_memory.pixels) {
        ++decoded_count;
      } else {
        ++refused_count;
        EXPECT_EQ(from_memory.width, 0);
      }
    }
  }
  EXPECT_GT(decoded_count, 0);
  EXPECT_GT(refused_count, 0);
}
