// The command line of a host program (XScreenSaver): which window the saver
// draws in, and the refusals with their reasons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/hosted_mode.h"

namespace {

bool Parse(std::vector<std::string> words, const char* variable, HostedRequest* request,
           std::string* error) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  return Parse_Hosting_Arguments(int(argv.size()), argv.data(), variable, request, error);
}

TEST(HostedMode, WindowIdsAreDecimalOrHexadecimal) {
  HostedRequest request;
  std::string error;
  ASSERT_TRUE(Parse({"-window-id", "4194317"}, nullptr, &request, &error)) << error;
  EXPECT_EQ(request.window, 4194317u);
  EXPECT_FALSE(request.desktop);
  ASSERT_TRUE(Parse({"-window-id", "0x40000d"}, nullptr, &request, &error)) << error;
  EXPECT_EQ(request.window, 0x40000du);
  // The variable belongs to -root only.
  ASSERT_TRUE(Parse({"-window-id", "12"}, "0x99", &request, &error)) << error;
  EXPECT_EQ(request.window, 12u);
}

TEST(HostedMode, RootTakesTheWindowVariableOrTheDesktop) {
  HostedRequest request;
  std::string error;
  ASSERT_TRUE(Parse({"-root"}, "0x1e00007", &request, &error)) << error;
  EXPECT_EQ(request.window, 0x1e00007u);
  EXPECT_FALSE(request.desktop);
  ASSERT_TRUE(Parse({"-root"}, nullptr, &request, &error)) << error;
  EXPECT_TRUE(request.desktop);
  EXPECT_EQ(request.window, 0u);
  ASSERT_TRUE(Parse({"-root"}, "", &request, &error)) << error;
  EXPECT_TRUE(request.desktop);
}

// XScreenSaver's settings hand over the switches with two dashes.
TEST(HostedMode, DoubleDashSpellingsAreTheSameOptions) {
  HostedRequest request;
  std::string error;
  EXPECT_TRUE(Is_Hosting_Option("--root"));
  EXPECT_TRUE(Is_Hosting_Option("--window-id"));
  ASSERT_TRUE(Parse({"--root"}, "0x1e00007", &request, &error)) << error;
  EXPECT_EQ(request.window, 0x1e00007u);
  ASSERT_TRUE(Parse({"--root"}, nullptr, &request, &error)) << error;
  EXPECT_TRUE(request.desktop);
  ASSERT_TRUE(Parse({"--window-id", "0x40000d"}, nullptr, &request, &error)) << error;
  EXPECT_EQ(request.window, 0x40000du);
  EXPECT_FALSE(Parse({"--window-id"}, nullptr, &request, &error));
  EXPECT_NE(error.find("--window-id needs"), std::string::npos) << error;
  EXPECT_FALSE(Parse({"--root", "--fast"}, nullptr, &request, &error));
  EXPECT_NE(error.find("--fast"), std::string::npos) << error;
  for (const char* other : {"---root", "--roots", "--window", "root"}) {
    EXPECT_FALSE(Is_Hosting_Option(other)) << other;
  }
}

TEST(HostedMode, BadIdsAndExtraWordsAreRefusedWithTheirReason) {
  HostedRequest request;
  std::string error;
  for (const char* id : {"0", "0x", "-5", "+5", "12abc", "0x20000000", "99999999999999999999"}) {
    EXPECT_FALSE(Parse({"-window-id", id}, nullptr, &request, &error)) << id;
    EXPECT_NE(error.find(id), std::string::npos) << error;
  }
  EXPECT_FALSE(Parse({"-window-id"}, nullptr, &request, &error));
  EXPECT_NE(error.find("needs"), std::string::npos) << error;
  EXPECT_FALSE(Parse({"-root", "-fast"}, nullptr, &request, &error));
  EXPECT_NE(error.find("-fast"), std::string::npos) << error;
  EXPECT_FALSE(Parse({"-root"}, "window", &request, &error));
  EXPECT_NE(error.find("XSCREENSAVER_WINDOW"), std::string::npos) << error;
  EXPECT_FALSE(Is_Hosting_Option("-r"));
  EXPECT_FALSE(Is_Hosting_Option("/s"));
  EXPECT_FALSE(Is_Hosting_Option(nullptr));
}

}  // namespace
