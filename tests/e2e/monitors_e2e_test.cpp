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
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace {

const double START_TIMEOUT_S = 30;
const double EARTH_TIMEOUT_S = 120;
const double END_TIMEOUT_S = 30;
// Brighter than the black of space in any channel.
const int LIT = 20;

struct MonitorSize {
  int width;
  int height;
};

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

struct Pixel {
  int r, g, b;
};

// A binary PPM (P6, 8 bits per channel) of the whole screen.
struct Screen {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> bytes;

  Pixel at(int x, int y) const {
    const size_t i = (size_t(y) * width + x) * 3;
    return Pixel{bytes[i], bytes[i + 1], bytes[i + 2]};
  }
  bool lit(int x, int y) const {
    const Pixel p = at(x, y);
    return std::max({p.r, p.g, p.b}) > LIT;
  }
  // Lit pixels from (x, y) on in the direction (dx, dy), up to limit steps.
  int lit_run(int x, int y, int dx, int dy, int limit) const {
    int steps = 0;
    while (steps < limit && lit(x + dx * steps, y + dy * steps)) ++steps;
    return steps;
  }
  // Cyan (the local time's colour) anywhere in the rectangle.
  bool has_cyan(int left, int top, int width, int height) const {
    for (int y = top; y < top + height; ++y) {
      for (int x = left; x < left + width; ++x) {
        const Pixel p = at(x, y);
        if (p.r < 100 && p.g > 150 && p.b > 150) return true;
      }
    }
    return false;
  }
};

Screen read_ppm(const std::string& path) {
  Screen screen;
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maximum = 0;
  in >> magic >> screen.width >> screen.height >> maximum;
  in.get();
  if (magic != "P6" || maximum != 255 || screen.width <= 0 || screen.height <= 0) return Screen{};
  screen.bytes.resize(size_t(screen.width) * screen.height * 3);
  in.read(reinterpret_cast<char*>(screen.bytes.data()), std::streamsize(screen.bytes.size()));
  return in ? screen : Screen{};
}

Screen capture(const TwoMonitorServer& server, const TempFolder& folder) {
  const std::string file = folder.file("screen.ppm");
  Environment environment = server.environment();
  run_program({"import", "-window", "root", "-depth", "8", "ppm:" + file}, environment, 30);
  return read_ppm(file);
}

struct Disc {
  int left, right, up, down;
};

Disc disc_at(const Screen& screen, int x0, int width, int height) {
  const int cx = x0 + width / 2, cy = height / 2;
  return Disc{screen.lit_run(cx, cy, -1, 0, width / 2), screen.lit_run(cx, cy, 1, 0, width / 2),
              screen.lit_run(cx, cy, 0, -1, height / 2), screen.lit_run(cx, cy, 0, 1, height / 2)};
}

// Whole, centred and round inside a monitor width x height, and large
// enough to be the picture's subject.
bool is_whole_round_disc(const Disc& disc, int width, int height) {
  const int across = disc.left + disc.right, tall = disc.up + disc.down;
  return disc.left < width / 2 && disc.right < width / 2 && disc.up < height / 2 &&
         disc.down < height / 2 && std::abs(disc.left - disc.right) <= 4 &&
         std::abs(disc.up - disc.down) <= 4 && std::abs(across - tall) <= std::max(4, across / 30) &&
         across > std::min(width, height) / 5;
}

std::string describe(const Disc& disc) {
  return "lit from the centre: left " + std::to_string(disc.left) + ", right " +
         std::to_string(disc.right) + ", up " + std::to_string(disc.up) + ", down " +
         std::to_string(disc.down);
}

// A whole, round Earth at the centre of the monitor whose left edge is at x0.
bool shows_earth(const Screen& screen, int x0, MonitorSize monitor) {
  return is_whole_round_disc(disc_at(screen, x0, monitor.width, monitor.height), monitor.width,
                             monitor.height);
}

// Runs xrandr on the server's display; true when it succeeded.
bool xrandr(const TwoMonitorServer& server, const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = {"xrandr"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return run_program(argv, server.environment(), 30).exit_code == 0;
}

// The parts of the scene that could light the space around the discs.
CRegistryBool* const OTHER_PARTS[] = {&COptions::ShowNebulae, &COptions::ShowStars,
                                      &COptions::ShowLensFlare, &COptions::ShowMoon,
                                      &COptions::ShowSun, &COptions::ShowClouds,
                                      &COptions::ShowUniversalTime, &COptions::ShowCities};

class MonitorsE2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    COptions::ReleaseLogging.Set(true);
    COptions::ShowLocalTime.Set(true);
    // The night side lit as well as the day side, whatever the hour.
    COptions::FactorDarkSideBrightness.Set(1.0f);
    for (CRegistryBool* part : OTHER_PARTS) part->Set(false);
  }
  void TearDown() override {
    COptions::ReleaseLogging.Reset_To_Default();
    COptions::ShowLocalTime.Reset_To_Default();
    COptions::FactorDarkSideBrightness.Reset_To_Default();
    for (CRegistryBool* part : OTHER_PARTS) part->Reset_To_Default();
  }

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
