#include "take_snapshot.h"

#include <gtest/gtest.h>

#include "support/run_program.h"

namespace {

// Sanitizer builds draw several times slower than normal ones.
const double RUN_TIMEOUT_S = 300;

}  // namespace

Picture Take_Snapshot(const std::string& file, int width, int height, const std::string& time,
                      int frames, const std::vector<std::string>& more_arguments) {
  std::vector<std::string> arguments = {"--snapshot", file, "--size",
                                        std::to_string(width) + "x" + std::to_string(height),
                                        "--time", time, "--frames", std::to_string(frames)};
  arguments.insert(arguments.end(), more_arguments.begin(), more_arguments.end());
  const ProgramResult result = run_program(program_argv(arguments), {}, RUN_TIMEOUT_S);
  Picture picture;
  EXPECT_EQ(result.exit_code, 0) << result.err;
  EXPECT_FALSE(result.timed_out);
  EXPECT_TRUE(picture.Load(file)) << file;
  return picture;
}
