// Where the program and its paths are: with logging on, a snapshot's file and
// a relative ORBALUNE3D_HOME both keep the meaning they had in the directory
// the program was started in; a program in a folder whose name is not ASCII
// starts its own settings from there.
#include <gtest/gtest.h>

#include <signal.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

const double SNAPSHOT_TIMEOUT_S = 60;
const double SAVER_TIMEOUT_S = 20;

// An options store that switches the log on.
void write_logging_store(const std::string& folder) {
  std::filesystem::create_directories(folder);
  write_file(folder + "/ob3d_options.reg",
             "Orbalune 3D Options Store 1\n\n"
             "[HKEY_CURRENT_USER\\Software\\Vantrel\\Orbalune 3D]\n"
             "\"ReleaseLogging\"=dword:00000001\n");
}

// A one-frame snapshot to the file, started in the working directory.
ProgramResult snapshot_in(const std::string& working_directory, const std::string& file,
                          const Environment& environment) {
  std::vector<std::string> argv{"sh", "-c", "cd \"$0\" && exec \"$@\"", working_directory};
  for (const std::string& word :
       program_argv({"--snapshot", file, "--size", "64x48", "--frames", "1"})) {
    argv.push_back(word);
  }
  return run_program(argv, environment, SNAPSHOT_TIMEOUT_S);
}

TEST(ProgramFolder, a_relative_snapshot_path_is_written_in_the_working_directory) {
  TempFolder work;
  TempFolder home;
  write_logging_store(home.path());
  const ProgramResult result =
      snapshot_in(work.path(), "picture.png", {{"ORBALUNE3D_HOME", home.path()}});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_NE(result.out.find("written to picture.png"), std::string::npos) << result.out;
  EXPECT_TRUE(file_exists(work.file("picture.png")));
  EXPECT_FALSE(file_exists(home.file("picture.png")));
  EXPECT_TRUE(file_exists(home.file("_vantrel_ob3d.txt")));
}

TEST(ProgramFolder, a_relative_home_holds_the_one_store_and_log) {
  TempFolder work;
  write_logging_store(work.file("home"));
  const ProgramResult result =
      snapshot_in(work.path(), work.file("picture.png"), {{"ORBALUNE3D_HOME", "home"}});
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_TRUE(file_exists(work.file("home/_vantrel_ob3d.txt")));
  // The start writes every missing option into the one store.
  EXPECT_NE(read_file(work.file("home/ob3d_options.reg")).find("\"UsageCount\"=dword:00000001"),
            std::string::npos);
  EXPECT_FALSE(file_exists(work.file("home/home")));
}

// The process whose command line is exactly these words; 0 when none.
long process_with_command_line(const std::vector<std::string>& words) {
  std::string wanted;
  for (const std::string& word : words) wanted += word + '\0';
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string command_line = entry.path().string() + "/cmdline";
    if (file_exists(command_line) && read_file(command_line) == wanted) return std::stol(name);
  }
  return 0;
}

// F1 ends the saver and starts "<the saver's own file> -c". The path is the
// file system's bytes (UTF-8 Cyrillic here, and a byte that is no UTF-8 at
// all), handed on unchanged.
TEST(ProgramFolder, f1_starts_the_settings_of_a_program_in_a_folder_with_a_non_ascii_name) {
  TempFolder home;
  TempFolder install;
  const std::string folder = install.file("\xd0\x9f\xd1\x80\xd0\xbe\xd0\xb3 S\xe3o");
  std::filesystem::create_directories(folder);
  const std::string program = folder + "/orbalune3d";
  std::filesystem::copy_file(program_argv({})[0], program);
  XServer server(24);
  ASSERT_TRUE(server.ok());
  Environment environment = server.environment();
  environment.push_back({"ORBALUNE3D_HOME", home.path()});
  RunningProgram saver({program, "/s"}, environment);
  ASSERT_NE(server.wait_for_window_class("WindowsScreenSaverClass", SAVER_TIMEOUT_S), 0u);
  pause_seconds(1.5);
  server.xdotool({"key", "F1"});
  const ProgramResult result = saver.finish(SAVER_TIMEOUT_S);
  EXPECT_EQ(result.exit_code, 0) << result.err;
  long settings = 0;
  EXPECT_TRUE(eventually(
      [&] { return (settings = process_with_command_line({program, "-c"})) != 0; }, 10))
      << result.out << result.err;
  if (settings) kill(pid_t(settings), SIGTERM);
}

}  // namespace
