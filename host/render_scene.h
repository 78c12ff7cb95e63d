// The frame driver's calls into the scene's one-of-a-kind objects: what
// exists, making each, and drawing them in the fixed order.
//
// A class that is not part of this build counts as already made, so the
// staged creation moves on to the rows after it.
#pragma once

#include <cstddef>

#include "host/render_staging.h"
#include "utilitylib/vector3.h"

CreationState Current_Creation_State();

void Create_Space_Backdrop();
void Create_Sun();
void Create_Moon();
void Create_Earth();
void Create_Lens_Flares();
// Makes the cloud layer unless it exists already.
void Create_Cloud_Layer();
// The cloud layer is deleted with the other scene objects; forget it.
void Forget_Cloud_Layer();

void Init_Lens_Flares();
void Close_Lens_Flares();
void Update_Lens_Flare_Visibility();
// With several views: the lens flare of this view follows the Sun as the
// view's 3D pass just saw it.
void Follow_Sun_With_Lens_Flares(size_t view);
void Update_Star_Population();

// The Sun's position when it exists.
bool Get_Sun_Position(CVector3* position);
// The Earth's fade-in opacity when it exists.
bool Get_Earth_Fade(double* fade);

void Render_Space_Backdrop();
// Sun glow and Sun, Moon, Earth, then the cloud layer over the Earth.
void Render_Bodies();
