// The registry-backed values on the real Windows registry: every type rule
// as RegQueryValueExA and RegSetValueExA give it.
#include <gtest/gtest.h>

#include "platform/platform.h"  // before <windows.h>: see platform/window.h

#include <windows.h>

#include <cstring>
#include <string>

#include "utilitylib/registrybool.h"
#include "utilitylib/registryfloat.h"
#include "utilitylib/registryint.h"
#include "utilitylib/registrystring.h"

namespace {

// A key of values only, so that RegDeleteKeyA removes it whole.
const char TEST_KEY[] = "Software\\Vantrel\\Orbalune 3D Registry Test";

struct RawValue {
  DWORD type = 0;
  std::string bytes;
};

class RegistryStore : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteKeyA(HKEY_CURRENT_USER, TEST_KEY); }
  void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, TEST_KEY); }

  // Writes a value past the value classes, as another program or a hand
  // edit would.
  void Put(const char* name, DWORD type, const void* data, size_t size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, TEST_KEY, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), DWORD(size)),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  void Put_Word(const char* name, DWORD word) { Put(name, REG_DWORD, &word, sizeof word); }
  void Put_Text(const char* name, const std::string& text) {
    Put(name, REG_SZ, text.c_str(), text.size() + 1);
  }

  RawValue Stored(const char* name) {
    RawValue value;
    char buffer[1024] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueA(HKEY_CURRENT_USER, TEST_KEY, name, RRF_RT_ANY | RRF_NOEXPAND, &value.type,
                     buffer, &size) == ERROR_SUCCESS) {
      value.bytes.assign(buffer, size);
    }
    return value;
  }
  DWORD Stored_Word(const char* name) {
    const RawValue value = Stored(name);
    EXPECT_EQ(value.type, DWORD(REG_DWORD)) << name;
    DWORD word = 0;
    if (value.bytes.size() == sizeof word) memcpy(&word, value.bytes.data(), sizeof word);
    return word;
  }
};

}  // namespace

TEST_F(RegistryStore, MissingValuesAreCreatedInTheirOwnTypes) {
  const CRegistryBool flag(TEST_KEY, "Flag", true);
  const CRegistryInt number(TEST_KEY, "Number", -2);
  const CRegistryFloat factor(TEST_KEY, "Factor", 0.7f);
  const CRegistryString text(TEST_KEY, "Text", "Z\xfcrich");
  EXPECT_EQ(Stored_Word("Flag"), 1u);
  EXPECT_EQ(Stored_Word("Number"), 0xFFFFFFFEu);
  EXPECT_EQ(Stored_Word("Factor"), 0x3F333333u);
  const RawValue stored_text = Stored("Text");
  EXPECT_EQ(stored_text.type, DWORD(REG_SZ));
  EXPECT_EQ(stored_text.bytes, std::string("Z\xfcrich", 7)) << "with its terminating NUL";
}

TEST_F(RegistryStore, BooleanIsTrueOnlyForOneAndKeepsOtherWordsUntilSet) {
  Put_Word("Two", 2);
  CRegistryBool two(TEST_KEY, "Two", true);
  EXPECT_FALSE(two.Get());
  EXPECT_EQ(Stored_Word("Two"), 2u);
  two.Set(true);
  EXPECT_EQ(Stored_Word("Two"), 1u);
}

TEST_F(RegistryStore, StringReadsAWordAsSignedDecimalAndRewritesItAsText) {
  Put_Word("Plain", 123);
  Put_Word("Negative", DWORD(-5));
  EXPECT_STREQ(CRegistryString(TEST_KEY, "Plain", "x").Get(), "123");
  EXPECT_STREQ(CRegistryString(TEST_KEY, "Negative", "x").Get(), "-5");
  const RawValue rewritten = Stored("Plain");
  EXPECT_EQ(rewritten.type, DWORD(REG_SZ));
  EXPECT_EQ(rewritten.bytes, std::string("123", 4));
}

TEST_F(RegistryStore, StringOf500BytesWithItsNulGivesTheInitialValue) {
  const std::string longest(498, 'a');
  Put_Text("Longest", longest);
  Put_Text("TooLong", std::string(499, 'b'));
  EXPECT_EQ(CRegistryString(TEST_KEY, "Longest", "init").Get(), longest);
  EXPECT_STREQ(CRegistryString(TEST_KEY, "TooLong", "init").Get(), "init");
  EXPECT_EQ(Stored("TooLong").bytes, std::string("init", 5));
}

TEST_F(RegistryStore, StringWithoutItsNulIsReadWithoutGarbage) {
  Put("Bare", REG_SZ, "a.m3u", 5);
  EXPECT_STREQ(CRegistryString(TEST_KEY, "Bare", "x").Get(), "a.m3u");
}

TEST_F(RegistryStore, FloatIsStoredAsItsIeee754Bits) {
  Put_Word("One", 0x3F800000);
  EXPECT_EQ(CRegistryFloat(TEST_KEY, "One", 0.5f).Get(), 1.0f);
  CRegistryFloat factor(TEST_KEY, "Factor", 0.0f);
  factor.Set(0.33f);
  EXPECT_EQ(Stored_Word("Factor"), 0x3EA8F5C3u);
}

TEST_F(RegistryStore, WordClassesIgnoreTextsAndAcceptBinaryWords) {
  Put_Text("LongText", "12345");
  Put_Text("ShortText", "7");
  const DWORD binary = 42;
  Put("Binary", REG_BINARY, &binary, sizeof binary);
  const unsigned char wide[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  Put("WideBinary", REG_BINARY, wide, sizeof wide);
  EXPECT_EQ(CRegistryInt(TEST_KEY, "LongText", 9).Get(), 9);
  EXPECT_EQ(CRegistryInt(TEST_KEY, "ShortText", 9).Get(), 9);
  EXPECT_EQ(CRegistryInt(TEST_KEY, "Binary", 9).Get(), 42);
  EXPECT_EQ(CRegistryInt(TEST_KEY, "WideBinary", 9).Get(), 9);
  EXPECT_EQ(Stored_Word("LongText"), 9u) << "rewritten as a word";
  EXPECT_EQ(Stored_Word("Binary"), 42u) << "rewritten as a word";
}

TEST_F(RegistryStore, SetWritesThroughToTheNextReader) {
  CRegistryInt number(TEST_KEY, "Number", 40);
  number.Set(-7);
  EXPECT_EQ(CRegistryInt(TEST_KEY, "Number", 40).Get(), -7);
  CRegistryString text(TEST_KEY, "Text", "");
  text.Set("C:\\music\\\"best\" \xe9t\xe9.m3u");
  EXPECT_STREQ(CRegistryString(TEST_KEY, "Text", "").Get(), "C:\\music\\\"best\" \xe9t\xe9.m3u");
}
