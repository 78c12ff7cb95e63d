// <GL/glu.h> for the Windows build without <windows.h> (see gl.h here).
#pragma once

#include <GL/gl.h>

#if defined(APIENTRY) && defined(WINGDIAPI) && defined(CALLBACK)
#include_next <GL/glu.h>
#else
#define APIENTRY __stdcall
#define WINGDIAPI __declspec(dllimport)
#define CALLBACK __stdcall
#include_next <GL/glu.h>
#undef APIENTRY
#undef WINGDIAPI
#undef CALLBACK
#endif
