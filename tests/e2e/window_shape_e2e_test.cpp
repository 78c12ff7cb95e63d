// The saver on screens and in host windows of unusual shapes: a portrait
// screen, a panorama and a tall host window all run with the full sky (the
// star field is placed from the vertical field of view) and end cleanly.
#include <gtest/gtest.h>

#include <signal.h>

#include <memory>
#include <string>
#include <vector>

#include "config/options.h"
#include "support/run_program.h"

namespace {

const double START_TIMEOUT_S = 20;
const double END_TIMEOUT_S = 20;
// Long enough for the staged start-up and the first stars to be placed.
const double RUNNING_S = 4;

class WindowShapeE2eTest : public ::testing::Test {
 protected:
  void SetUp() override { COptions::ReleaseLogging.Set(true); }
  void TearDown() override { COptions::ReleaseLogging.Reset_To_Default(); }

  // Starts the saver, waits until it logs the aspect ratio, lets it run and
  // ends it with SIGTERM: it must still be running then and end cleanly.
  void run_and_end(const XServer& server, const std::vector<std::string>& arguments,
                   const std::string& aspect_line) {
    RunningProgram saver(program_argv(arguments), server.environment());
    ASSERT_TRUE(eventually(
        [&] { return saver.out().find(aspect_line) != std::string::npos; }, START_TIMEOUT_S))
        << saver.out();
    EXPECT_FALSE(saver.wait(RUNNING_S)) << saver.out();
    saver.signal(SIGTERM);
    const ProgramResult result = saver.finish(END_TIMEOUT_S);
    EXPECT_EQ(result.exit_code, 0) << result.err;
    EXPECT_EQ(result.out.find("Assert"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find(" frames rendered\n"), std::string::npos);
  }
};

TEST_F(WindowShapeE2eTest, full_screen_on_a_portrait_screen) {
  XServer server(24, 300, 1200);
  ASSERT_TRUE(server.ok());
  run_and_end(server, {"/s"}, "  AspectRatio =  0.25\n");
}

TEST_F(WindowShapeE2eTest, full_screen_on_a_panorama) {
  XServer server(24, 1600, 400);
  ASSERT_TRUE(server.ok());
  run_and_end(server, {"/s"}, "  AspectRatio =  4.00\n");
}

TEST_F(WindowShapeE2eTest, hosted_in_a_tall_window) {
  XServer server(24);
  ASSERT_TRUE(server.ok());
  // The host client is started again when it could not connect in time.
  std::unique_ptr<RunningProgram> host;
  unsigned long window = 0;
  for (int attempt = 0; attempt < 5 && !window; ++attempt) {
    host = std::make_unique<RunningProgram>(
        std::vector<std::string>{"xmessage", "-geometry", "120x480+10+10", "host"},
        server.environment());
    window = server.wait_for_window_class("Xmessage", 10);
  }
  ASSERT_NE(window, 0u);
  run_and_end(server, {"-window-id", std::to_string(window)}, "  AspectRatio =  0.25\n");
}

}  // namespace
