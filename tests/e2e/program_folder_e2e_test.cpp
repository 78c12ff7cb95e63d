// Relative paths given to the program, with logging on: a snapshot's file and
// a relative ORBALUNE3D_HOME both keep the meaning they had in the directory
// the program was started in.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

const double SNAPSHOT_TIMEOUT_S = 60;

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

}  // namespace
