// The playlist under Wine: orbalune3d.scr with PlayMusic 1 starts the
// playlist's player (a test player registered for .m3u in this prefix's
// classes, HKEY_CLASSES_ROOT: Wine's shell does not read the per-user ones)
// hidden at start-up, passes the path as one argument, logs the
// player's process id, and has the player gone after its shut-down.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "saver_session.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

const char PLAYLIST_TYPE[] = ".m3u";
const char PLAYER_CLASS[] = "Orbalune3DTest.Playlist";
const char PLAYER_COMMAND[] = "Orbalune3DTest.Playlist\\shell\\open\\command";

void Set_Default_Value(const char* key_path, const std::string& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, key_path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 DWORD(value.size() + 1));
  RegCloseKey(key);
}

// Deletes the class key and its parents, each of which has no other
// subkeys.
void Delete_Class_Key_Path(std::string key_path) {
  while (RegDeleteKeyA(HKEY_CLASSES_ROOT, key_path.c_str()) == ERROR_SUCCESS) {
    const size_t parent_end = key_path.rfind('\\');
    if (parent_end == std::string::npos) break;
    key_path.erase(parent_end);
  }
}

// The test player's Windows path; Wine maps drive Z: to the root.
std::string Player_Path() {
  std::string path = std::string("Z:") + OB3D_TEST_PLAYER;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

// "name=value" lines of the player's notes.
std::string Note(const std::string& notes, const std::string& name) {
  const size_t at = notes.find(name + "=");
  if (at == std::string::npos) return "";
  const size_t start = at + name.size() + 1;
  return notes.substr(start, notes.find('\n', start) - start);
}

// A playlist in a folder of its own whose path holds blanks and, where the
// "A" functions read Windows-1252, "ã" and "€" (bytes 0xE3 and 0x80).
class PlaylistE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    folder_ = std::string(temp) + "ob3d playlist " + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr)) << folder_;
    const bool windows_1252 = GetACP() == 1252;
    playlist_ = folder_ + (windows_1252 ? "\\S\xE3o Paulo \x80 mix.m3u" : "\\Sao Paulo mix.m3u");
    write_file(playlist_, "#EXTM3U\r\n");
    Set_Default_Value(PLAYLIST_TYPE, PLAYER_CLASS);
    Set_Default_Value(PLAYER_COMMAND, "\"" + Player_Path() + "\" \"%1\"");
    Delete_Options();
    Set_Option_Word("ReleaseLogging", 1);
    Set_Option_Word("PlayMusic", 1);
    Set_Option_String("M3uFilename", playlist_);
  }

  void TearDown() override {
    if (player_) {
      if (WaitForSingleObject(player_, 0) == WAIT_TIMEOUT) TerminateProcess(player_, 1);
      CloseHandle(player_);
    }
    Delete_Options();
    Delete_Class_Key_Path(PLAYLIST_TYPE);
    Delete_Class_Key_Path(PLAYER_COMMAND);
    DeleteFileA(Notes_Path().c_str());
    DeleteFileA(playlist_.c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  std::string Notes_Path() const { return playlist_ + ".player"; }

  // The player's notes once it has written them, with a handle on it.
  std::string Wait_For_Player() {
    std::string notes;
    eventually([&] { return !Note(notes = read_file(Notes_Path()), "hidden").empty(); },
               START_TIMEOUT_S);
    const DWORD pid = strtoul(Note(notes, "pid").c_str(), nullptr, 10);
    if (pid) player_ = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    return notes;
  }

  std::string folder_;
  std::string playlist_;
  HANDLE player_ = nullptr;
};

// The key comes as soon as the saver's window exists: the saver must have
// waited at start-up until the slowly loading player had its window,
// or the quit request at shut-down finds none and the player plays on.
TEST_F(PlaylistE2eTest, PlayerStartsHiddenWithThePathAndIsGoneAfterShutDown) {
  RunningProgram saver(program_argv({"/s"}), {});
  const std::string notes = Wait_For_Player();
  ASSERT_NE(player_, nullptr) << notes;
  EXPECT_EQ(Note(notes, "arguments"), "1");
  EXPECT_EQ(Note(notes, "playlist"), playlist_);
  EXPECT_EQ(Note(notes, "hidden"), "1");
  const HWND window = Wait_For_Full_Screen_Window(START_TIMEOUT_S);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_KEYDOWN, 'A', 1);
  const ProgramResult result = saver.finish(END_TIMEOUT_S);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(WaitForSingleObject(player_, DWORD(END_TIMEOUT_S * 1000)), WAIT_OBJECT_0)
      << "the player still runs";
  EXPECT_NE(read_file(Notes_Path()).find("quit\n"), std::string::npos)
      << "its message loop ended";
  const std::string log = Saver_Log_Text();
  EXPECT_NE(log.find("Executable for >" + playlist_ + "< is >"), std::string::npos) << log;
  EXPECT_NE(log.find("Process id = " + Note(notes, "pid") + "\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Requesting quit\n"), std::string::npos) << log;
}

}  // namespace
