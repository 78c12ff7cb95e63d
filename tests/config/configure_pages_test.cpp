// The Music, Introduction and Overview pages, links and help, through a fake dialog.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "config/clickabletext.h"
#include "config/configure.h"
#include "config/configureintro.h"
#include "config/configuremusic.h"
#include "config/configureoverview.h"
#include "config/options.h"
#include "default_options.h"
#include "fake_dialog.h"
#include "platform/platform.h"
#include "support/death_message.h"
#include "support/temp_folder.h"
#include "utilitylib/utility.h"

namespace {

using M = CConfigureMusic;
using platform::DialogEvent;

// Records the URLs that the shell is asked to open; fails them on request.
class ShellRecorder {
 public:
  ShellRecorder() : saved(platform::api().shell), saved_beep(platform::api().system.beep) {
    opened().clear();
    beeps() = 0;
    platform::api().shell.open_url = [](const char* url, int* error_code) {
      opened().push_back(url);
      *error_code = 2;
      return !fail();
    };
    platform::api().system.beep = [] { ++beeps(); };
  }
  ~ShellRecorder() {
    platform::api().shell = saved;
    platform::api().system.beep = saved_beep;
    fail() = false;
  }
  static std::vector<std::string>& opened() {
    static std::vector<std::string> urls;
    return urls;
  }
  static bool& fail() {
    static bool failing = false;
    return failing;
  }
  static int& beeps() {
    static int count = 0;
    return count;
  }

 private:
  platform::ShellApi saved;
  void (*saved_beep)();
};

class Pages : public ::testing::Test {
 protected:
  void SetUp() override { Reset_All_Options(); }
  ShellRecorder shell;
};

TEST_F(Pages, music_page_shows_and_sets_the_play_switch) {
  COptions::PlayMusic.Set(true);
  CConfigureMusic page;
  FakeDialog dialog(page);
  EXPECT_TRUE(dialog.Is_Checked(M::IDC_PLAY_MUSIC));
  EXPECT_EQ(dialog.Get_Text(M::IDC_M3U_FILE), "");
  EXPECT_EQ(COptions::CurrentConfigureSheet.Get(), 4);
  dialog.Click(M::IDC_PLAY_MUSIC);
  EXPECT_FALSE(COptions::PlayMusic.Get());
}

TEST_F(Pages, music_page_stores_a_chosen_playlist_and_keeps_it_when_cancelled) {
  CConfigureMusic page;
  FakeDialog dialog(page);
  dialog.file_answer = "/music/S\xE3o Paulo.m3u";
  dialog.Click(M::IDC_SELECT);
  ASSERT_EQ(dialog.file_requests.size(), 1u);
  EXPECT_EQ(dialog.file_requests[0].title, "Select a .m3u Playlist");
  EXPECT_EQ(dialog.file_requests[0].filter_name, ".m3u Playlists");
  EXPECT_EQ(dialog.file_requests[0].filter_pattern, "*.m3u;*.m3u8");
  EXPECT_EQ(dialog.file_requests[0].default_extension, "m3u");
  EXPECT_STREQ(COptions::M3uFilename.Get(), "/music/S\xE3o Paulo.m3u");
  EXPECT_EQ(dialog.Get_Text(M::IDC_M3U_FILE), "/music/S\xE3o Paulo.m3u");

  dialog.file_answer.reset();
  dialog.Click(M::IDC_SELECT);
  EXPECT_STREQ(COptions::M3uFilename.Get(), "/music/S\xE3o Paulo.m3u");

  dialog.file_answer = "/" + std::string(600, 'x') + ".m3u";
  dialog.Click(M::IDC_SELECT);
  EXPECT_EQ(dialog.beeps, 1);
  EXPECT_STREQ(COptions::M3uFilename.Get(), "/music/S\xE3o Paulo.m3u");
}

TEST_F(Pages, introduction_stores_the_version_and_opens_its_links) {
  COptions::VersionMajor.Set(1);
  COptions::VersionMinor.Set(7);
  COptions::CurrentConfigureSheet.Set(3);
  CConfigureIntro page;
  FakeDialog dialog(page);
  EXPECT_EQ(COptions::VersionMajor.Get(), 3);
  EXPECT_EQ(COptions::VersionMinor.Get(), 0);
  EXPECT_EQ(dialog.Get_Text(CConfigureIntro::IDC_STATIC_VERSION), "Version 3.0");
  EXPECT_EQ(COptions::CurrentConfigureSheet.Get(), 0);

  dialog.Click(CConfigureIntro::IDC_WWW);
  dialog.Click(CConfigureIntro::IDC_EMAIL);
  dialog.Click(CConfigureIntro::IDC_VISIT);
  ASSERT_EQ(ShellRecorder::opened().size(), 3u);
  EXPECT_EQ(ShellRecorder::opened()[0].rfind("https://", 0), 0u);
  EXPECT_EQ(ShellRecorder::opened()[1].rfind("mailto:", 0), 0u);
  EXPECT_EQ(ShellRecorder::opened()[2], ShellRecorder::opened()[0]);
}

TEST_F(Pages, overview_stores_its_index) {
  CConfigureOverview page;
  FakeDialog dialog(page);
  EXPECT_EQ(COptions::CurrentConfigureSheet.Get(), 1);
}

TEST_F(Pages, a_link_takes_999_characters_but_not_1000) {
  CClickableText link;
  link.Set_Url(std::string(999, 'a').c_str());
  EXPECT_DEATH(link.Set_Url(std::string(1000, 'a').c_str()),
               "clickabletext " ASSERTION_LINE_RE " Assert: ::strlen\\(url\\) < sizeof\\(Url\\)");
}

TEST_F(Pages, a_link_without_an_address_cannot_be_launched) {
  CClickableText link;
  EXPECT_DEATH(link.Launch(), "Assert: ::strlen\\(Url\\) > 0");
}

TEST_F(Pages, help_opens_the_document_in_the_installation_folder_or_only_beeps) {
  CConfigure::Show_Help();
  EXPECT_EQ(ShellRecorder::beeps(), 1);
  EXPECT_TRUE(ShellRecorder::opened().empty());

  COptions::AppDir.Set("/opt/orbalune3d");
  CConfigureMusic page;
  FakeDialog dialog(page);
  dialog.Page_Event(DialogEvent::HelpRequested);
  ASSERT_EQ(ShellRecorder::opened().size(), 1u);
  EXPECT_EQ(ShellRecorder::opened()[0], "/opt/orbalune3d/ob3d_help.htm");
}

// Without AppDir: beside the program, else in the installed documentation.
TEST_F(Pages, help_without_app_dir_opens_the_document_beside_the_program_or_installed) {
  TempFolder install;
  static std::string program;
  program = install.file("bin/orbalune3d");
  auto saved = platform::api().system.module_file_name;
  platform::api().system.module_file_name = [] { return program; };
  std::filesystem::create_directories(install.file("bin"));
  std::filesystem::create_directories(install.file("share/doc/orbalune3d"));
  write_file(install.file("share/doc/orbalune3d/ob3d_help.htm"), "<html></html>");
  CConfigure::Show_Help();
  write_file(install.file("bin/ob3d_help.htm"), "<html></html>");
  CConfigure::Show_Help();
  platform::api().system.module_file_name = saved;
  // As paths: Windows joins the parts with its own separator.
  using Path = std::filesystem::path;
  const std::vector<Path> opened(ShellRecorder::opened().begin(), ShellRecorder::opened().end());
  EXPECT_EQ(opened, (std::vector<Path>{install.file("share/doc/orbalune3d/ob3d_help.htm"),
                                       install.file("bin/ob3d_help.htm")}));
  EXPECT_EQ(ShellRecorder::beeps(), 0);
}

TEST_F(Pages, a_failing_launch_is_reported_as_failure) {
  ShellRecorder::fail() = true;
  CUtility::Set_Logging(true);
  EXPECT_EQ(CUtility::Launch_Url("https://unreachable.example.org/"), 0);
  CUtility::Set_Logging(false);
  EXPECT_NE(read_text_file(CUtility::Log_File_Path())
                .find("::ShellExecuteEx(https://unreachable.example.org/) failed with error code 2.\n"),
            std::string::npos);
  ShellRecorder::fail() = false;
  EXPECT_NE(CUtility::Launch_Url("https://www.example.org/"), 0);
}

}  // namespace
