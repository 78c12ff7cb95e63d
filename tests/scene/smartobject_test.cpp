// The scene-object list: order, removal inside and outside the walks, names.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "scene/smartobject.h"
#include "scene/smartobjectmgr.h"
#include "support/death_message.h"
#include "utilitylib/timer.h"
#include "utilitylib/timer_fake_clock.h"

namespace {

// What the probes did, in order: "u1" update of probe 1, "d1" its deletion...
std::vector<std::string> Events;

class CProbe : public CSmartObject {
 public:
  explicit CProbe(int id, bool expires = false, bool disposable = false)
      : id(id), expires(expires), disposable(disposable) {}
  ~CProbe() override { Record("d"); }
  void Update() override { Record("u"); }
  void Render_3d() override { Record("r3"); }
  void Render_2d() override { Record("r2"); }
  bool Is_Expired() override { return expires; }
  bool Is_Disposable() override { return disposable; }

  int id;
  bool expires;
  bool disposable;

 private:
  void Record(const char* what) { Events.push_back(what + std::to_string(id)); }
};

// The ids of the list from the head.
std::vector<int> List_Ids() {
  std::vector<int> ids;
  for (CSmartObject* object = CSmartObjectMgr::Get_Head(); object; object = object->Get_Next()) {
    ids.push_back(static_cast<CProbe*>(object)->id);
  }
  return ids;
}

class SmartObjectMgrTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CSmartObjectMgr::Close();
    Events.clear();
  }
  void TearDown() override { CSmartObjectMgr::Close(); }

  using Ids = std::vector<int>;
  using Log = std::vector<std::string>;
};

TEST_F(SmartObjectMgrTest, walks_run_from_the_newest_object_to_the_oldest) {
  new CProbe(1);
  new CProbe(2);
  new CProbe(3);
  EXPECT_EQ(List_Ids(), (Ids{3, 2, 1}));
  CSmartObjectMgr::Update_All();
  CSmartObjectMgr::Render_3d_All();
  CSmartObjectMgr::Render_2d_All();
  EXPECT_EQ(Events, (Log{"u3", "u2", "u1", "r33", "r32", "r31", "r23", "r22", "r21"}));
}

TEST_F(SmartObjectMgrTest, remove_relinks_head_middle_and_tail) {
  CProbe* first = new CProbe(1);
  CProbe* second = new CProbe(2);
  new CProbe(3);
  CProbe* fourth = new CProbe(4);
  CSmartObjectMgr::Remove(fourth);
  EXPECT_EQ(List_Ids(), (Ids{3, 2, 1}));
  CSmartObjectMgr::Remove(second);
  EXPECT_EQ(List_Ids(), (Ids{3, 1}));
  CSmartObjectMgr::Remove(first);
  EXPECT_EQ(List_Ids(), (Ids{3}));
  EXPECT_EQ(CSmartObjectMgr::Get_Head()->Get_Next(), nullptr);
  EXPECT_EQ(Events, (Log{"d4", "d2", "d1"}));
}

TEST_F(SmartObjectMgrTest, update_all_deletes_expired_objects_right_after_their_update) {
  new CProbe(1, true);
  new CProbe(2);
  new CProbe(3, true);
  new CProbe(4, true);
  CSmartObjectMgr::Update_All();
  EXPECT_EQ(Events, (Log{"u4", "d4", "u3", "d3", "u2", "u1", "d1"}));
  EXPECT_EQ(List_Ids(), (Ids{2}));
}

// Removes another object from inside its own update or draw.
class CRemover : public CProbe {
 public:
  CRemover(int id, CSmartObject** victim) : CProbe(id), victim(victim) {}
  void Update() override { Remove_Victim(); }
  void Render_3d() override { Remove_Victim(); }

 private:
  void Remove_Victim() {
    if (*victim) CSmartObjectMgr::Remove(*victim);
    *victim = nullptr;
  }
  CSmartObject** victim;
};

TEST_F(SmartObjectMgrTest, walks_skip_objects_removed_by_another_objects_operation) {
  new CProbe(1);
  CSmartObject* victim = new CProbe(2);
  new CRemover(3, &victim);
  CSmartObjectMgr::Update_All();
  EXPECT_EQ(Events, (Log{"d2", "u1"}));
  EXPECT_EQ(List_Ids(), (Ids{3, 1}));
  Events.clear();
  victim = CSmartObjectMgr::Get_Head()->Get_Next();
  CSmartObjectMgr::Render_3d_All();
  EXPECT_EQ(Events, (Log{"d1"}));
  EXPECT_EQ(List_Ids(), (Ids{3}));
}

TEST_F(SmartObjectMgrTest, objects_created_during_a_walk_wait_for_the_next_walk) {
  class CSpawner : public CProbe {
   public:
    using CProbe::CProbe;
    void Update() override {
      CProbe::Update();
      if (!spawned) new CProbe(9);
      spawned = true;
    }
    bool spawned = false;
  };
  new CSpawner(1);
  CSmartObjectMgr::Update_All();
  EXPECT_EQ(Events, (Log{"u1"}));
  CSmartObjectMgr::Update_All();
  EXPECT_EQ(Events, (Log{"u1", "u9", "u1"}));
}

TEST_F(SmartObjectMgrTest, remove_one_disposable_takes_only_the_newest_disposable) {
  new CProbe(1, false, true);
  new CProbe(2);
  new CProbe(3, false, true);
  new CProbe(4);
  CSmartObjectMgr::Remove_One_Disposable();
  EXPECT_EQ(List_Ids(), (Ids{4, 2, 1}));
  CSmartObjectMgr::Remove_One_Disposable();
  EXPECT_EQ(List_Ids(), (Ids{4, 2}));
  CSmartObjectMgr::Remove_One_Disposable();
  EXPECT_EQ(List_Ids(), (Ids{4, 2}));
  EXPECT_EQ(Events, (Log{"d3", "d1"}));
}

TEST_F(SmartObjectMgrTest, close_deletes_everything_from_the_head_and_may_run_again) {
  new CProbe(1);
  new CProbe(2);
  CSmartObjectMgr::Close();
  EXPECT_EQ(Events, (Log{"d2", "d1"}));
  EXPECT_EQ(CSmartObjectMgr::Get_Head(), nullptr);
  CSmartObjectMgr::Close();
  EXPECT_EQ(Events.size(), 2u);
}

TEST_F(SmartObjectMgrTest, base_update_moves_by_velocity_over_the_frames_simulated_time) {
  FakeClock clock;
  CTimer::Init();
  CTimer::Set_Time_Acceleration(0);
  CSmartObject* object = new CSmartObject;
  object->position.Set(1, 2, 3);
  object->velocity.Set(2, 0, -4);
  clock.Advance_Ms(500);
  CTimer::Tick();
  CSmartObjectMgr::Update_All();
  EXPECT_NEAR(object->position.x, 2, 1e-9);
  EXPECT_NEAR(object->position.y, 2, 1e-9);
  EXPECT_NEAR(object->position.z, 1, 1e-9);
  CTimer::Set_Time_Acceleration(1);  // 30000 simulated seconds per real second
  clock.Advance_Ms(1);
  CTimer::Tick();
  CSmartObjectMgr::Update_All();
  EXPECT_NEAR(object->position.x, 2 + 60, 1e-6);
}

TEST(SmartObjectMgrDeathTest, null_arguments_are_fatal) {
  EXPECT_EXIT(CSmartObjectMgr::Add(nullptr), ::testing::ExitedWithCode(1),
              "smartobjectmgr " ASSERTION_LINE_RE " Assert: p_object != NULL");
  EXPECT_EXIT(CSmartObjectMgr::Remove(nullptr), ::testing::ExitedWithCode(1),
              "Assert: p_object != NULL");
  EXPECT_EXIT(CSmartObjectMgr::Find_Location_By_Description(nullptr), ::testing::ExitedWithCode(1),
              "Assert: location != NULL");
  EXPECT_EXIT(CSmartObjectMgr::Find_Location_By_Crc(0), ::testing::ExitedWithCode(1),
              "Assert: location_crc > 0");
  EXPECT_EXIT((new CSmartObject)->Set_Name(nullptr), ::testing::ExitedWithCode(1),
              "smartobject " ASSERTION_LINE_RE " Assert: text != NULL");
}

}  // namespace
