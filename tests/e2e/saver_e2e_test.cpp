// The saver program end to end, each test on a private Xvfb: full-screen
// frames and the close rules, the preview inside a foreign window, the full
// picture inside a host program's window, a second start, an unknown switch,
// 16- and 8-bit screens, SIGTERM, and the X server's own screen blanking.
#include <gtest/gtest.h>

#include <signal.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "config/options.h"
#include "support/run_program.h"
#include "support/server_screen_saver.h"

namespace {

const double START_TIMEOUT_S = 20;
const double END_TIMEOUT_S = 20;
// Mouse moves in the saver's first second are ignored; tests move after it.
const double PAST_FIRST_SECOND_S = 1.5;

// The log lines of one run's shut-down must appear, in this order.
const std::vector<std::string> SHUT_DOWN_LINES = {
    "ScreenSaverChildProc:WM_DESTROY\n", " frames rendered\n", "  Sample framerate  = ",
    "  Average framerate = "};

bool in_order(const std::string& text, const std::vector<std::string>& lines) {
  size_t at = 0;
  for (const std::string& line : lines) {
    at = text.find(line, at);
    if (at == std::string::npos) return false;
  }
  return true;
}

// The number in "  <n> frames rendered".
long frames_rendered(const std::string& log) {
  const size_t end = log.find(" frames rendered\n");
  if (end == std::string::npos) return -1;
  const size_t start = log.rfind('\n', end);
  return strtol(log.c_str() + (start == std::string::npos ? 0 : start + 1), nullptr, 10);
}

// A window id as X tools print it.
std::string hex_id(unsigned long window) {
  char text[32];
  snprintf(text, sizeof text, "0x%lx", window);
  return text;
}

// Whether xwininfo lists the saver's window among the children of the
// window it selects ("-id <window>" or "-root").
bool has_hosted_child(const XServer& server, std::vector<std::string> which_window) {
  which_window.insert(which_window.begin(), {"xwininfo", "-children"});
  const std::string children = server.run_x_client(which_window).out;
  return children.find("\"Hosted Screen Saver\"") != std::string::npos;
}

class SaverE2eTest : public ::testing::Test {
 protected:
  // The program of the test reads the same options store as this process.
  void SetUp() override { COptions::ReleaseLogging.Set(true); }

  void start_server(int depth) {
    server = std::make_unique<XServer>(depth);
    ASSERT_TRUE(server->ok()) << "Xvfb did not start with depth " << depth;
  }

  std::unique_ptr<RunningProgram> start_saver(const std::vector<std::string>& arguments,
                                              const Environment& more_environment = {}) {
    Environment environment = server->environment();
    environment.insert(environment.end(), more_environment.begin(), more_environment.end());
    return std::make_unique<RunningProgram>(program_argv(arguments), environment);
  }

  // Waits until the saver draws and its first second has passed.
  void wait_until_running(RunningProgram& saver) {
    ASSERT_TRUE(eventually(
        [&] { return saver.out().find("ScreenSaverChildProc:WM_SIZE\n") != std::string::npos; },
        START_TIMEOUT_S))
        << saver.out();
    pause_seconds(PAST_FIRST_SECOND_S);
  }

  // A full-screen saver on a new server of the depth, running past its first second.
  std::unique_ptr<RunningProgram> start_full_screen(int depth) {
    start_server(depth);
    auto saver = start_saver({"/s"});
    wait_until_running(*saver);
    return saver;
  }

  // Another client's window, for the saver to be shown in or to lose the
  // focus to; started again when it could not connect.
  unsigned long start_window_owner() {
    for (int attempt = 0; attempt < 5; ++attempt) {
      window_owner = std::make_unique<RunningProgram>(
          std::vector<std::string>{"xmessage", "-geometry", "320x240+10+10", "preview host"},
          server->environment());
      const unsigned long window = server->wait_for_window_class("Xmessage", 5);
      if (window) return window;
    }
    return 0;
  }

  // A saver inside another client's window (its id in *host), started with
  // the arguments and environment launch makes from that id, running past
  // its first second; nullptr when the window could not be made.
  template <typename Launch>
  std::unique_ptr<RunningProgram> start_inside_window(unsigned long* host, Launch launch) {
    start_server(24);
    *host = start_window_owner();
    if (!*host) return nullptr;
    const auto [arguments, environment] = launch(*host);
    auto saver = start_saver(arguments, environment);
    wait_until_running(*saver);
    return saver;
  }

  std::unique_ptr<RunningProgram> start_preview(unsigned long* host) {
    return start_inside_window(host, [](unsigned long window) {
      return std::pair{std::vector<std::string>{"/p", std::to_string(window)}, Environment{}};
    });
  }

  // -root, in the spelling given, with XSCREENSAVER_WINDOW naming the window
  // (its id in *host); the saver's window must be inside it.
  std::unique_ptr<RunningProgram> start_root_in_window(const char* option, unsigned long* host) {
    auto saver = start_inside_window(host, [option](unsigned long window) {
      return std::pair{std::vector<std::string>{option},
                       Environment{{"XSCREENSAVER_WINDOW", hex_id(window)}}};
    });
    if (*host) EXPECT_TRUE(has_hosted_child(*server, {"-id", std::to_string(*host)}));
    return saver;
  }

  void expect_clean_end(RunningProgram& saver) {
    const ProgramResult result = saver.finish(END_TIMEOUT_S);
    EXPECT_FALSE(result.timed_out);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_TRUE(in_order(result.out, SHUT_DOWN_LINES)) << result.out;
    EXPECT_GT(frames_rendered(result.out), 0) << result.out;
  }

  void move_pointer(int dx, int dy) {
    server->xdotool({"mousemove_relative", "--", std::to_string(dx), std::to_string(dy)});
  }

  std::unique_ptr<XServer> server;
  std::unique_ptr<RunningProgram> window_owner;
};

TEST_F(SaverE2eTest, full_screen_draws_frames_and_a_key_closes_it) {
  auto saver = start_full_screen(24);
  EXPECT_NE(server->wait_for_window_class("WindowsScreenSaverClass", 1), 0u);
  server->xdotool({"key", "a"});
  expect_clean_end(*saver);
}

TEST_F(SaverE2eTest, mouse_moves_of_3_then_2_pixels_close_it) {
  auto saver = start_full_screen(24);
  move_pointer(3, 0);
  EXPECT_FALSE(saver->wait(1.0)) << "closed after a move of 3 pixels";
  move_pointer(0, 2);
  expect_clean_end(*saver);
}

TEST_F(SaverE2eTest, one_mouse_move_of_4_pixels_does_not_close_it) {
  auto saver = start_full_screen(24);
  move_pointer(4, 0);
  EXPECT_FALSE(saver->wait(1.5)) << "closed after a move of 4 pixels";
  saver->signal(SIGTERM);
  expect_clean_end(*saver);
}

TEST_F(SaverE2eTest, sigterm_ends_it_through_the_shut_down) {
  auto saver = start_full_screen(24);
  saver->signal(SIGTERM);
  expect_clean_end(*saver);
}

TEST_F(SaverE2eTest, a_second_full_screen_start_ends_at_once) {
  auto first = start_full_screen(24);
  const ProgramResult second = run_program(program_argv({"/s"}), server->environment(), 10);
  EXPECT_FALSE(second.timed_out);
  EXPECT_EQ(second.exit_code, 0);
  EXPECT_EQ(second.out.find("ScreenSaverProc:WM_CREATE"), std::string::npos) << second.out;
  EXPECT_FALSE(first->wait(0.5)) << "the first saver ended";
  first->signal(SIGTERM);
  expect_clean_end(*first);
}

TEST_F(SaverE2eTest, preview_draws_inside_the_given_window_and_ignores_input) {
  unsigned long host = 0;
  auto saver = start_preview(&host);
  ASSERT_NE(host, 0u);
  const std::string children =
      server->run_x_client({"xwininfo", "-children", "-id", std::to_string(host)}).out;
  EXPECT_NE(children.find("\"Preview\""), std::string::npos) << children;
  server->xdotool({"mousemove", "100", "100"});
  server->xdotool({"click", "1"});
  server->xdotool({"key", "a"});
  move_pointer(50, 50);
  EXPECT_FALSE(saver->wait(1.5)) << "input closed the preview";
  saver->signal(SIGTERM);
  expect_clean_end(*saver);
}

// XScreenSaver's way: the full picture inside a window of the daemon's,
// which keeps the input and ends the saver with SIGTERM.
TEST_F(SaverE2eTest, hosted_draws_the_full_picture_in_the_given_window_and_ignores_input) {
  unsigned long host = 0;
  auto saver = start_inside_window(&host, [](unsigned long window) {
    return std::pair{std::vector<std::string>{"-window-id", hex_id(window)}, Environment{}};
  });
  ASSERT_NE(host, 0u);
  EXPECT_TRUE(has_hosted_child(*server, {"-id", std::to_string(host)}));
  // The full-size maps, not the preview's.
  EXPECT_NE(saver->out().find("CTexture::Load_Resource_Jpg(149)\n"), std::string::npos);
  server->xdotool({"mousemove", "100", "100"});
  server->xdotool({"click", "1"});
  server->xdotool({"key", "a"});
  server->xdotool({"key", "f"});
  move_pointer(50, 50);
  EXPECT_FALSE(saver->wait(1.5)) << "input closed the hosted saver";
  EXPECT_EQ(server->wait_for_window_class("^Orbalune3d$", 0.5), 0u) << "the settings opened";
  saver->signal(SIGTERM);
  expect_clean_end(*saver);
}

// The host window changes size: the saver's windows follow it and the
// picture takes the new shape.
TEST_F(SaverE2eTest, hosted_follows_its_window_when_that_is_resized) {
  unsigned long host = 0;
  auto saver = start_inside_window(&host, [](unsigned long window) {
    return std::pair{std::vector<std::string>{"-window-id", std::to_string(window)},
                     Environment{}};
  });
  ASSERT_NE(host, 0u);
  server->xdotool({"windowsize", std::to_string(host), "480", "240"});
  EXPECT_TRUE(eventually(
      [&] { return saver->out().find("  AspectRatio =  2.00\n") != std::string::npos; },
      START_TIMEOUT_S))
      << saver->out();
  saver->signal(SIGTERM);
  expect_clean_end(*saver);
}

TEST_F(SaverE2eTest, hosted_by_root_and_the_window_variable_ends_with_that_window) {
  unsigned long host = 0;
  auto saver = start_root_in_window("-root", &host);
  ASSERT_NE(host, 0u);
  window_owner->signal(SIGTERM);
  expect_clean_end(*saver);
}

// XScreenSaver's settings may spell the switch with two dashes.
TEST_F(SaverE2eTest, hosted_by_double_dash_root_draws_in_the_window_variable) {
  unsigned long host = 0;
  auto saver = start_root_in_window("--root", &host);
  ASSERT_NE(host, 0u);
  saver->signal(SIGTERM);
  expect_clean_end(*saver);
}

TEST_F(SaverE2eTest, hosted_by_root_alone_draws_on_the_root_window) {
  start_server(24);
  auto saver = start_saver({"-root"});
  wait_until_running(*saver);
  EXPECT_TRUE(has_hosted_child(*server, {"-root"}));
  saver->signal(SIGTERM);
  expect_clean_end(*saver);
}

TEST_F(SaverE2eTest, hosted_in_a_missing_window_or_with_bad_arguments_exits_with_255) {
  start_server(24);
  const ProgramResult missing =
      run_program(program_argv({"-window-id", "0x1234567"}), server->environment(), 10);
  EXPECT_EQ(missing.exit_code, 255);
  EXPECT_NE(missing.err.find("there is no window 0x1234567"), std::string::npos) << missing.err;
  const ProgramResult bad =
      run_program(program_argv({"-window-id", "north"}), server->environment(), 10);
  EXPECT_EQ(bad.exit_code, 255);
  EXPECT_NE(bad.err.find("-window-id wants a window id, not north"), std::string::npos) << bad.err;
}

// The window showing the preview went away, and with it the saver's windows.
TEST_F(SaverE2eTest, preview_ends_when_its_window_is_destroyed) {
  unsigned long host = 0;
  auto saver = start_preview(&host);
  ASSERT_NE(host, 0u);
  window_owner->signal(SIGTERM);
  expect_clean_end(*saver);
}

TEST_F(SaverE2eTest, losing_the_focus_closes_it) {
  start_server(24);
  const unsigned long window = start_window_owner();
  ASSERT_NE(window, 0u);
  auto saver = start_saver({"/s"});
  wait_until_running(*saver);
  server->xdotool({"windowfocus", std::to_string(window)});
  expect_clean_end(*saver);
}

// The settings come up in a process of their own, after the saver has gone.
TEST_F(SaverE2eTest, f_opens_the_configuration_and_closes) {
  auto saver = start_full_screen(24);
  server->xdotool({"key", "f"});
  expect_clean_end(*saver);
  EXPECT_NE(server->wait_for_window_class("^Orbalune3d$", START_TIMEOUT_S), 0u);
}

// The server's screen saver, set to blank after a second without input once
// the saver runs, has not blanked a second and a half later.
const int BLANKING_TIMEOUT_S = 1;
const double PAST_BLANKING_TIMEOUT_S = 2.5;

bool blanks_while_running(ServerScreenSaver& server_saver) {
  server_saver.set_timeout(BLANKING_TIMEOUT_S);
  return eventually([&] { return server_saver.active(); }, PAST_BLANKING_TIMEOUT_S);
}

TEST_F(SaverE2eTest, full_screen_holds_off_the_servers_blanking_until_it_ends) {
  start_server(24);
  ServerScreenSaver server_saver(server->display());
  ASSERT_TRUE(server_saver.ok());
  auto saver = start_saver({"/s"});
  wait_until_running(*saver);
  EXPECT_FALSE(blanks_while_running(server_saver));
  saver->signal(SIGTERM);
  expect_clean_end(*saver);
  EXPECT_TRUE(eventually([&] { return server_saver.active(); }, PAST_BLANKING_TIMEOUT_S));
}

// A preview or a host program's window: blanking is that program's business.
TEST_F(SaverE2eTest, preview_and_hosted_leave_the_servers_blanking_alone) {
  unsigned long host = 0;
  auto preview = start_preview(&host);
  ASSERT_NE(host, 0u);
  ServerScreenSaver server_saver(server->display());
  EXPECT_TRUE(blanks_while_running(server_saver));
  preview->signal(SIGTERM);
  expect_clean_end(*preview);
  auto hosted = start_saver({"-window-id", std::to_string(host)});
  wait_until_running(*hosted);
  EXPECT_TRUE(blanks_while_running(server_saver));
  hosted->signal(SIGTERM);
  expect_clean_end(*hosted);
}

TEST_F(SaverE2eTest, an_unknown_switch_exits_with_255) {
  start_server(24);
  const ProgramResult result = run_program(program_argv({"/x"}), server->environment(), 10);
  EXPECT_EQ(result.exit_code, 255);
  const ProgramResult missing =
      run_program(program_argv({"/p", "12345"}), server->environment(), 10);
  EXPECT_EQ(missing.exit_code, 255);
}

TEST_F(SaverE2eTest, a_16_bit_screen_runs) {
  auto saver = start_full_screen(16);
  EXPECT_NE(saver->out().find("bits_per_pixel = 16\n"), std::string::npos);
  server->xdotool({"key", "Escape"});
  expect_clean_end(*saver);
}

TEST_F(SaverE2eTest, an_8_bit_screen_is_refused_without_a_gl_context) {
  start_server(8);
  auto saver = start_saver({"/s"});
  const unsigned long box = server->wait_for_window_name("^Orbalune 3D$", START_TIMEOUT_S);
  ASSERT_NE(box, 0u) << saver->out();
  server->xdotool({"key", "Return"});
  const ProgramResult result = saver->finish(END_TIMEOUT_S);
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_NE(result.err.find("Sorry. Your desktop is set to 256 colors."), std::string::npos)
      << result.err;
  EXPECT_NE(result.out.find("bits_per_pixel = 8\n"), std::string::npos);
  EXPECT_EQ(result.out.find("ScreenSaverChildProc:WM_CREATE"), std::string::npos);
  EXPECT_EQ(result.out.find("wglCreateContext"), std::string::npos);
}

}  // namespace
