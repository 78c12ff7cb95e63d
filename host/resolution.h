// CResolution: the screen size, the size of the window drawn into and the
// desktop colour depth, handed out with checks.
//
// A full-screen frame over several monitors draws one view per monitor; while
// it draws one, the window size is that view's, so that the overlays and the
// projections to the screen fit the monitor.
#pragma once

class CResolution {
 public:
  // Reads the primary screen's size from the window system.
  static void Init_Screen_Dimensions();
  static void Set_Window_Dimensions(int width, int height);
  // The window size becomes the view's until End_View, without a log line
  // (views change several times a frame).
  static void Begin_View(int width, int height);
  static void End_View();

  static int Get_Screen_Width();
  static int Get_Screen_Height();
  static int Get_Window_Width();
  static int Get_Window_Height();
  static double Get_Window_Aspect_Ratio();

  static void Set_Bits_Per_Pixel(int bpp);
  static int Get_Bits_Per_Pixel();

 private:
  static int ScreenWidth;
  static int ScreenHeight;
  static int WindowWidth;
  static int WindowHeight;
  static int WholeWindowWidth;
  static int WholeWindowHeight;
  static int BitsPerPixel;
};
