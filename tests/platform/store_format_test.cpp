// The store file's text format: values of every type, escapes, lines that do
// not parse, and edits that keep the rest of the file.
#include <gtest/gtest.h>

#include <string>

#include "platform/file_store_format.h"

using platform::StoreType;
using platform::file::format_store;
using platform::file::parse_store;
using platform::file::StoreDocument;
using platform::file::StoreEntry;

namespace {

const std::string KEY = "HKEY_CURRENT_USER\\Software\\Vantrel\\Orbalune 3D";

std::string dword_bytes(uint32_t word) {
  return {char(word & 0xFF), char((word >> 8) & 0xFF), char((word >> 16) & 0xFF),
          char(word >> 24)};
}

TEST(store_format, writes_each_type_in_its_own_notation) {
  StoreDocument document;
  document.set(KEY, "Count", StoreType::Dword, dword_bytes(0x7B));
  document.set(KEY, "Blob", StoreType::Binary, std::string("\x01\xff", 2));
  document.set(KEY, "Empty", StoreType::Binary, "");
  document.set(KEY, "Text", StoreType::String, "Z\xfcrich \"old\" C:\\m3u");
  EXPECT_EQ(format_store(document),
            "Orbalune 3D Options Store 1\n"
            "\n"
            "[HKEY_CURRENT_USER\\Software\\Vantrel\\Orbalune 3D]\n"
            "\"Count\"=dword:0000007b\n"
            "\"Blob\"=hex:01,ff\n"
            "\"Empty\"=hex:\n"
            "\"Text\"=\"Z\xfcrich \\\"old\\\" C:\\\\m3u\"\n");
}

TEST(store_format, control_bytes_are_escaped_and_come_back) {
  const std::string text("a\nb\rc\x01\x7f\x85\xa0\xff\0z", 12);
  StoreDocument document;
  document.set(KEY, "Na\"me\n", StoreType::String, text);
  const std::string file = format_store(document);
  EXPECT_NE(file.find("\"Na\\\"me\\x0a\"=\"a\\x0ab\\x0dc\\x01\\x7f\\x85\xa0\xff\\x00z\""),
            std::string::npos)
      << file;
  const StoreDocument parsed = parse_store(file);
  const StoreEntry* entry = parsed.find(KEY, "Na\"me\n");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->type, StoreType::String);
  EXPECT_EQ(entry->data, text);
}

TEST(store_format, names_and_keys_match_regardless_of_case) {
  const StoreDocument document = parse_store(
      "[hkey_current_user\\software\\vantrel\\orbalune 3d]\r\n\"showearth\"=dword:00000001\r\n");
  EXPECT_EQ(document.first_unparsed_line, 0);
  const StoreEntry* entry = document.find(KEY, "ShowEarth");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->data, dword_bytes(1));
}

TEST(store_format, unparsable_lines_are_kept_in_place_and_the_first_is_reported) {
  const std::string file =
      "Orbalune 3D Options Store 1\n"
      "\"Orphan\"=dword:00000001\n"
      "\n"
      "[" + KEY + "]\n"
      "; the user's note\n"
      "\"A\"=dword:1\n"
      "\"B\"=dword:00000002\n"
      "\"C\"=\"unterminated\n"
      "garbage\n";
  StoreDocument document = parse_store(file);
  EXPECT_EQ(document.first_unparsed_line, 2);
  EXPECT_EQ(document.first_unparsed_text, "\"Orphan\"=dword:00000001");
  EXPECT_EQ(document.find(KEY, "Orphan"), nullptr);
  EXPECT_EQ(document.find(KEY, "A"), nullptr) << "a word has exactly 8 hex digits";
  EXPECT_EQ(document.find(KEY, "C"), nullptr);

  EXPECT_TRUE(document.set(KEY, "B", StoreType::Dword, dword_bytes(3)));
  EXPECT_TRUE(document.set(KEY, "D", StoreType::String, "new"));
  EXPECT_EQ(format_store(document),
            "Orbalune 3D Options Store 1\n"
            "\"Orphan\"=dword:00000001\n"
            "\n"
            "[" + KEY + "]\n"
            "; the user's note\n"
            "\"A\"=dword:1\n"
            "\"B\"=dword:00000003\n"
            "\"D\"=\"new\"\n"
            "\"C\"=\"unterminated\n"
            "garbage\n");
}

TEST(store_format, values_go_to_their_own_key_which_is_added_when_missing) {
  StoreDocument document = parse_store("[Other]\n\"X\"=dword:00000001\n");
  EXPECT_TRUE(document.set(KEY, "X", StoreType::Dword, dword_bytes(2)));
  EXPECT_FALSE(document.set(KEY, "X", StoreType::Dword, dword_bytes(2)));
  EXPECT_TRUE(document.set(KEY, "X", StoreType::String, std::string("\x02\0\0\0", 4)));
  EXPECT_EQ(format_store(document),
            "Orbalune 3D Options Store 1\n\n[Other]\n\"X\"=dword:00000001\n\n[" + KEY +
                "]\n\"X\"=\"\\x02\\x00\\x00\\x00\"\n");
}

TEST(store_format, malformed_value_notations_do_not_parse) {
  for (const char* line :
       {"\"X\"=dword:", "\"X\"=dword:123456789", "\"X\"=dword:0000000g", "\"X\"=hex:1",
        "\"X\"=hex:01,", "\"X\"=hex:01;02", "\"X\"=\"a\\q\"", "\"X\"=\"a\\x4\"", "\"X\"=\"a\" ",
        "\"X\"= \"a\"", "\"X\"=text", "\"X\"", "\"X", "[]", "[unclosed"}) {
    const StoreDocument document = parse_store("[" + KEY + "]\n" + line + "\n");
    EXPECT_EQ(document.first_unparsed_line, 2) << line;
    EXPECT_EQ(document.find(KEY, "X"), nullptr) << line;
  }
}

}  // namespace
