// The start-up, frame and shut-down steps that other parts of the program
// carry out, one function per step, called by the saver's window procedures
// at their places.
#pragma once

#include <cstdint>

#include "platform/window.h"

// Starts the playlist's player hidden; its process id, 0 when none started.
uint32_t Launch_Playlist(const char* playlist);
// Asks the player started by Launch_Playlist to quit.
void Close_Playlist(uint32_t process_id);
// Builds the location objects and drops those that are not shown.
void Init_Locations();

// The texture worker thread: started once the GL context exists, stopped
// before anything it writes to is freed.
void Start_Texture_Worker();
void Stop_Texture_Worker();

// The frame driver.
void Init_Frame_Driver();
void Resize_Frame_Driver();
void Update_Frame();
void Render_Frame();
void Close_Frame_Driver();

// Deletes every scene object.
void Delete_Scene_Objects();
// Frees texture buffers that the worker made and nobody took.
void Free_Unused_Texture_Buffers();

// Opens the configuration as a process of its own.
void Launch_Configuration();
// The configuration mode with the given owner window; its dialog result.
int Run_Configuration_Mode(platform::WindowHandle owner);
