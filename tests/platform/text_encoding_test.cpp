// Windows-1252 text and UTF-8: every byte has a character and comes back,
// and what the code page cannot hold is refused rather than replaced.
#include <gtest/gtest.h>

#include "platform/text_encoding.h"

namespace {

using platform::utf8_to_windows1252;
using platform::windows1252_to_utf8;

TEST(Windows1252, the_euro_sign_and_typographic_quotes_are_single_bytes) {
  EXPECT_EQ(utf8_to_windows1252("Prix 5 \u20AC"), std::string("Prix 5 \x80"));
  EXPECT_EQ(windows1252_to_utf8("Prix 5 \x80"), "Prix 5 \u20AC");
  EXPECT_EQ(utf8_to_windows1252("\u201Cok\u201D \u2013 \u0160koda \u0178"),
            std::string("\x93ok\x94 \x96 \x8Akoda \x9F"));
  EXPECT_EQ(utf8_to_windows1252("Z\u00FCrich"), std::string("Z\xFCrich"));
}

TEST(Windows1252, every_byte_comes_back_unchanged) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += char(byte);
  EXPECT_EQ(utf8_to_windows1252(windows1252_to_utf8(all)), all);
}

TEST(Windows1252, characters_outside_the_code_page_are_refused) {
  EXPECT_FALSE(utf8_to_windows1252("\u0141\u00F3d\u017A"));  // Łódź: Ł and ź are missing
  EXPECT_FALSE(utf8_to_windows1252("\u041C\u0443\u0437\u044B\u043A\u0430"));
  EXPECT_FALSE(utf8_to_windows1252("\u0080"));  // a C1 control that 0x80 does not stand for
  EXPECT_FALSE(utf8_to_windows1252("\U0001F600"));
}

TEST(Windows1252, malformed_utf8_is_refused) {
  for (const char* bad : {"\xC3", "\xC0\xAE", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                          "\x80", "a\xC3(", "\xF8\x88\x80\x80\x80"}) {
    EXPECT_FALSE(utf8_to_windows1252(bad)) << bad;
  }
}

}  // namespace
