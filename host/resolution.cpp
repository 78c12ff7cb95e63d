// CResolution: every getter asserts that its value was set to a positive
// number, so reading before start-up or drawing into a zero-sized window stops
// the program with a clear report.
#include "host/resolution.h"

#include "platform/platform.h"
#include "utilitylib/utility.h"

int CResolution::ScreenWidth = 0;
int CResolution::ScreenHeight = 0;
int CResolution::WindowWidth = 0;
int CResolution::WindowHeight = 0;
int CResolution::WholeWindowWidth = 0;
int CResolution::WholeWindowHeight = 0;
int CResolution::BitsPerPixel = 0;

void CResolution::Init_Screen_Dimensions() {
  CUtility::Log("CResolution::Init_Screen_Dimensions\n");
  const platform::Size screen = platform::api().window.screen_size();
  ScreenWidth = screen.width;
  ScreenHeight = screen.height;
}

void CResolution::Set_Window_Dimensions(int width, int height) {
  CUtility::Log("CResolution::Set_Window_Dimensions\n");
  ASSERT(width > 0);
  ASSERT(height > 0);
  WholeWindowWidth = WindowWidth = width;
  WholeWindowHeight = WindowHeight = height;
}

void CResolution::Begin_View(int width, int height) {
  ASSERT(width > 0);
  ASSERT(height > 0);
  WindowWidth = width;
  WindowHeight = height;
}

void CResolution::End_View() {
  WindowWidth = WholeWindowWidth;
  WindowHeight = WholeWindowHeight;
}

int CResolution::Get_Screen_Width() {
  ASSERT(ScreenWidth > 0);
  return ScreenWidth;
}

int CResolution::Get_Screen_Height() {
  ASSERT(ScreenHeight > 0);
  return ScreenHeight;
}

int CResolution::Get_Window_Width() {
  ASSERT(WindowWidth > 0);
  return WindowWidth;
}

int CResolution::Get_Window_Height() {
  ASSERT(WindowHeight > 0);
  return WindowHeight;
}

double CResolution::Get_Window_Aspect_Ratio() {
  ASSERT(WindowHeight > 0);
  return static_cast<double>(WindowWidth) / WindowHeight;
}

void CResolution::Set_Bits_Per_Pixel(int bpp) {
  ASSERT(bpp > 0);
  BitsPerPixel = bpp;
}

int CResolution::Get_Bits_Per_Pixel() { return BitsPerPixel; }
