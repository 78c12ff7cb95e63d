// The names the system report gives Windows versions.
#include <gtest/gtest.h>

#include "platform/windows_version.h"

TEST(WindowsVersion, TheNinetyFiveFamilyIsNamedByVersionAndBuild) {
  EXPECT_EQ(platform::windows_name(1, 4, 0, 950), "Windows 95");
  EXPECT_EQ(platform::windows_name(1, 4, 0, 0x04001111), "Windows 95 OSR2")
      << "the build is the low 16 bits";
  EXPECT_EQ(platform::windows_name(1, 4, 0, 0x04000300), "Windows 95");
  EXPECT_EQ(platform::windows_name(1, 4, 10, 2222), "Windows 98");
  EXPECT_EQ(platform::windows_name(1, 4, 90, 3000), "Windows Me");
}

TEST(WindowsVersion, TheNtFamilyUpToXpIsNamedAsThen) {
  EXPECT_EQ(platform::windows_name(0, 3, 10, 0), "Windows 3.1");
  EXPECT_EQ(platform::windows_name(2, 4, 0, 1381), "Windows NT");
  EXPECT_EQ(platform::windows_name(2, 5, 0, 2195), "Windows 2000");
  EXPECT_EQ(platform::windows_name(2, 5, 1, 2600), "Windows XP");
  EXPECT_EQ(platform::windows_name(2, 5, 2, 3790), "Windows 2000");
}

TEST(WindowsVersion, LaterVersionsAreNotCalledXp) {
  EXPECT_EQ(platform::windows_name(2, 6, 0, 6002), "Windows Vista");
  EXPECT_EQ(platform::windows_name(2, 6, 1, 7601), "Windows 7");
  EXPECT_EQ(platform::windows_name(2, 6, 2, 9200), "Windows 8");
  EXPECT_EQ(platform::windows_name(2, 6, 3, 9600), "Windows 8.1");
  EXPECT_EQ(platform::windows_name(2, 10, 0, 19045), "Windows 10 or later");
  EXPECT_EQ(platform::windows_name(3, 10, 0, 0), "");
}
