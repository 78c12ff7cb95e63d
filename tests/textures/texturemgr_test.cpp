// The texture worker: its stages, stopping it early, abandoning a stuck one,
// and the hand-over of its buffers. Meant to run under ThreadSanitizer too.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>
#include <string>
#include <thread>

#include "platform/platform.h"
#include "support/death_message.h"
#include "support/temp_folder.h"
#include "textures/texturemgr.h"
#include "utilitylib/utility.h"

namespace {

using Clock = std::chrono::steady_clock;

// Stands in for the platform's sleep while the worker waits out its first
// second: either returns at once, or blocks until the test opens the gate.
class SleepGate {
 public:
  static void Sleep(uint32_t) {
    std::unique_lock<std::mutex> hold(lock);
    ++sleepers;
    changed.notify_all();
    changed.wait(hold, [] { return open; });
  }
  static void Set_Open(bool value) {
    std::lock_guard<std::mutex> hold(lock);
    open = value;
    changed.notify_all();
  }
  static void Wait_For_Sleeper() {
    std::unique_lock<std::mutex> hold(lock);
    changed.wait(hold, [] { return sleepers > 0; });
  }
  static void Reset(bool start_open) {
    std::lock_guard<std::mutex> hold(lock);
    open = start_open;
    sleepers = 0;
  }

 private:
  static inline std::mutex lock;
  static inline std::condition_variable changed;
  static inline bool open = true;
  static inline int sleepers = 0;
};

class TextureMgrTest : public ::testing::Test {
 protected:
  void SetUp() override { CUtility::Set_Logging(true); }
  void TearDown() override {
    CTextureMgr::CloudTexture.Reset();
    CTextureMgr::NebulaTexture.Reset();
    CUtility::Set_Logging(false);
  }

  // Replaces the platform's sleep for the rest of the test; the worker must
  // have stopped before the test ends.
  void Use_Sleep_Gate(bool start_open) {
    SleepGate::Reset(start_open);
    saved_sleep = platform::api().clock.sleep_ms;
    platform::api().clock.sleep_ms = SleepGate::Sleep;
  }
  ~TextureMgrTest() override {
    if (saved_sleep) platform::api().clock.sleep_ms = saved_sleep;
  }

  static CTextureSettings Nothing_Wanted() {
    CTextureSettings settings;
    settings.clouds.show_clouds = false;
    settings.clouds.show_atmosphere = false;
    settings.show_nebulae = false;
    return settings;
  }

  // Polls the stage until it is `stage`, recording every value seen.
  static bool Wait_For_Stage(int stage, std::set<int>* seen = nullptr) {
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    for (;;) {
      const int now = CTextureMgr::Get_Stage();
      if (seen) seen->insert(now);
      if (now == stage) return true;
      if (Clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  }

  // The log written since the test began.
  std::string New_Log() const {
    const std::string log = read_text_file(CUtility::Log_File_Path());
    return log.size() > log_start ? log.substr(log_start) : std::string();
  }
  void Mark_Log() {
    CUtility::Log("--- test start\n");
    log_start = read_text_file(CUtility::Log_File_Path()).size();
  }

  // The number in the "took N ms" line, or -1.
  int Reported_Milliseconds() const {
    const std::string log = New_Log();
    const size_t at = log.find("  took ");
    return at == std::string::npos ? -1 : std::stoi(log.substr(at + 7));
  }

  size_t log_start = 0;
  void (*saved_sleep)(uint32_t) = nullptr;
};

TEST_F(TextureMgrTest, closing_during_the_first_second_ends_the_worker_promptly) {
  Mark_Log();
  CTextureMgr::Init(CTextureSettings());
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  CTextureMgr::Close();
  EXPECT_EQ(CTextureMgr::Get_Stage(), CTextureMgr::STAGE_READY);
  EXPECT_FALSE(CTextureMgr::CloudTexture.Is_Ready());
  EXPECT_FALSE(CTextureMgr::NebulaTexture.Is_Ready());
  const std::string log = New_Log();
  EXPECT_NE(log.find("CTextureMgr::Init\n"), std::string::npos);
  EXPECT_NE(log.find("Bail signalled\n"), std::string::npos);
  EXPECT_EQ(log.find("TERMINATING"), std::string::npos);
  EXPECT_EQ(log.find("Create_Midpoint_Texture"), std::string::npos) << "generation began";
  // Well short of the remaining 900 ms of sleep.
  const int took = Reported_Milliseconds();
  EXPECT_GE(took, 0);
  EXPECT_LT(took, 700);
}

TEST_F(TextureMgrTest, with_nothing_wanted_the_stage_goes_from_0_straight_to_3) {
  Use_Sleep_Gate(false);
  CTextureMgr::Init(Nothing_Wanted());
  SleepGate::Wait_For_Sleeper();
  EXPECT_EQ(CTextureMgr::Get_Stage(), CTextureMgr::STAGE_BODIES);
  std::set<int> seen;
  SleepGate::Set_Open(true);
  ASSERT_TRUE(Wait_For_Stage(CTextureMgr::STAGE_READY, &seen));
  CTextureMgr::Close();
  EXPECT_EQ(seen.count(CTextureMgr::STAGE_CLOUDS), 0u);
  EXPECT_EQ(seen.count(CTextureMgr::STAGE_NEBULAE), 0u);
  EXPECT_FALSE(CTextureMgr::CloudTexture.Is_Ready());
  EXPECT_FALSE(CTextureMgr::NebulaTexture.Is_Ready());
}

TEST_F(TextureMgrTest, a_stop_during_cloud_generation_publishes_the_clouds_and_no_nebula) {
  Use_Sleep_Gate(true);
  CTextureSettings settings;
  settings.clouds.min_cloud_quantity = 255;  // 199 layers: far longer than the stop takes
  CTextureMgr::Init(settings);
  ASSERT_TRUE(Wait_For_Stage(CTextureMgr::STAGE_CLOUDS));
  CTextureMgr::Close();
  EXPECT_EQ(CTextureMgr::Get_Stage(), CTextureMgr::STAGE_READY);
  ASSERT_TRUE(CTextureMgr::CloudTexture.Is_Ready());
  EXPECT_LT(CTextureMgr::CloudTexture.Get_Layers(), 199);
  EXPECT_FALSE(CTextureMgr::NebulaTexture.Is_Ready());
  EXPECT_NE(CTextureMgr::CloudTexture.Take(), nullptr);
}

TEST_F(TextureMgrTest, a_full_run_publishes_both_textures_whether_or_not_they_are_taken) {
  Use_Sleep_Gate(true);
  for (bool consume : {true, false}) {
    Mark_Log();
    std::set<int> seen;
    CTextureMgr::Init(CTextureSettings());
    ASSERT_TRUE(Wait_For_Stage(CTextureMgr::STAGE_READY, &seen));
    EXPECT_EQ(seen.count(CTextureMgr::STAGE_NEBULAE), 1u);
    ASSERT_TRUE(CTextureMgr::CloudTexture.Is_Ready());
    ASSERT_TRUE(CTextureMgr::NebulaTexture.Is_Ready());
    EXPECT_GT(CTextureMgr::CloudTexture.Get_Layers(), 0);
    EXPECT_GT(CTextureMgr::NebulaTexture.Get_Layers(), 0);
    if (consume) {
      // What the cloud layer's constructor does: take the buffer, then store
      // the texture name.
      std::unique_ptr<unsigned char[]> clouds = CTextureMgr::CloudTexture.Take();
      ASSERT_NE(clouds, nullptr);
      EXPECT_EQ(CTextureMgr::CloudTexture.Take(), nullptr);
      CTextureMgr::CloudTexture.Set_Texture_Id(7);
      EXPECT_EQ(CTextureMgr::CloudTexture.Get_Texture_Id(), 7);
    }
    CTextureMgr::Close();
    EXPECT_EQ(New_Log().find("TERMINATING"), std::string::npos);
    // What the two Prevent_Memory_Leak calls do after Close.
    CTextureMgr::CloudTexture.Free_Unconsumed();
    CTextureMgr::NebulaTexture.Free_Unconsumed();
    EXPECT_EQ(CTextureMgr::NebulaTexture.Take(), nullptr);
  }
}

TEST_F(TextureMgrTest, a_worker_that_does_not_stop_in_time_is_abandoned_and_finishes_later) {
  Use_Sleep_Gate(false);
  Mark_Log();
  CTextureMgr::Init(CTextureSettings());
  SleepGate::Wait_For_Sleeper();
  CTextureMgr::Close(20);
  EXPECT_NE(New_Log().find("  TERMINATING THREAD...\n"), std::string::npos);
  EXPECT_GE(Reported_Milliseconds(), 20);
  // The abandoned worker still has its state: released, it notices the stop
  // request and ends without generating anything.
  SleepGate::Set_Open(true);
  ASSERT_TRUE(Wait_For_Stage(CTextureMgr::STAGE_READY));
  // A new run waits for the abandoned one, which shares the plasma lattice.
  CTextureMgr::Init(Nothing_Wanted());
  ASSERT_TRUE(Wait_For_Stage(CTextureMgr::STAGE_READY));
  CTextureMgr::Close();
  EXPECT_FALSE(CTextureMgr::CloudTexture.Is_Ready());
}

TEST_F(TextureMgrTest, close_without_a_worker_does_nothing_and_init_twice_is_refused) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  CTextureMgr::Close();
  Use_Sleep_Gate(true);
  CTextureMgr::Init(Nothing_Wanted());
  EXPECT_DEATH(CTextureMgr::Init(Nothing_Wanted()),
               "texturemgr " ASSERTION_LINE_RE " Assert: ThreadHandle == 0");
  CTextureMgr::Close();
}

}  // namespace
