// Staged creation and the automatic close of the frame driver.
#include "host/render_staging.h"

CreationRow Next_Creation_Row(const CreationState& s) {
  if (!s.has_backdrop && s.show_nebulae && s.nebula_texture_id >= 0) return CreationRow::Backdrop;
  if (!s.has_sun) return CreationRow::Sun;
  if (!s.has_moon && s.show_moon) return CreationRow::Moon;
  if (!s.has_earth) return CreationRow::Earth;
  if (s.show_lens_flare && s.flare_count < MIN_FLARE_COUNT) return CreationRow::LensFlares;
  if (s.show_clouds_or_atmosphere && s.cloud_texture_id >= 0) return CreationRow::CloudLayer;
  return CreationRow::None;
}

bool CCreationCountdown::Tick() {
  if (frames_left > 0) --frames_left;
  return frames_left == 0;
}

bool CBailCountdown::Is_Due(int countdown_s, double elapsed_s) {
  if (!armed || countdown_s <= 0 || countdown_s > elapsed_s) return false;
  armed = false;
  return true;
}
