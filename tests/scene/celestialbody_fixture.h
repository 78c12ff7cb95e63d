// Shared set-up for the body tests: an offscreen GL context (the bodies make
// textures), a fake clock driving the timer, and clean-up of every object.
#pragma once

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "astro/gmt.h"
#include "config/options.h"
#include "host/saver_host.h"
#include "scene/smartobjectmgr.h"
#include "support/offscreen_gl.h"
#include "utilitylib/random.h"
#include "utilitylib/timer.h"
#include "utilitylib/timer_fake_clock.h"

// 2026-03-22 is day 80 of the year (counted from 0): the Sun is over the equator.
constexpr int64_t EQUINOX_NOON_S = 1774180800;  // 2026-03-22T12:00:00Z
constexpr int64_t HOUR_S = 3600;

// Puts a plain RGB image (bottom row first) into a body's texture, with
// filters that need no mipmaps.
inline void Replace_Texture(int texture_id, const std::vector<uint8_t>& rgb, int width, int height) {
  glBindTexture(GL_TEXTURE_2D, texture_id);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
}

class CelestialBodyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gl.ok()) << "no offscreen GL context (EGL surfaceless)";
    PreviewMode = false;
    Rand_Seed(11);
    Start_Clock(EQUINOX_NOON_S);
  }
  void TearDown() override {
    CSmartObjectMgr::Close();
    for (auto& reset : resets) reset();
  }

  // The simulation clock starts at the given UTC time; the Sun follows it.
  void Start_Clock(int64_t utc_seconds) {
    clock.Set_Calendar(utc_seconds);
    CTimer::Init();
    Update_Solar_Position();
  }
  // One frame of the given real length, then every object's Update.
  void Frame(uint32_t ms) {
    clock.Advance_Ms(ms);
    CTimer::Tick();
    Update_Solar_Position();
    CSmartObjectMgr::Update_All();
  }
  // Sets an option for this test only.
  template <typename Option, typename Value>
  void Set(Option& option, Value value) {
    option.Set(value);
    resets.push_back([&option] { option.Reset_To_Default(); });
  }

  // Channel 0..2 (red, green, blue) of the pixel at (dx, dy) from the centre, y upward.
  int Channel(int dx, int dy, int channel) const {
    return (gl.pixel(gl.width() / 2 + dx, gl.height() / 2 + dy) >> (24 - 8 * channel)) & 255;
  }

  OffscreenGl gl{64, 64};
  FakeClock clock;

 private:
  std::vector<std::function<void()>> resets;
};
