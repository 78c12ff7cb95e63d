// The full-screen saver on a private Xorg with two monitors side by side:
// each monitor shows a whole, round Earth at its centre with black between
// the discs, and the clock overlay is on the primary (left) monitor only.
// The screen is read with ImageMagick's import as a PPM picture.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "config/options.h"
#include "e2e/monitors_picture.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

using namespace monitors_picture;

const double START_TIMEOUT_S = 30;
const double EARTH_TIMEOUT_S = 120;
const double END_TIMEOUT_S = 30;

// The server of tests/e2e/two_monitors_server.sh, ended by its process id.
class TwoMonitorServer {
 public:
  TwoMonitorServer(MonitorSize left, MonitorSize right) {
    const std::string script = std::string(OB3D_SOURCE_DIR) + "/tests/e2e/two_monitors_server.sh";
    const ProgramResult result =
        run_program({script, size_text(left), size_text(right)}, {}, 60);
    exit_code_ = result.exit_code;
    std::istringstream words(result.out.substr(result.out.rfind("DISPLAY=")));
    std::string display, pid;
    words >> display >> pid;
    if (exit_code_ != 0 || display.rfind("DISPLAY=", 0) != 0) return;
    display_ = display.substr(8);
    pid_ = atoi(pid.substr(pid.find('=') + 1).c_str());
  }
  ~TwoMonitorServer() {
    if (pid_ > 0) kill(pid_, SIGTERM);
  }
  TwoMonitorServer(const TwoMonitorServer&) = delete;
  TwoMonitorServer& operator=(const TwoMonitorServer&) = delete;

  bool ok() const { return pid_ > 0; }
  bool unavailable() const { return exit_code_ == 77; }
  Environment environment() const { return {{"DISPLAY", display_}}; }

 private:
  static std::string size_text(MonitorSize size) {
    return std::to_string(size.width) + "x" + std::to_string(size.height);
  }
  std::string display_;
  int exit_code_ = -1;
  pid_t pid_ = -1;
};

Screen capture(const TwoMonitorServer& server, const TempFolder& folder) {
  const std::string file = folder.file("screen.ppm");
  Environment environment = server.environment();
  run_program({"import", "-window", "root", "-depth", "8", "ppm:" + file}, environment, 30);
  return read_ppm(file);
}

// Runs xrandr on the server's display; true when it succeeded.
bool xrandr(const TwoMonitorServer& server, const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = {"xrandr"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return run_program(argv, server.environment(), 30).exit_code == 0;
}

class MonitorsE2eTest : public ::testing::Test {
 protected:
  void SetUp() override { show_earth_alone(); }
  void TearDown() override { reset_earth_alone(); }

  // Reads the screen until it has the server's full width and `shows`
  // accepts it, for up to EARTH_TIMEOUT_S of real time (each look reads the
  // whole screen); keeps the last look. False when it never did.
  bool wait_for_screen(const TwoMonitorServer& server, int width,
                       const std::function<bool(const Screen&)>& shows, Screen* screen) {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration<double>(EARTH_TIMEOUT_S);
    while (std::chrono::steady_clock::now() < deadline) {
      *screen = capture(server, folder_);
      if (screen->width == width && shows(*screen)) return true;
    }
    return false;
  }

  // Starts the two monitors and the full-screen saver, waits until both
  // monitors show the Earth (it fades in, and its textures arrive, over the
  // first seconds), runs `then` with the server while the saver still runs,
  // and ends the saver cleanly. Skips without Xorg's dummy driver.
  void run_on_two_monitors(MonitorSize left, MonitorSize right, Screen* screen,
                           const std::function<void(const TwoMonitorServer&)>& then = {}) {
    TwoMonitorServer server(left, right);
    if (server.unavailable()) GTEST_SKIP() << "no Xorg with the dummy driver";
    ASSERT_TRUE(server.ok());
    RunningProgram saver(program_argv({"/s"}), server.environment());
    EXPECT_TRUE(eventually([&] { return saver.out().find("Monitor ") != std::string::npos; },
                           START_TIMEOUT_S))
        << saver.out();
    const bool both = wait_for_screen(server, left.width + right.width,
                                      [&](const Screen& shown) {
                                        return shows_earth(shown, 0, left) &&
                                               shows_earth(shown, left.width, right);
                                      },
                                      screen);
    if (both && then) then(server);
    saver.signal(SIGTERM);
    const ProgramResult result = saver.finish(END_TIMEOUT_S);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out.find("Assert"), std::string::npos) << result.out;
    ASSERT_EQ(screen->width, left.width + right.width);
    const Disc left_disc = disc_at(*screen, 0, left.width, left.height);
    const Disc right_disc = disc_at(*screen, left.width, right.width, right.height);
    EXPECT_TRUE(both) << describe(left_disc) << "; " << describe(right_disc);
  }

  TempFolder folder_;
};

TEST_F(MonitorsE2eTest, each_monitor_shows_a_whole_earth_and_the_first_the_clock) {
  const MonitorSize left{1280, 960}, right{1024, 768};
  Screen screen;
  run_on_two_monitors(left, right, &screen);
  if (IsSkipped() || HasFatalFailure()) return;
  // Black at the seam between the discs, on the right monitor's middle row.
  EXPECT_FALSE(screen.lit(left.width - 1, right.height / 2));
  EXPECT_FALSE(screen.lit(left.width, right.height / 2));
  // The local time near the top centre of the primary monitor only.
  EXPECT_TRUE(screen.has_cyan(left.width / 2 - 150, 0, 300, left.height / 10));
  EXPECT_FALSE(screen.has_cyan(left.width, 0, right.width, right.height / 10));
}

TEST_F(MonitorsE2eTest, a_portrait_monitor_beside_a_landscape_one_draws_both_round) {
  Screen screen;
  run_on_two_monitors({1024, 768}, {600, 960}, &screen);
}

// The right monitor is taken away and set up again while the saver runs,
// the screen keeping its size: the saver draws only on the left one, black
// where the right one was, then on both again.
TEST_F(MonitorsE2eTest, a_monitor_removed_and_added_again_while_running_is_followed) {
  const MonitorSize left{1024, 768}, right{800, 600};
  const int width = left.width + right.width;
  Screen screen, alone;
  bool left_alone = false, both_again = false;
  run_on_two_monitors(left, right, &screen, [&](const TwoMonitorServer& server) {
    ASSERT_TRUE(xrandr(server, {"--delmonitor", "right"}));
    left_alone = wait_for_screen(server, width, [&](const Screen& shown) {
      return shows_earth(shown, 0, left) &&
             !shown.lit(left.width + right.width / 2, right.height / 2);
    }, &alone);
    ASSERT_TRUE(xrandr(server, {"--setmonitor", "right", "800/212x600/159+1024+0", "none"}));
    both_again = wait_for_screen(server, width, [&](const Screen& shown) {
      return shows_earth(shown, 0, left) && shows_earth(shown, left.width, right);
    }, &screen);
  });
  if (IsSkipped()) return;
  EXPECT_TRUE(left_alone) << "after the right monitor went: "
                          << describe(disc_at(alone, 0, left.width, left.height)) << "; right "
                          << describe(disc_at(alone, left.width, right.width, right.height));
  EXPECT_TRUE(both_again) << "after it came back: "
                          << describe(disc_at(screen, left.width, right.width, right.height));
}

}  // namespace
