// <GL/gl.h> for the Windows build without <windows.h>.
//
// MinGW's header pulls in all of <windows.h> (and with it macros such as
// WM_CREATE, min and max) unless the two macros it needs are already set.
// Portable code includes <GL/gl.h> and finds this file first; it sets the
// macros only for the system header and removes them again, so that a later
// <windows.h> defines them its own way.
#pragma once

#if defined(APIENTRY) && defined(WINGDIAPI)
#include_next <GL/gl.h>
#else
#define APIENTRY __stdcall
#define WINGDIAPI __declspec(dllimport)
#include_next <GL/gl.h>
#undef APIENTRY
#undef WINGDIAPI
#endif
