// Helpers of the end-to-end tests that run orbalune3d.scr under Wine: its
// options in the registry, its log, its full-screen window.
#pragma once

#include <windows.h>

#include <string>

// How long the saver may take to show its window, and to end once asked.
inline constexpr double START_TIMEOUT_S = 30;
inline constexpr double END_TIMEOUT_S = 30;

// Writes one option under the saver's key, as the settings would.
void Set_Option_Word(const char* name, DWORD value);
void Set_Option_String(const char* name, const std::string& value);
void Delete_Options();

// The saver's log in ORBALUNE3D_HOME as text (its CR LF line ends as LF).
std::string Saver_Log_Text();

// The full-screen saver's window once it exists; null after timeout_s.
HWND Wait_For_Full_Screen_Window(double timeout_s);
