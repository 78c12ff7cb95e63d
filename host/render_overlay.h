// The frame driver's 2D pass: city labels, the preview title, the progress
// line and the text overlays, each with its condition, place and colour.
#pragma once

// Back to the start-of-run state: label fully opaque, no progress dots.
void Reset_Overlays();
// Fades the product label out once the textures are ready, unless ShowLabel.
void Update_Label_Fade();
// The 2D pass over the finished 3D picture of one view: the 2D scene
// objects, and with_texts the preview title, progress line and text overlays.
void Render_Overlays(bool with_texts = true);
