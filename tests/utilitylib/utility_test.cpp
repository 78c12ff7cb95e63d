// The log file, line cutting, source names in assertion reports, assertion deaths.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "support/temp_folder.h"
#include "utilitylib/utility.h"

namespace {

// Points the program folder at a fresh folder for one test. Each test logs
// in a child process, as one run of the program, so that the parent's log
// state stays as it was. Where death tests start the test program again
// instead of forking (Windows), that run sets the test up afresh: it takes
// the folder its parent named in the environment it inherited, so that the
// log lands where the parent looks.
class LogTest : public ::testing::Test {
 protected:
  static constexpr const char* PARENT_FOLDER = "OB3D_LOG_TEST_FOLDER";

  void SetUp() override {
    if (const char* parent = getenv(PARENT_FOLDER)) {
      folder = parent;
    } else {
      own_folder.emplace();
      folder = own_folder->path();
      setenv(PARENT_FOLDER, folder.c_str(), 1);
    }
    setenv("ORBALUNE3D_HOME", folder.c_str(), 1);
  }
  void TearDown() override {
    if (own_folder) unsetenv(PARENT_FOLDER);
  }
  std::string log_file() const { return folder + "/_vantrel_ob3d.txt"; }

  std::optional<TempFolder> own_folder;
  std::string folder;
};

TEST(utility_source_name, strips_folders_and_extension) {
  EXPECT_EQ(CUtility::Source_Name("/src/host/render.cpp"), "render");
  EXPECT_EQ(CUtility::Source_Name("main.cpp"), "main");
  EXPECT_EQ(CUtility::Source_Name("/src/utilitylib/timer.cpp"), "utilitylib/timer");
  EXPECT_EQ(CUtility::Source_Name("utilitylib/vector3.h"), "utilitylib/vector3");
  EXPECT_EQ(CUtility::Source_Name("/a/b/scene/smartobjectmgr.cpp"), "smartobjectmgr");
}

TEST_F(LogTest, logging_off_makes_no_file) {
  EXPECT_EXIT(
      {
        CUtility::Set_Logging(false);
        CUtility::Log("hidden %d\n", 1);
        std::exit(file_exists(CUtility::Log_File_Path()) ? 3 : 0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(LogTest, second_run_truncates_and_unterminated_lines_continue) {
  auto run = [](const char* first, const char* second) {
    CUtility::Set_Logging(true);
    CUtility::Log("%s", first);
    CUtility::Log("%s\n", second);
    std::exit(0);
  };
  EXPECT_EXIT(run("one ", "run"), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(read_text_file(log_file()), "one run\n");
  EXPECT_EXIT(run("second ", "run"), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(read_text_file(log_file()), "second run\n");
}

// A relative path the user gave (a snapshot's file) must keep its meaning,
// so the log makes its missing folder but never changes the directory.
TEST_F(LogTest, the_first_line_makes_the_folder_and_leaves_the_working_directory) {
  const std::string nested = folder + "/data/orbalune3d";
  setenv("ORBALUNE3D_HOME", nested.c_str(), 1);
  EXPECT_EXIT(
      {
        const std::filesystem::path before = std::filesystem::current_path();
        CUtility::Set_Logging(true);
        CUtility::Log("line\n");
        std::exit(std::filesystem::current_path() == before ? 0 : 3);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(read_text_file(nested + "/_vantrel_ob3d.txt"), "line\n");
}

TEST_F(LogTest, overlong_line_is_cut_at_1023_characters) {
  EXPECT_EXIT(
      {
        CUtility::Set_Logging(true);
        CUtility::Log("%s", std::string(5000, 'x').c_str());
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(read_text_file(log_file()), std::string(1023, 'x'));
}

TEST_F(LogTest, lines_from_two_threads_never_interleave) {
  auto two_writers = [] {
    CUtility::Set_Logging(true);
    auto writer = [](char c) {
      for (int i = 0; i < 200; ++i) CUtility::Log("%s\n", std::string(300, c).c_str());
    };
    std::thread a(writer, 'a');
    std::thread b(writer, 'b');
    a.join();
    b.join();
    std::exit(0);
  };
  EXPECT_EXIT(two_writers(), ::testing::ExitedWithCode(0), "");
  const std::string log = read_text_file(log_file());
  size_t lines = 0;
  for (size_t start = 0; start < log.size(); ++lines) {
    const size_t end = log.find('\n', start);
    const std::string line = log.substr(start, end - start);
    EXPECT_TRUE(line == std::string(300, 'a') || line == std::string(300, 'b'));
    start = end + 1;
  }
  EXPECT_EQ(lines, 400u);
}

TEST_F(LogTest, null_format_logs_an_error_line) {
  EXPECT_EXIT(
      {
        CUtility::Set_Logging(true);
        const char* no_format = nullptr;
        CUtility::Log(no_format);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(read_text_file(log_file()),
            "ERROR: CUtility::Log : NULL format passed in.\n");
}

TEST_F(LogTest, failed_assertion_reports_and_exits_with_1) {
  const int line = __LINE__ + 4;
  EXPECT_EXIT(
      {
        CUtility::Set_Logging(true);
        ASSERT(1 + 1 == 3);
      },
      ::testing::ExitedWithCode(1), "utilitylib/utility_test \\(" + std::to_string(line) + "\\) Assert: 1 \\+ 1 == 3");
  EXPECT_EQ(read_text_file(log_file()),
            "utilitylib/utility_test (" + std::to_string(line) + ") Assert: 1 + 1 == 3\n");
}

TEST(utility_assert, missing_parameters_exit_with_1) {
  EXPECT_EXIT(CUtility::Assert(nullptr, "x.cpp", 1), ::testing::ExitedWithCode(1), "");
  EXPECT_EXIT(CUtility::Assert_Response(nullptr), ::testing::ExitedWithCode(1), "");
}

TEST_F(LogTest, system_report_has_its_headings) {
  EXPECT_EXIT(
      {
        CUtility::Set_Logging(true);
        CUtility::Log_System_Data();
        CUtility::Log_Os_Data();
        CUtility::Log_Module_Data();
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
  const std::string log = read_text_file(log_file());
  const platform::SystemApi& system = platform::api().system;
  for (const std::string& heading : std::vector<std::string>{
           "CUtility::Log_System_Data:\n  Physical memory: ", "  Processors: ",
           "CUtility::Log_Os_Data:\n  " + system.os_version().kernel_name + " version ",
           "CUtility::Log_Module_Data:\n  Filename: " + system.module_file_name() + "\n",
           "  File size: "}) {
    EXPECT_NE(log.find(heading), std::string::npos) << heading;
  }
}

}  // namespace
