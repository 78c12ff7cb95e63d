// A private X server for the tests of real windows: Xvfb on a display
// number it picks itself, started once per test program.
#pragma once

// Starts the server and points DISPLAY at it; false when Xvfb cannot run.
bool Start_Private_Display();
