// F1 and F during the full-screen saver under Wine: each closes the saver
// and starts the settings ("<the saver> -c") as a process of its own.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <string>

#include "saver_session.h"
#include "support/run_program.h"

namespace {

// The id of a running orbalune3d.scr that the given process started; 0 when
// none.
DWORD Saver_Started_By(DWORD parent) {
  DWORD child = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more && !child;
       more = Process32Next(snapshot, &entry)) {
    if (entry.th32ParentProcessID == parent && _stricmp(entry.szExeFile, "orbalune3d.scr") == 0) {
      child = entry.th32ProcessID;
    }
  }
  CloseHandle(snapshot);
  return child;
}

class SettingsKeysTest : public ::testing::TestWithParam<WPARAM> {
 protected:
  void SetUp() override { Delete_Options(); }
  void TearDown() override { Delete_Options(); }
};

TEST_P(SettingsKeysTest, KeyClosesTheSaverAndStartsTheSettings) {
  RunningProgram saver(program_argv({"/s"}), {});
  const HWND window = Wait_For_Full_Screen_Window(START_TIMEOUT_S);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_KEYDOWN, GetParam(), 1);
  DWORD settings = 0;
  EXPECT_TRUE(eventually([&] { return (settings = Saver_Started_By(DWORD(saver.pid()))) != 0; },
                         END_TIMEOUT_S));
  const ProgramResult result = saver.finish(END_TIMEOUT_S);
  EXPECT_FALSE(result.timed_out);
  EXPECT_EQ(result.exit_code, 0);
  if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, settings)) {
    TerminateProcess(process, 0);
    CloseHandle(process);
  }
}

INSTANTIATE_TEST_SUITE_P(F1AndF, SettingsKeysTest, ::testing::Values(VK_F1, WPARAM('F')));

}  // namespace
