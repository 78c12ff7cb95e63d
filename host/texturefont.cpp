// CTextureFont on the font image resource.
#include "host/texturefont.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

#include "host/resolution.h"
#include "textures/texture.h"
#include "utilitylib/kvmath.h"
#include "utilitylib/utility.h"
#include "utilitylib/vector4.h"

int CTextureFont::Spacing = 0;
unsigned int CTextureFont::ListBase = 0;
int CTextureFont::ListCount = 256;
int CTextureFont::TextureId = -1;

namespace {

// The font image: 256 x 256 pixels, 16 x 16 cells of 16 pixels.
const int FONT_RESOURCE = 142;
const int GLYPH_PIXELS = 16;
const int CELLS_PER_ROW = 16;
const float CELL_UV = 1.0f / 16.0f;

void Compile_Glyph(int code, int spacing) {
  const float u = float(code % CELLS_PER_ROW) / CELLS_PER_ROW;
  const float t = 1.0f - float(code / CELLS_PER_ROW) / CELLS_PER_ROW;
  glBegin(GL_QUADS);
  glTexCoord2f(u, t - CELL_UV);
  glVertex2i(0, 0);
  glTexCoord2f(u + CELL_UV, t - CELL_UV);
  glVertex2i(GLYPH_PIXELS, 0);
  glTexCoord2f(u + CELL_UV, t);
  glVertex2i(GLYPH_PIXELS, GLYPH_PIXELS);
  glTexCoord2f(u, t);
  glVertex2i(0, GLYPH_PIXELS);
  glEnd();
  glTranslated(spacing, 0, 0);
}

}  // namespace

void CTextureFont::Init(int spacing) {
  ASSERT(spacing > 0);
  Spacing = spacing;
  Build_Font();
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  CTexture::Load_Resource_Jpg(FONT_RESOURCE);
  glFinish();
  TextureId = int(name);
}

void CTextureFont::Build_Font() {
  CUtility::Log("CTextureFont::Build_Font\n");
  ListCount = 256;
  ListBase = glGenLists(ListCount);
  for (int code = 0; code < ListCount; ++code) {
    glNewList(ListBase + code, GL_COMPILE);
    Compile_Glyph(code, Spacing);
    glEndList();
  }
}

void CTextureFont::Close() {
  CUtility::Log("CTextureFont::Close\n");
  glDeleteLists(ListBase, ListCount);
}

int CTextureFont::Get_Text_Width(const char* text) {
  ASSERT(text != NULL);
  return int(strlen(text)) * Spacing;
}

double CTextureFont::Centered_X(int text_width, int window_width) {
  return 0.5 - double(text_width) / window_width * 0.5;
}

double CTextureFont::Unaligned_Brightness(double px, double py) {
  return (std::fabs(Round(px) - px) + std::fabs(Round(py) - py)) * 0.375 + 0.75;
}

void CTextureFont::Print(double x, double y, const char* string, bool pixel_aligned,
                         const CVector4& colour) {
  ASSERT(string != NULL);
  if (TextureId < 0) return;
  const int width = CResolution::Get_Window_Width();
  const int height = CResolution::Get_Window_Height();
  double px = width * x + (Spacing - GLYPH_PIXELS) * 0.5;
  double py = height * (1 - y);
  double brightness = 1.0;
  if (pixel_aligned) {
    px = Round(px);
    py = Round(py);
  } else {
    brightness = Unaligned_Brightness(px, py);
  }
  glColor4d(colour.x * brightness, colour.y * brightness, colour.z * brightness, colour.w);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_TEXTURE_2D);
  ASSERT(TextureId >= 0);
  glBindTexture(GL_TEXTURE_2D, GLuint(TextureId));
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, width, 0, height, -1, 1);
  glTranslated(px, py - GLYPH_PIXELS / 2, 0);
  glListBase(ListBase);
  glCallLists(GLsizei(strlen(string)), GL_UNSIGNED_BYTE, string);
  glPopMatrix();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
}

void CTextureFont::Print_Centered(double y, const char* string, bool pixel_aligned,
                                  const CVector4& colour) {
  ASSERT(string != NULL);
  const double x = Centered_X(Get_Text_Width(string), CResolution::Get_Window_Width());
  Print(x, y, string, pixel_aligned, colour);
}
