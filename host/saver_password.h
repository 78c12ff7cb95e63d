// The saver password of Windows 95, 98 and Me: closing the full-screen
// saver asks for it, and /a changes it. On every other system nothing here
// does anything, and closing is always allowed.
#pragma once

#include <cstdint>

#include "platform/window.h"

// True on Windows 95, 98 and Me; set when the mode is chosen.
extern bool Windows9x;

// Set once closing is allowed (the password was right, or none is asked
// for); from then on the saver no longer interprets input.
extern bool CloseConfirmed;

// The private message that asks the program to verify the password now;
// the answer is the verify function's.
constexpr uint32_t WM_VERIFY_PASSWORD = platform::WM_APP;

// A check less than this many milliseconds after the last one is refused.
constexpr uint32_t PASSWORD_RECHECK_MS = 200;

// Reads whether the desktop asks for the saver password and loads the
// control panel's check for it; with a check loaded the system is told a
// saver is running.
void Password_Init();

// Frees the check again and tells the system the saver stopped.
void Password_Unload();

// Before a WM_CLOSE of the full-screen saver: true when it may close. A
// wrong password leaves it up, with the cursor hidden again.
bool Verify_Password(platform::WindowHandle window);

// The answer to WM_VERIFY_PASSWORD: the check's, or 1 without a check.
intptr_t Password_Check_Answer(platform::WindowHandle window);

// True while the check's dialog runs.
bool Password_Check_In_Progress();

// True when a check is loaded, that is, when the saver is protected.
bool Password_Protected();

// Registers the message by which the system asks whether to cancel
// auto-play while the saver runs (Windows 9x only).
void Register_Auto_Play_Message();

// The id of that message; 0 when it has none.
uint32_t Auto_Play_Message();

// The /a mode: the network provider's password change dialog for the
// saver. Returns the exit code: 0, or -1 where there is no saver password.
int Change_Password(platform::WindowHandle owner);

// Forgets every loaded module and flag, for tests that start over.
void Reset_Password_State();
