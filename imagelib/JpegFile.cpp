// JPEG files through libjpeg. Both directions install an error manager that jumps back to the
// caller, so a library error ends the call with a failure instead of ending the process.
// Between setjmp and longjmp only plain C objects live: no destructor is ever skipped.
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include <jpeglib.h>

#include "imagelib/Image.h"
#include "imagelib/OutputFile.h"

namespace tolvo {
namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  jmp_buf jump;
};

void ErrorExit(j_common_ptr info) {
  auto* err = reinterpret_cast<ErrorManager*>(info->err);
  std::longjmp(err->jump, 1);
}

// Warnings and trace messages are dropped.
void OutputMessage(j_common_ptr) {}

void InstallErrorManager(ErrorManager& err) {
  jpeg_std_error(&err.pub);
  err.pub.error_exit = ErrorExit;
  err.pub.output_message = OutputMessage;
  err.pub.trace_level = 0;
}

}  // namespace

imImage* LoadJpg(FILE* in) {
  jpeg_decompress_struct info;
  ErrorManager err;
  // volatile: the value must survive the jump back.
  imImage* volatile image = nullptr;
  std::memset(&info, 0, sizeof info);
  info.err = jpeg_std_error(&err.pub);
  InstallErrorManager(err);
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    FreeImage(image);
    return nullptr;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, in);
  jpeg_read_header(&info, TRUE);
  // Refuse oversized pictures before the library allocates anything for them.
  if (info.image_width == 0 || info.image_height == 0 || info.image_width > kImMaxSide ||
      info.image_height > kImMaxSide) {
    jpeg_destroy_decompress(&info);
    return nullptr;
  }
  bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
  info.out_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  info.quantize_colors = FALSE;
  jpeg_start_decompress(&info);
  image = AllocImage(info.output_width, info.output_height, grey ? 256 : 0, grey ? kImPalette : kImTrueColor);
  uint32_t components = static_cast<uint32_t>(info.output_components);
  if (!image || components != (grey ? 1u : 3u)) {
    jpeg_destroy_decompress(&info);
    FreeImage(image);
    return nullptr;
  }
  if (grey)
    for (int i = 0; i < 256; ++i) std::memset(image->palette + i * 3, i, 3);
  // Rows are filled top-down straight away: the caller wants them in that order anyway.
  SetRowOrderFlag(image, 1);
  while (info.output_scanline < info.output_height) {
    uint8_t* row = image->pixels + static_cast<size_t>(info.output_scanline) * image->stride;
    JSAMPROW rows[1] = {row};
    if (jpeg_read_scanlines(&info, rows, 1) != 1) break;
    if (!grey)
      for (uint32_t x = 0; x < image->width; ++x) std::swap(row[x * 3], row[x * 3 + 2]);  // RGB to BGR
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  image->resolutionX = image->resolutionY = 0;
  image->aspectX = image->aspectY = 0;
  return image;
}

namespace {

// The compression itself; 1 when it ran to its end. Kept free of C++ objects (see above).
int Compress(FILE* out, const imImage* image, uint8_t* row) {
  jpeg_compress_struct info;
  ErrorManager err;
  std::memset(&info, 0, sizeof info);
  info.err = jpeg_std_error(&err.pub);
  InstallErrorManager(err);
  if (setjmp(err.jump)) {
    jpeg_destroy_compress(&info);
    return 0;
  }
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, out);
  info.image_width = image->width;
  info.image_height = image->height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  info.data_precision = 8;
  info.write_JFIF_header = TRUE;
  jpeg_set_quality(&info, 75, FALSE);
  jpeg_start_compress(&info, TRUE);
  for (uint32_t y = 0; y < image->height; ++y) {
    const uint8_t* src = PictureRow(image, y);
    for (uint32_t x = 0; x < image->width; ++x) {
      row[x * 3 + 0] = src[x * 3 + 2];
      row[x * 3 + 1] = src[x * 3 + 1];
      row[x * 3 + 2] = src[x * 3 + 0];
    }
    JSAMPROW rows[1] = {row};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return 1;
}

}  // namespace

int SaveJpg(const char* path, const imImage* image) {
  if (!image) return 0;
  imImage* converted = nullptr;
  if (!IsTrueColor(image)) {
    converted = ToTrueColor(image);
    if (!converted) return 0;
    image = converted;
  }
  int result = 0;
  COutputFile out;
  if (FILE* f = out.Open(path)) {
    std::vector<uint8_t> row(static_cast<size_t>(image->width) * 3);
    result = Compress(f, image, row.data());
    if (result) result = out.Commit() ? 1 : 0;
  }
  FreeImage(converted);
  return result;
}

}  // namespace tolvo
