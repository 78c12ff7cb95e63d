// CJpg: a thin layer over libjpeg's 6.2 interface. The library decodes; this
// file supplies the memory input source, the error routine that returns to
// the caller instead of exiting, the row conversion and the buffer layout.
#include "textures/jpg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "utilitylib/utility.h"

namespace {

const int STAGING_BUFFER_SIZE = 4096;

// The library's source manager extended by the state of one memory block.
struct MemorySource {
  jpeg_source_mgr pub;
  int32_t Consumed;        // bytes of the block already handed to the library
  const JOCTET* Position;  // next unread byte of the block
  JOCTET* Buffer;          // staging buffer of STAGING_BUFFER_SIZE bytes
  int32_t Size;            // total size of the block
  boolean StartOfFile;     // true until the first fill
};

void Init_Source(j_decompress_ptr cinfo) {
  reinterpret_cast<MemorySource*>(cinfo->src)->StartOfFile = TRUE;
}

// Hands over the next piece of the block. Once it is used up, a fake
// end-of-image marker ends the image the way the library's file source does
// at the end of a file, so a block without one still terminates.
boolean Fill_Input_Buffer(j_decompress_ptr cinfo) {
  MemorySource* source = reinterpret_cast<MemorySource*>(cinfo->src);
  int32_t count = source->Size - source->Consumed;
  if (count > STAGING_BUFFER_SIZE) count = STAGING_BUFFER_SIZE;
  if (count <= 0) {
    source->Buffer[0] = 0xFF;
    source->Buffer[1] = JPEG_EOI;
    count = 2;
  } else {
    memcpy(source->Buffer, source->Position, size_t(count));
    source->Position += count;
    source->Consumed += count;
  }
  source->pub.next_input_byte = source->Buffer;
  source->pub.bytes_in_buffer = size_t(count);
  source->StartOfFile = FALSE;
  return TRUE;
}

void Skip_Input_Data(j_decompress_ptr cinfo, long count) {
  if (count <= 0) return;
  jpeg_source_mgr* source = cinfo->src;
  while (count > long(source->bytes_in_buffer)) {
    count -= long(source->bytes_in_buffer);
    Fill_Input_Buffer(cinfo);
  }
  source->next_input_byte += count;
  source->bytes_in_buffer -= size_t(count);
}

void Term_Source(j_decompress_ptr) {}

// The standard error manager whose error_exit jumps back into the decode.
struct ErrorManager {
  jpeg_error_mgr pub;
  jmp_buf JumpTarget;
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void Error_Exit(j_common_ptr cinfo) {
  ErrorManager* error = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, error->Message);
  longjmp(error->JumpTarget, 1);
}

// Warnings (corrupt data the library recovers from) go to the log rather
// than to standard error.
void Output_Message(j_common_ptr cinfo) {
  char message[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, message);
  CUtility::Log("CJpg :%s\n", message);
}

// Everything one decode owns, so that the error path can release it. It lives
// in the caller's frame: its fields keep their values across the jump.
struct DecodeJob {
  jpeg_decompress_struct cinfo;
  ErrorManager error;
  FILE* file;
  const uint8_t* memory;
  int memory_size;
  uint8_t* pixels;
};

void Release(DecodeJob* job) {
  jpeg_destroy_decompress(&job->cinfo);
  if (job->file) fclose(job->file);
  job->file = nullptr;
  free(job->pixels);
  job->pixels = nullptr;
}

bool Has_Sane_Size(const jpeg_decompress_struct& cinfo) {
  const uint64_t bytes = uint64_t(cinfo.image_width) * cinfo.image_height * 3;
  if (bytes <= CJpg::MAX_PIXEL_BYTES) return true;
  CUtility::Log("CJpg :Image of %u x %u pixels is too large\n", unsigned(cinfo.image_width),
                unsigned(cinfo.image_height));
  return false;
}

bool Has_Supported_Components(const jpeg_decompress_struct& cinfo) {
  if (cinfo.output_components == 1 || cinfo.output_components == 3) return true;
  CUtility::Log("CJpg :Unsupported number of colour components (%d)\n",
                cinfo.output_components);
  return false;
}

// Writes one decoded row into the packed RGB result; grey becomes R = G = B.
void Convert_Row(const jpeg_decompress_struct& cinfo, const JSAMPLE* row, uint8_t* out) {
  const size_t width = cinfo.output_width;
  if (cinfo.output_components == 3) {
    memcpy(out, row, width * 3);
    return;
  }
  for (size_t x = 0; x < width; ++x) {
    out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = row[x];
  }
}

void Read_Rows(DecodeJob* job) {
  jpeg_decompress_struct& cinfo = job->cinfo;
  const size_t out_stride = size_t(cinfo.output_width) * 3;
  JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(
      reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
      cinfo.output_width * cinfo.output_components, 1);
  while (cinfo.output_scanline < cinfo.output_height) {
    jpeg_read_scanlines(&cinfo, row, 1);
    Convert_Row(cinfo, row[0], job->pixels + (cinfo.output_scanline - 1) * out_stride);
  }
}

// The steps shared by both decoders. Null on any failure, with everything the
// job holds released; on success the job's pixels are the caller's.
uint8_t* Run_Decode(DecodeJob* job, int* width, int* height) {
  job->cinfo.err = jpeg_std_error(&job->error.pub);
  job->error.pub.error_exit = Error_Exit;
  job->error.pub.output_message = Output_Message;
  if (setjmp(job->error.JumpTarget)) {
    CUtility::Log("CJpg :%s\n", job->error.Message);
    Release(job);
    return nullptr;
  }
  jpeg_create_decompress(&job->cinfo);
  if (job->file) {
    jpeg_stdio_src(&job->cinfo, job->file);
  } else {
    CJpg::Set_Memory_Source(&job->cinfo, job->memory, job->memory_size);
  }
  jpeg_read_header(&job->cinfo, TRUE);
  if (!Has_Sane_Size(job->cinfo)) {
    Release(job);
    return nullptr;
  }
  jpeg_start_decompress(&job->cinfo);
  if (!Has_Supported_Components(job->cinfo)) {
    Release(job);
    return nullptr;
  }
  job->pixels = static_cast<uint8_t*>(
      malloc(size_t(job->cinfo.output_width) * job->cinfo.output_height * 3));
  if (!job->pixels) {
    CUtility::Log("CJpg :Out of memory\n");
    Release(job);
    return nullptr;
  }
  Read_Rows(job);
  jpeg_finish_decompress(&job->cinfo);
  *width = int(job->cinfo.output_width);
  *height = int(job->cinfo.output_height);
  uint8_t* pixels = job->pixels;
  job->pixels = nullptr;
  Release(job);
  return pixels;
}

// Flips the decoder's rows to bottom first and pads them for the upload.
uint8_t* To_Upload_Form(uint8_t* decoded, int width, int height) {
  CJpg::Flip_Rows(decoded, width * 3, height);
  int stride = 0;
  uint8_t* aligned = CJpg::Align_Rows(decoded, width, height, &stride);
  free(decoded);
  return aligned;
}

}  // namespace

void CJpg::Set_Memory_Source(jpeg_decompress_struct* cinfo, const uint8_t* buffer, int size) {
  if (!cinfo->src) {
    j_common_ptr common = reinterpret_cast<j_common_ptr>(cinfo);
    cinfo->src = static_cast<jpeg_source_mgr*>(
        (*cinfo->mem->alloc_small)(common, JPOOL_PERMANENT, sizeof(MemorySource)));
    MemorySource* source = reinterpret_cast<MemorySource*>(cinfo->src);
    source->Buffer = static_cast<JOCTET*>(
        (*cinfo->mem->alloc_small)(common, JPOOL_PERMANENT, STAGING_BUFFER_SIZE));
  }
  MemorySource* source = reinterpret_cast<MemorySource*>(cinfo->src);
  source->pub.init_source = Init_Source;
  source->pub.fill_input_buffer = Fill_Input_Buffer;
  source->pub.skip_input_data = Skip_Input_Data;
  source->pub.resync_to_restart = jpeg_resync_to_restart;
  source->pub.term_source = Term_Source;
  source->Position = buffer;
  source->Consumed = 0;
  source->Size = size;
  source->pub.bytes_in_buffer = 0;
  source->pub.next_input_byte = nullptr;
}

uint8_t* CJpg::Decode_File(const char* filename, int* width, int* height) {
  *width = 0;
  *height = 0;
  FILE* file = fopen(filename, "rb");
  if (!file) {
    CUtility::Log("JPEG :\nCan't open %s\n", filename);
    return nullptr;
  }
  DecodeJob job{};
  job.file = file;
  return Run_Decode(&job, width, height);
}

uint8_t* CJpg::Decode_Memory(const uint8_t* membuf, int size, int* width, int* height) {
  ASSERT(membuf != NULL);
  *width = 0;
  *height = 0;
  DecodeJob job{};
  job.memory = membuf;
  job.memory_size = size;
  return Run_Decode(&job, width, height);
}

bool CJpg::Flip_Rows(uint8_t* buffer, int bytes_per_row, int rows) {
  if (!buffer || bytes_per_row <= 0) return false;
  const size_t row_size = size_t(bytes_per_row);
  uint8_t* upper = static_cast<uint8_t*>(malloc(row_size));
  uint8_t* lower = static_cast<uint8_t*>(malloc(row_size));
  if (!upper || !lower) {
    free(upper);
    free(lower);
    return false;
  }
  for (int i = 0; i < (rows + 1) / 2; ++i) {
    uint8_t* top = buffer + size_t(i) * row_size;
    uint8_t* bottom = buffer + size_t(rows - 1 - i) * row_size;
    memcpy(upper, top, row_size);
    memcpy(lower, bottom, row_size);
    memcpy(top, lower, row_size);
    memcpy(bottom, upper, row_size);
  }
  free(upper);
  free(lower);
  return true;
}

uint8_t* CJpg::Align_Rows(const uint8_t* buffer, int width, int height, int* stride) {
  if (!buffer) return nullptr;
  *stride = ((width * 24 + 31) >> 5) << 2;
  uint8_t* aligned = static_cast<uint8_t*>(malloc(size_t(*stride) * size_t(height)));
  if (!aligned) return nullptr;
  const size_t packed = size_t(width) * 3;
  for (int y = 0; y < height; ++y) {
    memcpy(aligned + size_t(y) * size_t(*stride), buffer + size_t(y) * packed, packed);
  }
  return aligned;
}

uint8_t* CJpg::Load_File(const char* filename, int* width, int* height) {
  ASSERT(filename != NULL);
  uint8_t* buffer_1 = Decode_File(filename, width, height);
  if (!buffer_1) return nullptr;
  return To_Upload_Form(buffer_1, *width, *height);
}

uint8_t* CJpg::Load_Memory(const uint8_t* buffer, int size, int* width, int* height) {
  ASSERT(buffer != NULL);
  uint8_t* buffer_1 = Decode_Memory(buffer, size, width, height);
  ASSERT(buffer_1 != NULL);
  return To_Upload_Form(buffer_1, *width, *height);
}
