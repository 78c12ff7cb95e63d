// CTexture: finds an image, decodes it and uploads it into the bound texture.
#include "textures/texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "textures/jpg.h"
#include "textures/tga.h"
#include "utilitylib/utility.h"

int CTexture::Width = 0;
int CTexture::Height = 0;

namespace {

// Sets the unpack alignment for one upload and restores the caller's.
class ScopedUnpackAlignment {
 public:
  explicit ScopedUnpackAlignment(GLint alignment) {
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &saved_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
  }
  ~ScopedUnpackAlignment() { glPixelStorei(GL_UNPACK_ALIGNMENT, saved_); }
  ScopedUnpackAlignment(const ScopedUnpackAlignment&) = delete;
  ScopedUnpackAlignment& operator=(const ScopedUnpackAlignment&) = delete;

 private:
  GLint saved_ = 4;
};

// The decoder's rows are padded to 4 bytes; the mipmap builder also rescales
// sides that are not powers of two.
void Build_Rgb_Mipmaps(const uint8_t* buffer, int width, int height) {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  ScopedUnpackAlignment alignment(4);
  const int rc =
      gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, buffer);
  ASSERT(rc == 0);
}

bool Is_Readable(const std::string& path) {
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) return false;
  fclose(file);
  return true;
}

std::string Folder_Of(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// A relative name means a file in the program folder or, failing that, one
// beside the executable, whatever the current directory is. "" when neither
// can be opened.
std::string Find_File(const char* filename) {
  if (filename[0] == '/') return Is_Readable(filename) ? filename : "";
  const platform::SystemApi& system = platform::api().system;
  for (const std::string& folder : {system.program_folder(), Folder_Of(system.module_file_name())}) {
    if (folder.empty()) continue;
    const std::string path = folder + "/" + filename;
    if (Is_Readable(path)) return path;
  }
  return "";
}

}  // namespace

void CTexture::Load_Resource_Jpg(int id) {
  CUtility::Log("CTexture::Load_Resource_Jpg(%d)\n", id);
  const platform::ResourceView resource = platform::api().resources.find(id, "JPG");
  const uint8_t* p_data = resource.data;
  const int size = int(resource.size);
  ASSERT(p_data != NULL);
  ASSERT(size > 0);
  CUtility::Log("  size = %d\n", size);
  int width = 0, height = 0;
  uint8_t* buffer = CJpg::Load_Memory(p_data, size, &width, &height);
  ASSERT(buffer != NULL);
  Width = width;
  Height = height;
  CUtility::Log("  width = %d, height = %d\n", Width, Height);
  Build_Rgb_Mipmaps(buffer, width, height);
  free(buffer);
}

bool CTexture::Load_File_Jpg(const char* filename) {
  ASSERT(filename != NULL);
  CUtility::Log("CTexture::Load_File_Jpg(%s)\n", filename);
  const std::string path = Find_File(filename);
  if (path.empty()) {
    CUtility::Log("  Not found!\n");
    return false;
  }
  int width = 0, height = 0;
  uint8_t* buffer = CJpg::Load_File(path.c_str(), &width, &height);
  if (!buffer) {
    CUtility::Log("  %s is not a usable JPEG image, using the built-in one\n", path.c_str());
    return false;
  }
  Width = width;
  Height = height;
  Build_Rgb_Mipmaps(buffer, width, height);
  free(buffer);
  return true;
}

void CTexture::Load_Jpg(const char* filename, int id) {
  CUtility::Log("CTexture::Load_Jpg\n");
  if (filename && Load_File_Jpg(filename)) return;
  Load_Resource_Jpg(id);
}

void CTexture::Load_Resource_Tga(int id) {
  CUtility::Log("CTexture::Load_Resource_Tga(%d)\n", id);
  const platform::ResourceView resource = platform::api().resources.find(id, "tga");
  const uint8_t* p_resource = resource.data;
  const int size = int(resource.size);
  ASSERT(p_resource != NULL);
  ASSERT(size > 0);
  CUtility::Log("  size = %d\n", size);
  CTga::Header header{};
  const bool has_header = CTga::Read_Header(p_resource, resource.size, &header);
  ASSERT(has_header);
  Width = header.Width;
  Height = header.Height;
  CUtility::Log("  width = %d, height = %d, bps = %d\n", Width, Height, header.BitsPerPixel);
  uint8_t* buffer = CTga::Copy_Pixels(p_resource, resource.size, header);
  ASSERT(buffer != NULL);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  const GLenum format = header.BitsPerPixel == 32 ? GL_RGBA : GL_RGB;
  ScopedUnpackAlignment alignment(1);
  glTexImage2D(GL_TEXTURE_2D, 0, GLint(format), Width, Height, 0, format, GL_UNSIGNED_BYTE,
               buffer);
  free(buffer);
}
