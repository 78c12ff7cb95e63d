// The playlist's player as the saver starts it at start-up and asks it to
// quit at shut-down: found through the desktop's associations, started
// through its desktop entry's whole command line with the playlist as one
// argument, not waited for, and kept below the full-screen saver.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>

#include "config/options.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

// A process's fields from /proc: its state letter ('Z' for one that ended
// and waits to be collected) and its parent; 0 for both when it is gone.
struct ProcessStatus {
  char state = 0;
  long parent = 0;
};

ProcessStatus process_status(long pid) {
  const std::string path = "/proc/" + std::to_string(pid) + "/stat";
  const std::string stat = file_exists(path) ? read_file(path) : "";
  const size_t name_end = stat.rfind(')');
  ProcessStatus status;
  if (name_end == std::string::npos || name_end + 4 > stat.size()) return status;
  status.state = stat[name_end + 2];
  status.parent = std::strtol(stat.c_str() + name_end + 4, nullptr, 10);
  return status;
}

bool process_runs(long pid) {
  const char state = process_status(pid).state;
  return pid > 0 && state != 0 && state != 'Z';
}

const double PLAYER_TIMEOUT_S = 10;
const double SAVER_TIMEOUT_S = 20;

// How the test player records itself: its arguments, process id and the
// variable a wrapping entry sets.
const char RECORD_PLAYER[] =
    "printf '%s\\n' \"$@\" > \"$RECORDS/player.args\"\n"
    "printf '%s' \"$OB3D_TEST_WRAPPER\" > \"$RECORDS/player.wrapper\"\n"
    "echo $$ > \"$RECORDS/player.pid\"\n";
// Ends on SIGTERM.
const char OBEDIENT_PLAYER[] = "trap 'exit 0' TERM\nwhile :; do sleep 0.1; done\n";
// Goes on playing whatever it is asked.
const char STUBBORN_PLAYER[] = "trap '' TERM\nwhile :; do sleep 0.1; done\n";
// Shows a window of its own, as most players do, once the saver is up.
const char WINDOWED_PLAYER[] =
    "sleep 2\nexec xmessage -name ob3d-test-player -geometry 200x100+0+0 playing\n";

struct PlayerEntry {
  std::string command_prefix;  // put before the player on the entry's Exec line
  const char* behaviour = OBEDIENT_PLAYER;
};

// A desktop whose only association sends playlists to a small test player.
class TestAssociation {
 public:
  explicit TestAssociation(const PlayerEntry& entry = {}) {
    std::string applications = folder.path() + "/data/applications";
    std::system(("mkdir -p '" + applications + "'").c_str());
    player = folder.file("test-player.sh");
    write_file(player, std::string("#!/bin/sh\nRECORDS='") + folder.path() + "'\n" +
                           RECORD_PLAYER + entry.behaviour);
    chmod(player.c_str(), 0755);
    command_line = entry.command_prefix + player + " %f";
    write_file(applications + "/test-player.desktop",
               "[Desktop Entry]\nType=Application\nName=Test Player\nExec=" + command_line +
                   "\nMimeType=audio/x-mpegurl;application/vnd.apple.mpegurl;\n"
                   "NoDisplay=true\n");
    write_file(applications + "/mimeapps.list",
               "[Default Applications]\naudio/x-mpegurl=test-player.desktop\n"
               "application/vnd.apple.mpegurl=test-player.desktop\n");
    playlist = folder.file("my songs.m3u");
    write_file(playlist, "#EXTM3U\nsong one.mp3\n");
  }

  // A player still running (one that ignores the quit request) is ended;
  // a process that has taken over its id since is left alone.
  ~TestAssociation() {
    const long pid = player_pid();
    const std::string command = "/proc/" + std::to_string(pid) + "/cmdline";
    if (!process_runs(pid) || !file_exists(command)) return;
    const std::string arguments = read_file(command);
    if (arguments.find(player) != std::string::npos ||
        arguments.find("ob3d-test-player") != std::string::npos) {
      kill(pid_t(pid), SIGKILL);
    }
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
  bool player_started() const {
    return eventually([&] { return !recorded("player.pid").empty(); }, PLAYER_TIMEOUT_S);
  }
  long player_pid() const { return std::strtol(recorded("player.pid").c_str(), nullptr, 10); }

  TempFolder folder;
  std::string player;
  std::string command_line;
  std::string playlist;
};

bool process_ends(long pid) {
  return eventually([&] { return !process_runs(pid); }, PLAYER_TIMEOUT_S);
}

// The number after "Process id = " in a log.
long logged_process_id(const std::string& log) {
  size_t at = log.find("Process id = ");
  return at == std::string::npos ? 0 : std::strtol(log.c_str() + at + 13, nullptr, 10);
}

// The saver full-screen on a private X server with the playlist switched on.
// Each run is a process of its own: GIO reads the desktop's associations
// once per process.
class Playlist : public ::testing::Test {
 protected:
  void SetUp() override {
    COptions::ReleaseLogging.Set(true);
    COptions::PlayMusic.Set(true);
  }
  void TearDown() override {
    COptions::PlayMusic.Set(false);
    COptions::M3uFilename.Set("");
  }

  // Starts the saver with the document as its playlist and waits until its
  // start-up has dealt with the music.
  void start(const TestAssociation& desktop, const std::string& document) {
    COptions::M3uFilename.Set(document.c_str());
    ASSERT_TRUE(server.ok());
    Environment environment = desktop.environment();
    environment.push_back({"DISPLAY", server.display()});
    saver = std::make_unique<RunningProgram>(program_argv({"/s"}), environment);
    ASSERT_TRUE(eventually(
        [&] { return saver->out().find("ScreenSaverProc:WM_CREATE\n") != std::string::npos; },
        SAVER_TIMEOUT_S))
        << saver->out();
  }

  // Starts the saver with the desktop's playlist; waits until the player runs.
  void start_with_player(const TestAssociation& desktop) {
    start(desktop, desktop.playlist);
    ASSERT_NE(logged_process_id(saver->out()), 0) << saver->out();
    ASSERT_TRUE(desktop.player_started());
    EXPECT_EQ(logged_process_id(saver->out()), desktop.player_pid());
    EXPECT_EQ(desktop.recorded("player.args"), desktop.playlist + "\n");
  }

  // Asks the saver to end and expects it to, with the quit request logged.
  void end_saver() {
    saver->signal(SIGTERM);
    const ProgramResult result = saver->finish(SAVER_TIMEOUT_S);
    EXPECT_FALSE(result.timed_out);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_NE(result.out.find("Requesting quit\n"), std::string::npos) << result.out;
  }

  XServer server{24};
  std::unique_ptr<RunningProgram> saver;
};

TEST_F(Playlist, the_default_player_gets_the_playlist_as_one_argument_and_quits_on_request) {
  TestAssociation desktop;
  start_with_player(desktop);
  EXPECT_NE(saver->out().find("Executable for >" + desktop.playlist + "< is >" +
                              desktop.command_line + "<\n"),
            std::string::npos)
      << saver->out();
  // Nothing of the player is left for the saver to collect.
  EXPECT_NE(process_status(desktop.player_pid()).parent, long(saver->pid()));
  end_saver();
  EXPECT_TRUE(process_ends(desktop.player_pid()));
}

// The stored path is the file system's bytes: UTF-8 Cyrillic in the folder
// and a byte that is no UTF-8 in the name reach the player unchanged.
TEST_F(Playlist, a_playlist_whose_path_is_not_ascii_reaches_the_player_unchanged) {
  TestAssociation desktop;
  const std::string folder = desktop.folder.file("\xd0\x9c\xd1\x83\xd0\xb7\xd1\x8b\xd0\xba\xd0\xb0");
  std::system(("mkdir '" + folder + "'").c_str());
  desktop.playlist = folder + "/S\xe3o Paulo.m3u";
  write_file(desktop.playlist, "#EXTM3U\nsong one.mp3\n");
  start_with_player(desktop);
  end_saver();
}

// Flatpak, Snap and hand-made entries wrap the player in another command.
TEST_F(Playlist, a_wrapping_entry_runs_its_whole_command_line) {
  TestAssociation desktop(PlayerEntry{"env OB3D_TEST_WRAPPER=wrapped "});
  start_with_player(desktop);
  EXPECT_EQ(desktop.recorded("player.wrapper"), "wrapped");
  EXPECT_NE(saver->out().find("< is >env OB3D_TEST_WRAPPER=wrapped " + desktop.player + " %f<\n"),
            std::string::npos)
      << saver->out();
  end_saver();
}

// A player that cannot start is no error: the saver runs without music.
TEST_F(Playlist, a_player_that_cannot_start_is_reported_as_a_failure) {
  TestAssociation desktop(PlayerEntry{"/nonexistent/ob3d-player-wrapper "});
  start(desktop, desktop.playlist);
  EXPECT_NE(saver->out().find("CreateProcess returned 0\n"), std::string::npos) << saver->out();
  EXPECT_EQ(saver->out().find("Process id = "), std::string::npos) << saver->out();
  saver->signal(SIGTERM);
  const ProgramResult result = saver->finish(SAVER_TIMEOUT_S);
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out.find("Requesting quit\n"), std::string::npos) << result.out;
}

TEST_F(Playlist, a_document_without_an_association_starts_nothing) {
  TestAssociation desktop;
  const std::string document = desktop.folder.file("notes.ob3d-unknown");
  write_file(document, "\x01\x02\x03");
  start(desktop, document);
  EXPECT_NE(saver->out().find("FindExecutable falied\n"), std::string::npos) << saver->out();
  saver->signal(SIGTERM);
  EXPECT_FALSE(saver->finish(SAVER_TIMEOUT_S).timed_out);
  EXPECT_TRUE(desktop.recorded("player.pid").empty());
}

// The quit request is only posted: a player slow to end (here one that
// never does) must not hold the screen in the saver's shut-down.
TEST_F(Playlist, shut_down_does_not_wait_for_the_player_to_end) {
  TestAssociation desktop(PlayerEntry{"", STUBBORN_PLAYER});
  start_with_player(desktop);
  saver->signal(SIGTERM);
  ASSERT_TRUE(eventually(
      [&] { return saver->out().find("Requesting quit\n") != std::string::npos; },
      SAVER_TIMEOUT_S))
      << saver->out();
  const auto asked = std::chrono::steady_clock::now();
  ASSERT_TRUE(saver->wait(SAVER_TIMEOUT_S));
  const std::chrono::duration<double> shut_down = std::chrono::steady_clock::now() - asked;
  // Waiting for the player took three seconds; the rest of the shut-down
  // takes a small part of one.
  EXPECT_LT(shut_down.count(), 2.0);
  EXPECT_TRUE(process_runs(desktop.player_pid()));
}

// The player's window appears over the full-screen saver and takes the
// focus: the saver goes back on top and keeps running.
TEST_F(Playlist, the_players_window_neither_covers_nor_closes_the_saver) {
  TestAssociation desktop(PlayerEntry{"", WINDOWED_PLAYER});
  start_with_player(desktop);
  const unsigned long player_window = server.wait_for_window_name("^ob3d-test-player$", 10);
  ASSERT_NE(player_window, 0u);
  // xwininfo lists the top-most window first.
  const auto saver_on_top = [&] {
    const std::string stack = server.run_x_client({"xwininfo", "-root", "-children"}).out;
    const size_t saver_at = stack.find("\"Screen Saver\"");
    return saver_at != std::string::npos && saver_at < stack.find("\"ob3d-test-player\"");
  };
  EXPECT_TRUE(eventually(saver_on_top, 5));
  // Toolkit players record their process id on their windows.
  const std::string window = std::to_string(player_window);
  server.run_x_client({"xprop", "-id", window, "-f", "_NET_WM_PID", "32c", "-set", "_NET_WM_PID",
                       std::to_string(desktop.player_pid())});
  server.xdotool({"windowfocus", window});
  EXPECT_FALSE(saver->wait(1.5)) << "the player's focus closed the saver";
  end_saver();
}

}  // namespace
