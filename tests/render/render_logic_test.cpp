// The frame driver's rules apart from GL: the staged creation's order and
// timing, the one automatic close, and the overlay texts.
#include <gtest/gtest.h>

#include <ctime>
#include <vector>

#include "host/render_staging.h"
#include "host/render_texts.h"

namespace {

// Runs the creation schedule for `frames` frames over a pretend scene in
// which every row's action makes its object, and returns (frame, row) of
// each creation. `on_frame` may change the state before a frame's check.
struct Creation {
  int frame;
  CreationRow row;
};

template <typename OnFrame>
std::vector<Creation> Run_Schedule(CreationState state, int frames, OnFrame on_frame) {
  std::vector<Creation> made;
  CCreationCountdown countdown;
  for (int frame = 1; frame <= frames; ++frame) {
    on_frame(frame, state);
    if (!countdown.Tick()) continue;
    const CreationRow row = Next_Creation_Row(state);
    if (row == CreationRow::None) continue;
    made.push_back({frame, row});
    switch (row) {
      case CreationRow::Backdrop: state.has_backdrop = true; break;
      case CreationRow::Sun: state.has_sun = true; break;
      case CreationRow::Moon: state.has_moon = true; break;
      case CreationRow::Earth: state.has_earth = true; break;
      case CreationRow::LensFlares: state.flare_count = 20; break;
      case CreationRow::CloudLayer: break;
      case CreationRow::None: break;
    }
    countdown.Restart();
  }
  return made;
}

std::vector<Creation> Run_Schedule(CreationState state, int frames) {
  return Run_Schedule(state, frames, [](int, CreationState&) {});
}

CreationState All_Shown() {
  CreationState state;
  state.show_nebulae = true;
  state.show_moon = true;
  state.show_lens_flare = true;
  state.show_clouds_or_atmosphere = true;
  return state;
}

std::vector<CreationRow> Rows(const std::vector<Creation>& made) {
  std::vector<CreationRow> rows;
  for (const Creation& c : made) rows.push_back(c.row);
  return rows;
}

TEST(StagedCreation, OneObjectEveryThirdFrameFromTheThird) {
  CreationState state = All_Shown();
  state.nebula_texture_id = 0;
  const auto made = Run_Schedule(state, 16);
  ASSERT_EQ(made.size(), 5u);
  for (size_t i = 0; i < made.size(); ++i) EXPECT_EQ(made[i].frame, 3 + 3 * int(i));
  EXPECT_EQ(Rows(made), (std::vector<CreationRow>{CreationRow::Backdrop, CreationRow::Sun,
                                                  CreationRow::Moon, CreationRow::Earth,
                                                  CreationRow::LensFlares}));
}

TEST(StagedCreation, RowsWithTheirOptionOffAreSkippedWithoutWaiting) {
  CreationState state = All_Shown();
  state.show_moon = false;
  state.show_nebulae = false;
  state.nebula_texture_id = 0;
  state.show_lens_flare = false;
  const auto made = Run_Schedule(state, 30);
  EXPECT_EQ(Rows(made), (std::vector<CreationRow>{CreationRow::Sun, CreationRow::Earth}));
  EXPECT_EQ(made[1].frame, 6);
}

TEST(StagedCreation, BackdropAndCloudsWaitForTheirTexturesThenComeAtOnce) {
  const auto made = Run_Schedule(All_Shown(), 40, [](int frame, CreationState& state) {
    if (frame == 20) state.nebula_texture_id = 0;
    if (frame == 30) state.cloud_texture_id = 5;
  });
  ASSERT_GE(made.size(), 6u);
  EXPECT_EQ(Rows(made).front(), CreationRow::Sun);
  EXPECT_EQ(made[4].row, CreationRow::Backdrop);
  EXPECT_EQ(made[4].frame, 20);  // the countdown has long been 0
  EXPECT_EQ(made[5].row, CreationRow::CloudLayer);
  EXPECT_EQ(made[5].frame, 30);
}

TEST(StagedCreation, CloudRowKeepsRestartingTheCountdown) {
  CreationState state = All_Shown();
  state.has_sun = state.has_moon = state.has_earth = state.has_backdrop = true;
  state.show_lens_flare = false;
  state.cloud_texture_id = 0;
  const auto made = Run_Schedule(state, 9);
  ASSERT_EQ(made.size(), 3u);
  EXPECT_EQ(made[2].frame, 9);
}

TEST(BailCountdown, PostsExactlyOnceAtTheFirstFrameItIsDue) {
  CBailCountdown bail;
  int posts = 0;
  double first = -1;
  for (double elapsed = 0; elapsed < 40; elapsed += 0.25) {
    if (bail.Is_Due(30, elapsed)) {
      ++posts;
      if (first < 0) first = elapsed;
    }
  }
  EXPECT_EQ(posts, 1);
  EXPECT_DOUBLE_EQ(first, 30.0);
}

TEST(BailCountdown, ZeroNeverCloses) {
  CBailCountdown bail;
  for (double elapsed = 0; elapsed < 1e6; elapsed += 1000) EXPECT_FALSE(bail.Is_Due(0, elapsed));
}

TEST(ProgressLine, StageNameAndTwentyFiveDotsOrBlanks) {
  EXPECT_EQ(Progress_Line_Text(0, 0), "Creating Heavenly Bodies                         ");
  EXPECT_EQ(Progress_Line_Text(1, 3), "Creating Clouds...                      ");
  EXPECT_EQ(Progress_Line_Text(2, 25), "Creating Nebulae.........................");
  EXPECT_EQ(Progress_Line_Text(3, 1), "Ready.                        ");
  EXPECT_EQ(Next_Progress_Dots(24), 25);
  EXPECT_EQ(Next_Progress_Dots(25), 0);
}

TEST(ProgressLineDeathTest, UnknownStageIsFatal) {
  EXPECT_EXIT(Progress_Line_Text(4, 0), ::testing::ExitedWithCode(1), "Assert: DIE");
}

tm Local(int wday, int mon, int mday, int hour, int min) {
  tm t{};
  t.tm_wday = wday;
  t.tm_mon = mon;
  t.tm_mday = mday;
  t.tm_hour = hour;
  t.tm_min = min;
  return t;
}

TEST(LocalTimeText, TwelveHourClockWithDayPadding) {
  EXPECT_EQ(Local_Time_Text(Local(6, 2, 21, 0, 5)), "Sat Mar 21 - 12:05 AM");
  EXPECT_EQ(Local_Time_Text(Local(0, 11, 3, 12, 0)), "Sun Dec 3  - 12:00 PM");
  EXPECT_EQ(Local_Time_Text(Local(1, 0, 1, 13, 59)), "Mon Jan 1  -  1:59 PM");
  EXPECT_EQ(Local_Time_Text(Local(3, 6, 31, 23, 7)), "Wed Jul 31 - 11:07 PM");
}

TEST(SolarTimeText, MidnightNoonAndAfternoonForms) {
  EXPECT_EQ(Solar_Time_Text(0, 0), "12 AM Sunday   ");
  EXPECT_EQ(Solar_Time_Text(12, 3), "12 PM Wednesday");
  EXPECT_EQ(Solar_Time_Text(13, 5), " 1 PM Friday   ");
  EXPECT_EQ(Solar_Time_Text(11, 6), "11 AM Saturday ");
  EXPECT_EQ(Solar_Time_Text(1, 1), " 1 AM Monday   ");
}

TEST(SolarTimeTextDeathTest, UnknownWeekdayIsFatal) {
  EXPECT_EXIT(Solar_Time_Text(3, 7), ::testing::ExitedWithCode(1), "Assert: DIE");
}

TEST(ProductLabel, BottomRightFromTheScreenSize) {
  const LabelPlace place = Product_Label_Place(88, 1024, 768);
  EXPECT_DOUBLE_EQ(place.x, 1 - 1.2 * 88 / 1024);
  EXPECT_DOUBLE_EQ(place.name_y, 1 - (2.2 * 16 / 768 + 1.2 * 20 / 768));
  EXPECT_DOUBLE_EQ(place.maker_y, 1 - (1.1 * 16 / 768 + 1.2 * 20 / 768));
  EXPECT_LT(place.name_y, place.maker_y);
}

}  // namespace
