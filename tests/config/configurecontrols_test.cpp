// The Controls page through a fake dialog: sliders, toggles, colour modes, defaults.
#include <gtest/gtest.h>

#include "config/configurecontrols.h"
#include "config/options.h"
#include "default_options.h"
#include "fake_dialog.h"

namespace {

using C = CConfigureControls;

class ControlsPage : public ::testing::Test {
 protected:
  void SetUp() override { Reset_All_Options(); }
  CConfigureControls page;
};

TEST_F(ControlsPage, default_options_give_the_truncated_slider_positions) {
  FakeDialog dialog(page);
  EXPECT_EQ(dialog.Get_Slider(C::IDC_SLIDER_AMBIENT), 230);
  EXPECT_EQ(dialog.Get_Slider(C::IDC_SLIDER_ROTATION), 174);
  EXPECT_EQ(dialog.Get_Slider(C::IDC_SLIDER_FOV), 699);
  EXPECT_EQ(dialog.Get_Slider(C::IDC_SLIDER_BODY_SIZE), 330);
  EXPECT_EQ(dialog.Get_Slider(C::IDC_SLIDER_PERSISTENCE), 850);
  EXPECT_EQ(dialog.Get_Slider(C::IDC_SLIDER_TIME_ACCELERATION), 0);
  EXPECT_EQ(dialog.Slider_Maximum(C::IDC_SLIDER_FOV), 1000);
}

TEST_F(ControlsPage, moving_a_slider_stores_position_over_1000_in_single_precision) {
  FakeDialog dialog(page);
  dialog.Move_Slider(C::IDC_SLIDER_FOV, 700);
  EXPECT_EQ(COptions::FactorCameraFov.Get(), 0.7f);
  dialog.Move_Slider(C::IDC_SLIDER_TIME_ACCELERATION, 1000);
  EXPECT_EQ(COptions::FactorTimeAcceleration.Get(), 1.0f);
}

TEST_F(ControlsPage, check_boxes_follow_and_set_their_options) {
  COptions::ShowLines.Set(true);
  COptions::ShowSun.Set(false);
  FakeDialog dialog(page);
  EXPECT_TRUE(dialog.Is_Checked(C::IDC_SHOW_LINES));
  EXPECT_FALSE(dialog.Is_Shown(C::IDC_SHOW_LINES));
  EXPECT_FALSE(dialog.Is_Shown(C::IDC_VIEW_MOON));
  EXPECT_FALSE(dialog.Is_Checked(C::IDC_SHOW_SUN));
  EXPECT_TRUE(dialog.Is_Checked(C::IDC_SHOW_SOLAR_TIME));

  dialog.Click(C::IDC_SHOW_SUN);
  dialog.Click(C::IDC_ROTATE_EAST);
  dialog.Click(C::IDC_SHOW_SOLAR_TIME);
  EXPECT_TRUE(COptions::ShowSun.Get());
  EXPECT_FALSE(COptions::RotateEast.Get());
  EXPECT_FALSE(COptions::ShowUniversalTime.Get());
}

TEST_F(ControlsPage, show_cities_governs_the_three_name_boxes) {
  COptions::ShowCityNames.Set(true);
  COptions::ShowStateNames.Set(true);
  COptions::ShowCountryNames.Set(true);
  FakeDialog dialog(page);
  EXPECT_TRUE(dialog.Is_Enabled(C::IDC_SHOW_STATE_NAMES));

  dialog.Click(C::IDC_SHOW_CITIES);
  for (int id : {C::IDC_SHOW_CITY_NAMES, C::IDC_SHOW_STATE_NAMES, C::IDC_SHOW_COUNTRY_NAMES}) {
    EXPECT_FALSE(dialog.Is_Checked(id)) << id;
    EXPECT_FALSE(dialog.Is_Enabled(id)) << id;
  }
  EXPECT_FALSE(COptions::ShowCityNames.Get());
  EXPECT_FALSE(COptions::ShowStateNames.Get());
  EXPECT_FALSE(COptions::ShowCountryNames.Get());

  dialog.Click(C::IDC_SHOW_CITIES);
  EXPECT_TRUE(dialog.Is_Enabled(C::IDC_SHOW_CITY_NAMES));
  EXPECT_FALSE(dialog.Is_Enabled(C::IDC_SHOW_STATE_NAMES));
  EXPECT_FALSE(dialog.Is_Enabled(C::IDC_SHOW_COUNTRY_NAMES));
  EXPECT_FALSE(dialog.Is_Checked(C::IDC_SHOW_STATE_NAMES));

  dialog.Click(C::IDC_SHOW_CITY_NAMES);
  EXPECT_TRUE(COptions::ShowCityNames.Get());
  EXPECT_TRUE(dialog.Is_Enabled(C::IDC_SHOW_STATE_NAMES));
  EXPECT_TRUE(dialog.Is_Enabled(C::IDC_SHOW_COUNTRY_NAMES));
  EXPECT_FALSE(COptions::ShowStateNames.Get());
}

TEST_F(ControlsPage, colour_modes_select_their_radio_buttons_and_store_their_value) {
  COptions::SunColorEnum.Set(1);
  COptions::NebulaColorEnum.Set(0);
  FakeDialog dialog(page);
  EXPECT_TRUE(dialog.Is_Checked(C::IDC_SUN_RANDOM));
  EXPECT_FALSE(dialog.Is_Checked(C::IDC_SUN_CHANGING));
  EXPECT_TRUE(dialog.Is_Checked(C::IDC_NEBULA_CUSTOM));

  dialog.Click(C::IDC_SUN_CHANGING);
  dialog.Click(C::IDC_NEBULA_MIXTURE);
  EXPECT_EQ(COptions::SunColorEnum.Get(), 2);
  EXPECT_EQ(COptions::NebulaColorEnum.Get(), 2);
}

TEST_F(ControlsPage, choose_paints_the_button_and_keeps_mode_0_when_cancelled) {
  COptions::CustomSunColor.Set(0x0000FF);
  FakeDialog dialog(page);
  EXPECT_EQ(dialog.Text_Color(C::IDC_SUN_CUSTOM), 0x0000FFu);
  EXPECT_EQ(dialog.Text_Color(C::IDC_NEBULA_CUSTOM), 0x660000u);

  dialog.color_answer.reset();
  dialog.Click(C::IDC_SUN_CUSTOM);
  EXPECT_EQ(COptions::SunColorEnum.Get(), 0);
  EXPECT_EQ(COptions::CustomSunColor.Get(), 0x0000FF);
  ASSERT_EQ(dialog.color_presets.size(), 1u);
  EXPECT_EQ(dialog.color_presets[0], 0x0000FFu);

  dialog.color_answer = 0x00FF00;
  dialog.Click(C::IDC_NEBULA_CUSTOM);
  EXPECT_EQ(COptions::NebulaColorEnum.Get(), 0);
  EXPECT_EQ(COptions::CustomNebulaColor.Get(), 0x00FF00);
  EXPECT_EQ(dialog.Text_Color(C::IDC_NEBULA_CUSTOM), 0x00FF00u);
  EXPECT_EQ(dialog.Get_Text(C::IDC_NEBULA_CUSTOM), "Choose...");
}

TEST_F(ControlsPage, restore_defaults_resets_exactly_its_list) {
  FakeDialog dialog(page);
  // Every option in the list moved away from its default ...
  COptions::ShowSun.Set(false);
  COptions::ShowLines.Set(true);
  COptions::UseDaylightCompensation.Set(false);
  COptions::FactorCameraFov.Set(0.1f);
  COptions::FactorTimeAcceleration.Set(0.9f);
  COptions::SunColorEnum.Set(0);
  COptions::CustomNebulaColor.Set(1);
  COptions::ShowCountryNames.Set(true);
  COptions::ShowFramerate.Set(true);
  COptions::MinNebulaeQuantity.Set(3);
  // ... and the options outside it too.
  COptions::ShowEarth.Set(false);
  COptions::ShowLabel.Set(true);
  COptions::ReleaseLogging.Set(true);
  COptions::PlayMusic.Set(true);
  COptions::GeoLocationCrc.Set(1234);
  COptions::UsageCount.Set(7);
  COptions::CurrentConfigureSheet.Set(4);
  COptions::BailCountdownS.Set(5);
  COptions::CitiesHeading.Set("Heading");
  COptions::M3uFilename.Set("/music/a.m3u");

  dialog.Click(C::IDC_RESTORE_DEFAULTS);

  EXPECT_TRUE(COptions::ShowSun.Get());
  EXPECT_FALSE(COptions::ShowLines.Get());
  EXPECT_TRUE(COptions::UseDaylightCompensation.Get());
  EXPECT_EQ(COptions::FactorCameraFov.Get(), 0.7f);
  EXPECT_EQ(COptions::FactorTimeAcceleration.Get(), 0.0f);
  EXPECT_EQ(COptions::SunColorEnum.Get(), 2);
  EXPECT_EQ(COptions::CustomNebulaColor.Get(), 6684672);
  EXPECT_FALSE(COptions::ShowCountryNames.Get());
  EXPECT_FALSE(COptions::ShowFramerate.Get());
  EXPECT_EQ(COptions::MinNebulaeQuantity.Get(), 40);

  EXPECT_FALSE(COptions::ShowEarth.Get());
  EXPECT_TRUE(COptions::ShowLabel.Get());
  EXPECT_TRUE(COptions::ReleaseLogging.Get());
  EXPECT_TRUE(COptions::PlayMusic.Get());
  EXPECT_EQ(COptions::GeoLocationCrc.Get(), 1234);
  EXPECT_EQ(COptions::UsageCount.Get(), 7);
  EXPECT_EQ(COptions::CurrentConfigureSheet.Get(), 4);
  EXPECT_EQ(COptions::BailCountdownS.Get(), 5);
  EXPECT_STREQ(COptions::CitiesHeading.Get(), "Heading");
  EXPECT_STREQ(COptions::M3uFilename.Get(), "/music/a.m3u");

  // The controls show the restored values.
  EXPECT_TRUE(dialog.Is_Checked(C::IDC_SHOW_SUN));
  EXPECT_EQ(dialog.Get_Slider(C::IDC_SLIDER_FOV), 699);
  EXPECT_TRUE(dialog.Is_Checked(C::IDC_SUN_CHANGING));
}

TEST_F(ControlsPage, showing_the_page_stores_its_index) {
  COptions::CurrentConfigureSheet.Set(0);
  FakeDialog dialog(page);
  EXPECT_EQ(COptions::CurrentConfigureSheet.Get(), 2);
}

TEST_F(ControlsPage, a_slider_that_the_page_does_not_have_is_fatal) {
  FakeDialog dialog(page);
  EXPECT_DEATH(page.On_Event(dialog, C::IDC_SHOW_SUN, platform::DialogEvent::Scrolled),
               "Assert: !\"DIE\"");
}

}  // namespace
