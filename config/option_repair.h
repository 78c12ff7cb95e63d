// The start-up repair of stored options that the program could not use: the
// options store may hold any word a user writes into it, and the readers
// assert their ranges, so a value outside its range is replaced by a sound
// one, written back and reported, before any reader sees it.
#pragma once

#include <cstdint>

namespace option_repair {

// A slider factor: its default when it is not a finite number, else clamped
// to 0..1 (-0 becomes 0).
float Sound_Factor(float stored, float default_value);
// A colour mode: 0 (the custom colour), 1 or 2; anything else becomes 2,
// the default of both modes, as start-up always did for a Sun mode above 2.
int32_t Sound_Color_Mode(int32_t stored);
// The settings page to open: 0 to 4; any other opens the first page, 0.
int32_t Sound_Page_Index(int32_t stored);
// The count of starts: not below 0, and below INT32_MAX, so that the count
// each start adds cannot overflow.
int32_t Sound_Usage_Count(int32_t stored);

}  // namespace option_repair

// Applies the rules above to the option set. Each option that changes is
// written back and reported in one line, in the log and on standard error
// as the store reports an unreadable line.
void Repair_Options();
