// CTexture: loads the module's JPEG and TGA images, and the optional Earth
// map file, into whatever GL texture the caller has bound.
//
// Calling order: create a texture name, bind it as the current 2D texture,
// call one loader, then glFinish. Window thread only (needs the GL context).
#pragma once

class CTexture {
 public:
  // JPEG resource `id` (type "JPG"), with its whole mipmap chain.
  static void Load_Resource_Jpg(int id);
  // TGA resource `id` (type "TGA"), level 0 only: RGBA for 32 bits, else RGB.
  static void Load_Resource_Tga(int id);
  // The JPEG file `filename` from the program folder, else from beside the
  // executable. False when there is no such file or it cannot be decoded;
  // nothing is uploaded then.
  static bool Load_File_Jpg(const char* filename);
  // The file when given and usable, otherwise JPEG resource `id`.
  static void Load_Jpg(const char* filename, int id);

  // The size of the image the last loader uploaded.
  static int Get_Width() { return Width; }
  static int Get_Height() { return Height; }

 private:
  static int Width;
  static int Height;
};
