// CTextureData: a GL texture name and the size of the image uploaded into it.
#pragma once

#include <cstdint>

#include "utilitylib/utility.h"

class CTextureData {
 public:
  CTextureData() : TextureId(-1), Width(0), Height(0) {
    CUtility::Log("CTextureData::CTextureData\n");
  }

  void Set(int32_t id, int32_t width, int32_t height) {
    ASSERT(id > 0);
    ASSERT(width > 0);
    ASSERT(height > 0);
    TextureId = id;
    Width = width;
    Height = height;
  }

  // -1 while nothing is loaded.
  int32_t Get_Texture_Id() const { return TextureId; }
  int32_t Get_Width() const { return Width; }
  int32_t Get_Height() const { return Height; }

 private:
  int32_t TextureId;
  int32_t Width;
  int32_t Height;
};
