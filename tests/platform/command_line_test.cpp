// The command-line text the screensaver switches are read from.
#include <gtest/gtest.h>

#include "platform/command_line.h"

namespace {

std::string Joined(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  return platform::join_arguments(int(argv.size()), argv.data());
}

}  // namespace

TEST(CommandLine, ArgumentsAreJoinedAfterTheProgramName) {
  EXPECT_EQ(Joined({"orbalune3d"}), "");
  EXPECT_EQ(Joined({"orbalune3d", "/p", "1234"}), "/p 1234");
  EXPECT_EQ(Joined({"orbalune3d", "  \t/s"}), "/s");
}

TEST(CommandLine, AQuotedProgramNameRunsToTheNextQuote) {
  EXPECT_EQ(platform::after_program_name("\"C:\\Program Files\\Orbalune 3D.scr\" /s"), "/s");
  EXPECT_EQ(platform::after_program_name("\"C:\\a b.scr\"/p 99"), "/p 99");
  EXPECT_EQ(platform::after_program_name("\"C:\\no closing quote /s"), "");
}

TEST(CommandLine, AnUnquotedProgramNameEndsAtTheFirstBlankOrControl) {
  EXPECT_EQ(platform::after_program_name("ORBALU~1.SCR /c:5678"), "/c:5678");
  EXPECT_EQ(platform::after_program_name("saver.scr\t\t  /s"), "/s");
  EXPECT_EQ(platform::after_program_name("C:\\caf\xe9.scr /s"), "/s") << "bytes above 0x7f";
  EXPECT_EQ(platform::after_program_name("saver.scr"), "");
}

TEST(CommandLine, OnlyTheLeadingBlanksAndControlsAreSkipped) {
  EXPECT_EQ(platform::after_program_name("saver.scr \x01\x1f /p  1234 "), "/p  1234 ");
  EXPECT_EQ(platform::after_program_name("saver.scr \"/s\""), "\"/s\"");
  EXPECT_EQ(platform::after_program_name(""), "");
  EXPECT_EQ(platform::after_program_name(nullptr), "");
}

TEST(CommandLine, QuotedJoinKeepsSwitchesBareAndRoundTripsTheRest) {
  EXPECT_EQ(platform::join_quoted({"C:/Program Files/o.scr", "/s"}), "\"C:/Program Files/o.scr\" /s");
  EXPECT_EQ(platform::join_quoted({"a", ""}), "a \"\"");
  EXPECT_EQ(platform::join_quoted({"say \"hi\""}), "\"say \\\"hi\\\"\"");
  EXPECT_EQ(platform::join_quoted({"C:\\dir\\"}), "C:\\dir\\") << "no quote, no escape";
  EXPECT_EQ(platform::join_quoted({"C:\\my dir\\"}), "\"C:\\my dir\\\\\"")
      << "backslashes before the closing quote are doubled";
}
