// The frame driver's start-up schedule and its one automatic close, as plain
// rules over what exists, so that order and timing can be checked alone.
#pragma once

// What the staged creation looks at, read once per frame.
struct CreationState {
  bool has_backdrop = false;
  bool show_nebulae = false;
  int nebula_texture_id = -1;
  bool has_sun = false;
  bool has_moon = false;
  bool show_moon = false;
  bool has_earth = false;
  bool show_lens_flare = false;
  int flare_count = 0;
  bool show_clouds_or_atmosphere = false;
  int cloud_texture_id = -1;
};

// The rows of the creation table, in their order of precedence.
enum class CreationRow { None, Backdrop, Sun, Moon, Earth, LensFlares, CloudLayer };

// The lens-flare chain is made until it has this many flares.
constexpr int MIN_FLARE_COUNT = 10;

// The first row whose condition holds, or None.
CreationRow Next_Creation_Row(const CreationState& state);

// One object is made at most every third frame: the countdown starts at
// FRAMES_PER_CREATION, drops by one a frame, and a made object restarts it.
class CCreationCountdown {
 public:
  static constexpr int FRAMES_PER_CREATION = 3;
  // Counts this frame; true when a row may be created now.
  bool Tick();
  // A row was acted on this frame.
  void Restart() { frames_left = FRAMES_PER_CREATION; }

 private:
  int frames_left = FRAMES_PER_CREATION;
};

// The BailCountdownS close: asked for once, at the first frame whose elapsed
// time reaches the countdown; a countdown of 0 or less never closes.
class CBailCountdown {
 public:
  // True exactly once per run, when the close is to be posted.
  bool Is_Due(int countdown_s, double elapsed_s);

 private:
  bool armed = true;
};
