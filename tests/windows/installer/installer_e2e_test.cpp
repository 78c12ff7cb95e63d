// The installer under Wine, run silently as a deployment would: it puts
// the 64-bit .scr and its manual into the system folder, makes it the
// screensaver and registers with Add/Remove Programs; its silent
// uninstaller takes all of that away again and keeps the user's settings.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "../e2e/saver_session.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

const char UNINSTALL_KEY[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orbalune 3D";
const char DESKTOP_KEY[] = "Control Panel\\Desktop";
const char SCREENSAVER_VALUE[] = "SCRNSAVE.EXE";
const char OPTIONS_KEY[] = "Software\\Vantrel\\Orbalune 3D";
const double RUN_TIMEOUT_S = 120;

std::string System_File(const char* name) {
  char folder[MAX_PATH] = {};
  GetSystemDirectoryA(folder, sizeof folder);
  return std::string(folder) + "\\" + name;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// What Read_String gives for a missing key or value.
const std::string MISSING = "\1";

// A string value, in the 64-bit view of the registry.
std::string Read_String(HKEY root, const char* key_path, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, key_path, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) !=
      ERROR_SUCCESS) {
    return MISSING;
  }
  char value[1024] = {};
  DWORD size = sizeof value - 1;
  DWORD type = 0;
  const LONG result =
      RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS && type == REG_SZ ? value : MISSING;
}

void Write_Screensaver(const std::string& value) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, DESKTOP_KEY, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) {
    return;
  }
  if (value == MISSING) {
    RegDeleteValueA(key, SCREENSAVER_VALUE);
  } else {
    RegSetValueExA(key, SCREENSAVER_VALUE, 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()), DWORD(value.size() + 1));
  }
  RegCloseKey(key);
}

std::string Unquoted(std::string text) {
  std::erase(text, '"');
  return text;
}

class InstallerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    screensaver_before_ = Read_String(HKEY_CURRENT_USER, DESKTOP_KEY, SCREENSAVER_VALUE);
  }
  void TearDown() override {
    Write_Screensaver(screensaver_before_);
    Delete_Options();
  }
  std::string screensaver_before_;
};

TEST_F(InstallerTest, SilentInstallPutsTheSaverInPlaceAndTheSilentUninstallTakesItAway) {
  Set_Option_Word("PlayMusic", 1);
  const ProgramResult install = run_program({OB3D_SETUP, "/S"}, {}, RUN_TIMEOUT_S);
  ASSERT_EQ(install.exit_code, 0) << install.err;

  const std::string saver = System_File("orbalune3d.scr");
  EXPECT_EQ(read_file(saver), read_file(OB3D_PROGRAM)) << "the 64-bit .scr of this build";
  EXPECT_TRUE(Exists(System_File("ob3d_help.htm")));
  EXPECT_EQ(Read_String(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName"), "Orbalune 3D");
  EXPECT_EQ(Read_String(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "Publisher"), "Vantrel");
  const std::string uninstaller =
      Unquoted(Read_String(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "UninstallString"));
  ASSERT_TRUE(Exists(uninstaller)) << uninstaller;
  EXPECT_EQ(_stricmp(Read_String(HKEY_CURRENT_USER, DESKTOP_KEY, SCREENSAVER_VALUE).c_str(),
                     saver.c_str()),
            0)
      << "a silent install makes it the screensaver";

  const ProgramResult uninstall = run_program({uninstaller, "/S"}, {}, RUN_TIMEOUT_S);
  ASSERT_EQ(uninstall.exit_code, 0) << uninstall.err;
  // The uninstaller runs on as a copy of itself, so that it can delete its file.
  EXPECT_TRUE(eventually([&] { return !Exists(uninstaller); }, RUN_TIMEOUT_S));
  EXPECT_FALSE(Exists(saver));
  EXPECT_FALSE(Exists(System_File("ob3d_help.htm")));
  EXPECT_EQ(Read_String(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, "DisplayName"), MISSING);
  EXPECT_EQ(Read_String(HKEY_CURRENT_USER, DESKTOP_KEY, SCREENSAVER_VALUE), MISSING)
      << "no screensaver setting names the removed file";
  HKEY options = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, OPTIONS_KEY, 0, KEY_QUERY_VALUE, &options),
            ERROR_SUCCESS)
      << "the settings stay";
  if (options) RegCloseKey(options);
}

}  // namespace
