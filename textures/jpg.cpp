// CJpg: a thin layer over libjpeg's 6.2 interface. The library decodes; this
// file supplies the memory input source, the error routine that returns to
// the caller instead of exiting, the limit on scans, the row conversion and
// the buffer layout.
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

// This decoder's own messages, numbered after the library's.
const int TOO_MANY_SCANS = 1000;
const char* const OWN_MESSAGES[] = {"Image has more than %d scans", nullptr};

// Warnings (corrupt data the library recovers from) go to the log rather
// than to standard error.
void Output_Message(j_common_ptr cinfo) {
  char message[JMSG_LENGTH_MAX];
  (*cinfo->err->format_message)(cinfo, message);
  CUtility::Log("CJpg :%s\n", message);
}

// Called between the steps of a decode; once the scans read exceed the limit
// the decode ends through the error manager like any other library error.
void Limit_Scans(j_common_ptr common) {
  const j_decompress_ptr cinfo = reinterpret_cast<j_decompress_ptr>(common);
  if (cinfo->input_scan_number <= CJpg::MAX_SCANS) return;
  common->err->msg_code = TOO_MANY_SCANS;
  common->err->msg_parm.i[0] = CJpg::MAX_SCANS;
  (*common->err->error_exit)(common);
}

// Where each decoded row goes: the decoder form packs rows top first; the
// upload form puts the bottom row first and pads each row to 4 bytes.
enum class RowForm { TOP_FIRST_PACKED, BOTTOM_FIRST_PADDED };

// Everything one decode owns, so that the error path can release it. It lives
// in the caller's frame: its fields keep their values across the jump.
struct DecodeJob {
  jpeg_decompress_struct cinfo;
  ErrorManager error;
  jpeg_progress_mgr progress;
  RowForm form;
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

size_t Row_Stride(RowForm form, size_t width) {
  const size_t packed = width * 3;
  return form == RowForm::TOP_FIRST_PACKED ? packed : (packed + 3) & ~size_t(3);
}

uint8_t* Row_Address(const DecodeJob& job, JDIMENSION row) {
  const jpeg_decompress_struct& cinfo = job.cinfo;
  const size_t place =
      job.form == RowForm::TOP_FIRST_PACKED ? row : cinfo.output_height - 1 - row;
  return job.pixels + place * Row_Stride(job.form, cinfo.output_width);
}

// Spreads the grey samples at the start of a row over R, G and B. The last
// pixel goes first, so no sample is overwritten before it is read.
void Widen_Grey_Row(uint8_t* row, size_t width) {
  for (size_t x = width; x-- > 0;) {
    const uint8_t grey = row[x];
    row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = grey;
  }
}

// Each row is decoded straight into its place in the result.
void Read_Rows(DecodeJob* job) {
  jpeg_decompress_struct& cinfo = job->cinfo;
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = Row_Address(*job, cinfo.output_scanline);
    jpeg_read_scanlines(&cinfo, &row, 1);
    if (cinfo.output_components == 1) Widen_Grey_Row(row, cinfo.output_width);
  }
}

void Set_Up_Error_Handling(DecodeJob* job) {
  job->cinfo.err = jpeg_std_error(&job->error.pub);
  job->error.pub.error_exit = Error_Exit;
  job->error.pub.output_message = Output_Message;
  job->error.pub.addon_message_table = OWN_MESSAGES;
  job->error.pub.first_addon_message = TOO_MANY_SCANS;
  job->error.pub.last_addon_message = TOO_MANY_SCANS;
}

// The steps shared by both decoders. Null on any failure, with everything the
// job holds released; on success the job's pixels are the caller's.
uint8_t* Run_Decode(DecodeJob* job, int* width, int* height) {
  Set_Up_Error_Handling(job);
  if (setjmp(job->error.JumpTarget)) {
    CUtility::Log("CJpg :%s\n", job->error.Message);
    Release(job);
    return nullptr;
  }
  jpeg_create_decompress(&job->cinfo);
  job->progress.progress_monitor = Limit_Scans;
  job->cinfo.progress = &job->progress;
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
  job->pixels = static_cast<uint8_t*>(malloc(
      Row_Stride(job->form, job->cinfo.output_width) * job->cinfo.output_height));
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

uint8_t* Decode_File_In(RowForm form, const char* filename, int* width, int* height) {
  *width = 0;
  *height = 0;
  FILE* file = fopen(filename, "rb");
  if (!file) {
    CUtility::Log("JPEG :\nCan't open %s\n", filename);
    return nullptr;
  }
  DecodeJob job{};
  job.form = form;
  job.file = file;
  return Run_Decode(&job, width, height);
}

uint8_t* Decode_Memory_In(RowForm form, const uint8_t* membuf, int size, int* width,
                          int* height) {
  ASSERT(membuf != NULL);
  *width = 0;
  *height = 0;
  DecodeJob job{};
  job.form = form;
  job.memory = membuf;
  job.memory_size = size;
  return Run_Decode(&job, width, height);
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
  return Decode_File_In(RowForm::TOP_FIRST_PACKED, filename, width, height);
}

uint8_t* CJpg::Decode_Memory(const uint8_t* membuf, int size, int* width, int* height) {
  return Decode_Memory_In(RowForm::TOP_FIRST_PACKED, membuf, size, width, height);
}

uint8_t* CJpg::Load_File(const char* filename, int* width, int* height) {
  ASSERT(filename != NULL);
  return Decode_File_In(RowForm::BOTTOM_FIRST_PADDED, filename, width, height);
}

uint8_t* CJpg::Load_Memory(const uint8_t* buffer, int size, int* width, int* height) {
  ASSERT(buffer != NULL);
  uint8_t* buffer_1 = Decode_Memory_In(RowForm::BOTTOM_FIRST_PADDED, buffer, size, width, height);
  ASSERT(buffer_1 != NULL);
  return buffer_1;
}
