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

// The script's scans in the library's form; they live as long as `out`.
void Set_Scan_Script(jpeg_compress_struct& cinfo, const std::vector<ScanSpec>& scans,
                     std::vector<jpeg_scan_info>& out) {
  for (const ScanSpec& scan : scans) {
    jpeg_scan_info info{};
    info.comps_in_scan = int(scan.components.size());
    for (size_t i = 0; i < scan.components.size(); ++i) info.component_index[i] = scan.components[i];
    info.Ss = scan.ss;
    info.Se = scan.se;
    info.Ah = scan.ah;
    info.Al = scan.al;
    out.push_back(info);
  }
  cinfo.scan_info = out.data();
  cinfo.num_scans = int(out.size());
}

}  // namespace

std::vector<ScanSpec> Spectral_Script() {
  return {{{0, 1, 2}, 0, 0, 0, 0}, {{1}, 1, 63, 0, 0}, {{2}, 1, 63, 0, 0}, {{0}, 1, 63, 0, 0}};
}

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
  std::vector<jpeg_scan_info> script;
  if (!sample.scans.empty()) Set_Scan_Script(cinfo, sample.scans, script);
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

namespace {

// Where one scan's bytes lie: from the end of the previous scan's data (so
// that the tables sent for it come along) to the end of its own data.
struct ScanSpan {
  size_t start;
  size_t end;
};

bool Is_Marker_At(const Bytes& jpeg, size_t i) {
  if (jpeg[i] != 0xFF) return false;
  const uint8_t code = jpeg[i + 1];
  return code != 0x00 && code != 0xFF && (code < 0xD0 || code > 0xD7);
}

// Entropy-coded data runs until the next marker that is not a restart.
size_t End_Of_Scan_Data(const Bytes& jpeg, size_t from) {
  size_t i = from;
  while (i + 1 < jpeg.size() && !Is_Marker_At(jpeg, i)) ++i;
  return i + 1 < jpeg.size() ? i : jpeg.size();
}

std::vector<ScanSpan> Scan_Spans(const Bytes& jpeg) {
  std::vector<ScanSpan> spans;
  size_t previous_end = 0, i = 2;  // after the start-of-image marker
  while (i + 3 < jpeg.size() && jpeg[i] == 0xFF && jpeg[i + 1] != 0xD9) {
    const size_t segment_end = i + 2 + ((size_t(jpeg[i + 2]) << 8) | jpeg[i + 3]);
    if (jpeg[i + 1] != 0xDA) {
      i = segment_end;
      continue;
    }
    const size_t data_end = End_Of_Scan_Data(jpeg, segment_end);
    spans.push_back({previous_end ? previous_end : i, data_end});
    previous_end = i = data_end;
  }
  return spans;
}

}  // namespace

int Count_Scans(const Bytes& jpeg) { return int(Scan_Spans(jpeg).size()); }

Bytes Repeat_Last_Scan(const Bytes& jpeg, int scans) {
  const std::vector<ScanSpan> spans = Scan_Spans(jpeg);
  if (spans.empty()) return jpeg;
  const ScanSpan last = spans.back();
  Bytes out(jpeg.begin(), jpeg.begin() + last.start);
  for (int i = int(spans.size()) - 1; i < scans; ++i)
    out.insert(out.end(), jpeg.begin() + last.start, jpeg.begin() + last.end);
  out.insert(out.end(), jpeg.begin() + last.end, jpeg.end());
  return out;
}
