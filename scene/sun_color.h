// The Sun's colour rules: the custom colour word, the random pick that avoids
// dim and purplish colours, and the slow drift of the changing mode.
#pragma once

#include <cstdint>

#include "utilitylib/vector3.h"

// 0x00BBGGRR to (r, g, b) in [0, 1].
CVector3 Sun_Color_From_Word(uint32_t word);

// Purple-ish: red close to blue while green is not close to both.
bool Is_Purplish(const CVector3& color);

// Up to 50 random colours; the first bright one (r + g + b >= 1.5) that is
// not purplish, else the last one drawn.
CVector3 Random_Sun_Color();

// The starting drift rates of the changing mode, per real second.
CVector3 Initial_Sun_Drift_Rates();

// One frame of the changing mode: moves each component by its rate, brightens
// to a length of at least 1.2 (a black colour stays black until the drift
// lifts it), turns a rate round at either end and clamps into [0, 1].
void Drift_Sun_Color(CVector3& color, CVector3& rates, double seconds);
