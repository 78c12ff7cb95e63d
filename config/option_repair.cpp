// The start-up repair of stored options (rules in option_repair.h).
//
// Options that any stored word suits are left alone: the switches (true only
// for 1), the custom colours (only their low three bytes are read), the
// viewpoint's location CRC (an unknown one means no city), the cloud and
// nebula quantities (the texture generators stop at their layer limit),
// BailCountdownS (0 or below never closes), the version numbers and the texts.
#include "config/option_repair.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "config/configure.h"
#include "config/options.h"
#include "utilitylib/utility.h"

namespace {

const int32_t DEFAULT_COLOR_MODE = 2;
const int32_t MAX_COLOR_MODE = 2;

CRegistryFloat* const FACTORS[] = {
    &COptions::FactorBodySize,          &COptions::FactorCameraFov,
    &COptions::FactorCameraRotationSpeed, &COptions::FactorDarkSideBrightness,
    &COptions::FactorCitiesPersistence, &COptions::FactorTimeAcceleration,
};

CRegistryInt* const COLOR_MODES[] = {&COptions::SunColorEnum, &COptions::NebulaColorEnum};

// One line per repaired option, in the log and, like the store's own
// reports, on standard error: logging may be off.
void Report(const char* name, const char* stored, const char* sound) {
  char message[256];
  snprintf(message, sizeof message, "%s %s cannot be used and becomes %s", name, stored, sound);
  CUtility::Log("options: %s\n", message);
  fprintf(stderr, "Orbalune 3D: options: %s\n", message);
}

void Repair_Factor(CRegistryFloat& option) {
  const float stored = option.Get();
  const float sound = option_repair::Sound_Factor(stored, option.Get_Default());
  if (std::bit_cast<uint32_t>(sound) == std::bit_cast<uint32_t>(stored)) return;
  option.Set(sound);
  char stored_text[32], sound_text[32];
  snprintf(stored_text, sizeof stored_text, "%g", double(stored));
  snprintf(sound_text, sizeof sound_text, "%g", double(sound));
  Report(option.Get_Name(), stored_text, sound_text);
}

void Repair_Int(CRegistryInt& option, int32_t (*sound_of)(int32_t)) {
  const int32_t stored = option.Get();
  const int32_t sound = sound_of(stored);
  if (sound == stored) return;
  option.Set(sound);
  Report(option.Get_Name(), std::to_string(stored).c_str(), std::to_string(sound).c_str());
}

}  // namespace

namespace option_repair {

float Sound_Factor(float stored, float default_value) {
  if (!std::isfinite(stored)) return default_value;
  return stored > 0 ? std::min(stored, 1.0f) : 0.0f;
}

int32_t Sound_Color_Mode(int32_t stored) {
  return stored >= 0 && stored <= MAX_COLOR_MODE ? stored : DEFAULT_COLOR_MODE;
}

int32_t Sound_Page_Index(int32_t stored) {
  return stored >= CConfigure::INTRODUCTION_PAGE && stored <= CConfigure::MUSIC_PAGE
             ? stored
             : CConfigure::INTRODUCTION_PAGE;
}

int32_t Sound_Usage_Count(int32_t stored) {
  return std::clamp(stored, int32_t(0), std::numeric_limits<int32_t>::max() - 1);
}

}  // namespace option_repair

void Repair_Options() {
  for (CRegistryFloat* factor : FACTORS) Repair_Factor(*factor);
  for (CRegistryInt* mode : COLOR_MODES) Repair_Int(*mode, option_repair::Sound_Color_Mode);
  Repair_Int(COptions::CurrentConfigureSheet, option_repair::Sound_Page_Index);
  Repair_Int(COptions::UsageCount, option_repair::Sound_Usage_Count);
}
