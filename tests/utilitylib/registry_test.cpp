// The registry value classes on the real file store: creation with defaults,
// the type rules of every class, write-through and the text limits.
#include <gtest/gtest.h>

#include <string>

#include "platform/store_test_home.h"
#include "utilitylib/registrybool.h"
#include "utilitylib/registryfloat.h"
#include "utilitylib/registryint.h"
#include "utilitylib/registrystring.h"

namespace {

using registry = StoreHomeTest;

TEST_F(registry, missing_values_are_created_with_their_defaults) {
  const CRegistryBool flag(TEST_KEY, "Flag", true);
  const CRegistryInt number(TEST_KEY, "Number", -2);
  const CRegistryFloat factor(TEST_KEY, "Factor", 0.7f);
  const CRegistryString text(TEST_KEY, "Text", "Z\xfcrich");
  EXPECT_TRUE(flag.Get());
  EXPECT_EQ(number.Get(), -2);
  EXPECT_EQ(factor.Get(), 0.7f);
  EXPECT_STREQ(text.Get(), "Z\xfcrich");
  EXPECT_EQ(store_text(),
            std::string("Orbalune 3D Options Store 1\n\n") + TEST_KEY_LINE +
                "\n"
                "\"Flag\"=dword:00000001\n"
                "\"Number\"=dword:fffffffe\n"
                "\"Factor\"=dword:3f333333\n"
                "\"Text\"=\"Z\xfcrich\"\n");
}

TEST_F(registry, boolean_is_true_only_for_one_and_keeps_other_words_until_set) {
  write_store("\"Two\"=dword:00000002\n\"One\"=dword:00000001\n");
  CRegistryBool two(TEST_KEY, "Two", true);
  const CRegistryBool one(TEST_KEY, "One", false);
  EXPECT_FALSE(two.Get());
  EXPECT_TRUE(one.Get());
  EXPECT_EQ(stored_line("Two"), "\"Two\"=dword:00000002");
  EXPECT_TRUE(two.Set(true));
  EXPECT_EQ(stored_line("Two"), "\"Two\"=dword:00000001");
  EXPECT_FALSE(two.Set(false));
  two.Reset_To_Default();
  EXPECT_TRUE(two.Get());
  EXPECT_EQ(stored_line("Two"), "\"Two\"=dword:00000001");
}

TEST_F(registry, string_reads_a_word_as_signed_decimal_and_rewrites_it_as_text) {
  write_store("\"Plain\"=dword:0000007b\n\"Negative\"=dword:fffffffb\n");
  EXPECT_STREQ(CRegistryString(TEST_KEY, "Plain", "x").Get(), "123");
  EXPECT_STREQ(CRegistryString(TEST_KEY, "Negative", "x").Get(), "-5");
  EXPECT_EQ(stored_line("Plain"), "\"Plain\"=\"123\"");
  EXPECT_EQ(stored_line("Negative"), "\"Negative\"=\"-5\"");
}

TEST_F(registry, string_of_500_bytes_with_its_nul_gives_the_initial_value) {
  const std::string longest(498, 'a');
  const std::string too_long(499, 'b');
  write_store("\"Longest\"=\"" + longest + "\"\n\"TooLong\"=\"" + too_long + "\"\n");
  EXPECT_EQ(CRegistryString(TEST_KEY, "Longest", "init").Get(), longest);
  EXPECT_STREQ(CRegistryString(TEST_KEY, "TooLong", "init").Get(), "init");
  EXPECT_EQ(stored_line("TooLong"), "\"TooLong\"=\"init\"");
}

TEST_F(registry, string_set_writes_through_and_cuts_overlong_text) {
  CRegistryString text(TEST_KEY, "Text", "");
  text.Set("C:\\music\\\"best\" \xe9t\xe9.m3u");
  EXPECT_STREQ(CRegistryString(TEST_KEY, "Text", "").Get(), "C:\\music\\\"best\" \xe9t\xe9.m3u");
  // Cut so that the text still reads back: 498 characters and the NUL.
  text.Set(std::string(600, 'c').c_str());
  EXPECT_EQ(std::string(text.Get()), std::string(498, 'c'));
  EXPECT_EQ(std::string(CRegistryString(TEST_KEY, "Text", "").Get()), std::string(498, 'c'));
  text.Set(text.Get());
  EXPECT_EQ(std::string(text.Get()), std::string(498, 'c'));
}

TEST_F(registry, float_is_stored_as_its_ieee_754_bits) {
  write_store("\"One\"=dword:3f800000\n");
  EXPECT_EQ(CRegistryFloat(TEST_KEY, "One", 0.5f).Get(), 1.0f);
  CRegistryFloat factor(TEST_KEY, "Factor", 0.0f);
  factor.Set(0.33f);
  EXPECT_EQ(stored_line("Factor"), "\"Factor\"=dword:3ea8f5c3");
  factor.Set(0.7f);
  EXPECT_EQ(stored_line("Factor"), "\"Factor\"=dword:3f333333");
  EXPECT_EQ(CRegistryFloat(TEST_KEY, "Factor", 0.0f).Get(), 0.7f);
}

TEST_F(registry, word_classes_ignore_strings_and_accept_binary_words) {
  write_store(
      "\"LongText\"=\"hello\"\n"
      "\"ShortText\"=\"7\"\n"
      "\"Binary\"=hex:2a,00,00,00\n"
      "\"WideBinary\"=hex:01,02,03,04,05\n");
  EXPECT_EQ(CRegistryInt(TEST_KEY, "LongText", 9).Get(), 9);
  EXPECT_EQ(CRegistryInt(TEST_KEY, "ShortText", 9).Get(), 9);
  EXPECT_EQ(CRegistryInt(TEST_KEY, "Binary", 9).Get(), 42);
  EXPECT_EQ(CRegistryInt(TEST_KEY, "WideBinary", 9).Get(), 9);
  EXPECT_EQ(stored_line("LongText"), "\"LongText\"=dword:00000009");
  EXPECT_EQ(stored_line("ShortText"), "\"ShortText\"=dword:00000009");
  EXPECT_EQ(stored_line("Binary"), "\"Binary\"=dword:0000002a");
  EXPECT_EQ(stored_line("WideBinary"), "\"WideBinary\"=dword:00000009");
}

TEST_F(registry, int_set_and_reset_write_through) {
  CRegistryInt number(TEST_KEY, "Number", 40);
  number.Set(-1);
  EXPECT_EQ(stored_line("Number"), "\"Number\"=dword:ffffffff");
  EXPECT_EQ(CRegistryInt(TEST_KEY, "Number", 40).Get(), -1);
  number.Reset_To_Default();
  EXPECT_EQ(number.Get(), 40);
  EXPECT_EQ(CRegistryInt(TEST_KEY, "Number", 0).Get(), 40);
}

TEST_F(registry, null_arguments_are_assertions) {
  EXPECT_DEATH(CRegistryInt(TEST_KEY, nullptr, 0),
               "utilitylib/registryint \\([0-9]+\\) Assert: key_name != NULL");
  EXPECT_DEATH(CRegistryBool(nullptr, "X", false),
               "utilitylib/registrybool \\([0-9]+\\) Assert: registry_location != NULL");
  EXPECT_DEATH(CRegistryString(TEST_KEY, "X", nullptr),
               "utilitylib/registrystring \\([0-9]+\\) Assert: initial_value != NULL");
  CRegistryString text(TEST_KEY, "X", "");
  EXPECT_DEATH(text.Set(nullptr), "utilitylib/registrystring \\([0-9]+\\) Assert: value != NULL");
}

}  // namespace
