// The playlist's player: found through the desktop's associations, started
// with the document as one argument, asked to quit; and the saver doing so
// at its start-up and shut-down.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "config/options.h"
#include "support/run_program.h"
#include "support/temp_folder.h"
#include "utilitylib/utility.h"

namespace {

// A desktop whose only association sends playlists to a small test player
// that records its process id and arguments and ends on SIGTERM.
class TestAssociation {
 public:
  TestAssociation() {
    std::string applications = folder.path() + "/data/applications";
    std::system(("mkdir -p '" + applications + "'").c_str());
    player = folder.file("test-player.sh");
    write_file(player,
               "#!/bin/sh\n"
               "printf '%s\\n' \"$@\" > '" + folder.file("player.args") + "'\n"
               "echo $$ > '" + folder.file("player.pid") + "'\n"
               "trap 'exit 0' TERM\n"
               "while :; do sleep 0.1; done\n");
    chmod(player.c_str(), 0755);
    write_file(applications + "/test-player.desktop",
               "[Desktop Entry]\nType=Application\nName=Test Player\nExec=" + player +
                   " %f\nMimeType=audio/x-mpegurl;application/vnd.apple.mpegurl;\n"
                   "NoDisplay=true\n");
    write_file(applications + "/mimeapps.list",
               "[Default Applications]\naudio/x-mpegurl=test-player.desktop\n"
               "application/vnd.apple.mpegurl=test-player.desktop\n");
    playlist = folder.file("my songs.m3u");
    write_file(playlist, "#EXTM3U\nsong one.mp3\n");
  }

  // The variables that make a process see this desktop.
  Environment environment() const {
    return {{"XDG_DATA_HOME", folder.path() + "/data"},
            {"XDG_CONFIG_HOME", folder.path() + "/config"},
            {"XDG_DATA_DIRS", "/usr/share"}};
  }
  void Apply() const {
    for (const auto& [name, value] : environment()) setenv(name.c_str(), value.c_str(), 1);
  }

  std::string recorded(const char* name) const {
    return file_exists(folder.file(name)) ? read_file(folder.file(name)) : "";
  }

  TempFolder folder;
  std::string player;
  std::string playlist;
};

bool process_exists(long pid) { return pid > 0 && kill(pid_t(pid), 0) == 0; }

// The number after "Process id = " in a log.
long logged_process_id(const std::string& log) {
  size_t at = log.find("Process id = ");
  return at == std::string::npos ? 0 : std::strtol(log.c_str() + at + 13, nullptr, 10);
}

TEST(Playlist, the_default_player_gets_the_playlist_as_one_argument_and_quits_on_request) {
  TestAssociation desktop;
  desktop.Apply();
  CUtility::Set_Logging(true);
  uint32_t pid = CUtility::Launch_Closable_Document(desktop.playlist.c_str(), true);
  ASSERT_NE(pid, 0u);
  ASSERT_TRUE(eventually([&] { return !desktop.recorded("player.pid").empty(); }, 10));
  EXPECT_EQ(desktop.recorded("player.args"), desktop.playlist + "\n");
  EXPECT_EQ(std::stol(desktop.recorded("player.pid")), long(pid));

  CUtility::Close_Launched_Process(pid);
  EXPECT_FALSE(process_exists(pid));
  CUtility::Set_Logging(false);
  std::string log = read_file(CUtility::Log_File_Path());
  EXPECT_NE(log.find("Executable for >" + desktop.playlist + "< is >" + desktop.player + "<\n"),
            std::string::npos);
  EXPECT_EQ(logged_process_id(log), long(pid));
  EXPECT_NE(log.find("Requesting quit\n"), std::string::npos);
}

TEST(Playlist, a_document_without_an_association_starts_nothing) {
  TestAssociation desktop;
  desktop.Apply();
  std::string document = desktop.folder.file("notes.ob3d-unknown");
  write_file(document, "\x01\x02\x03");
  EXPECT_EQ(CUtility::Launch_Closable_Document(document.c_str(), true), 0u);
}

TEST(Playlist, the_saver_starts_the_player_and_its_shut_down_ends_it) {
  TestAssociation desktop;
  COptions::ReleaseLogging.Set(true);
  COptions::PlayMusic.Set(true);
  COptions::M3uFilename.Set(desktop.playlist.c_str());
  XServer server(24);
  ASSERT_TRUE(server.ok());
  Environment environment = desktop.environment();
  environment.push_back({"DISPLAY", server.display()});
  RunningProgram saver(program_argv({"/s"}), environment);
  ASSERT_TRUE(eventually([&] { return logged_process_id(saver.out()) != 0; }, 20)) << saver.out();
  long player = logged_process_id(saver.out());
  ASSERT_TRUE(eventually([&] { return !desktop.recorded("player.pid").empty(); }, 10));
  EXPECT_TRUE(process_exists(player));
  EXPECT_EQ(desktop.recorded("player.args"), desktop.playlist + "\n");

  saver.signal(SIGTERM);
  ProgramResult result = saver.finish(20);
  EXPECT_FALSE(result.timed_out);
  EXPECT_NE(result.out.find("Requesting quit\n"), std::string::npos) << result.out;
  EXPECT_FALSE(process_exists(player));
  COptions::PlayMusic.Set(false);
  COptions::M3uFilename.Set("");
}

}  // namespace
