// CTextureFont: single-line text over the scene from the 16 x 16 glyph font
// image, one display list per character code, blended additively so that
// the black of the font image never shows.
#pragma once

class CVector4;

class CTextureFont {
 public:
  // Builds the lists and loads the font texture; spacing is the advance per
  // character in pixels. Needs a current GL context.
  static void Init(int spacing);
  // Deletes the lists; the texture stays.
  static void Close();

  // Pixels the text advances: its length times the spacing.
  static int Get_Text_Width(const char* text);
  // Draws text at (x, y) in overlay coordinates (0..1, y downward), the glyph
  // cells centred vertically on y. Unaligned text that falls between pixels
  // is brightened to make up for the spread. Leaves the projection matrix
  // as the current matrix mode.
  static void Print(double x, double y, const char* text, bool pixel_aligned,
                    const CVector4& colour);
  // Print with x chosen so that the text is centred horizontally.
  static void Print_Centered(double y, const char* text, bool pixel_aligned,
                             const CVector4& colour);

  // The x at which a text of text_width pixels is centred in a window of
  // window_width pixels.
  static double Centered_X(int text_width, int window_width);
  // The colour factor for an unaligned print at pixel position (px, py):
  // 0.75 on whole pixels up to 1.125 half-way between them.
  static double Unaligned_Brightness(double px, double py);

 private:
  static void Build_Font();

  static int Spacing;
  static unsigned int ListBase;
  static int ListCount;
  static int TextureId;
};
