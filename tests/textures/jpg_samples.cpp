#include "jpg_samples.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

J_COLOR_SPACE Colour_Space(int components) {
  switch (components) {
    case 1: return JCS_GRAYSCALE;
    case 4: return JCS_CMYK;
    default: return JCS_RGB;
  }
}

void Fill_Row(const JpegSample& sample, int y, std::vector<JSAMPLE>& row) {
  for (int x = 0; x < sample.width; ++x) {
    const Rgb colour = sample.pixel(x, y);
    const JSAMPLE channels[4] = {colour.r, colour.g, colour.b, 255};
    for (int c = 0; c < sample.components; ++c) row[size_t(x * sample.components + c)] = channels[c];
  }
}

}  // namespace

Bytes Encode_Jpeg(const JpegSample& sample) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr error{};
  cinfo.err = jpeg_std_error(&error);
  jpeg_create_compress(&cinfo);
  unsigned char* output = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &output, &size);
  cinfo.image_width = JDIMENSION(sample.width);
  cinfo.image_height = JDIMENSION(sample.height);
  cinfo.input_components = sample.components;
  cinfo.in_color_space = Colour_Space(sample.components);
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, sample.quality, TRUE);
  if (sample.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<JSAMPLE> row(size_t(sample.width * sample.components));
  while (cinfo.next_scanline < cinfo.image_height) {
    Fill_Row(sample, int(cinfo.next_scanline), row);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes bytes(output, output + size);
  free(output);
  return bytes;
}

Bytes Encode_Quadrants(int width, int height) {
  JpegSample sample;
  sample.width = width;
  sample.height = height;
  sample.pixel = [width, height](int x, int y) {
    const bool right = x >= width / 2, bottom = y >= height / 2;
    if (!bottom) return right ? Rgb{0, 255, 0} : Rgb{255, 0, 0};
    return right ? Rgb{255, 255, 255} : Rgb{0, 0, 255};
  };
  return Encode_Jpeg(sample);
}

std::string As_String(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

void FreeBuffer::operator()(uint8_t* buffer) const { free(buffer); }

void Patch_Frame_Size(Bytes& jpeg, int width, int height) {
  for (size_t i = 0; i + 9 < jpeg.size(); ++i) {
    if (jpeg[i] != 0xFF || (jpeg[i + 1] != 0xC0 && jpeg[i + 1] != 0xC2)) continue;
    jpeg[i + 5] = uint8_t(height >> 8);
    jpeg[i + 6] = uint8_t(height);
    jpeg[i + 7] = uint8_t(width >> 8);
    jpeg[i + 8] = uint8_t(width);
    return;
  }
}
