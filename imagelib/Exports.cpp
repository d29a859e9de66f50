// The library's exported entry points: format table, detection and dispatch.
#include <strings.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "imagelib/Image.h"

namespace tolvo {
namespace {

struct FormatRow {
  const char* name;
  imImage* (*load)(FILE*);
  int (*save)(const char*, const imImage*);
  const char* filter;
};

const FormatRow kFormats[] = {
    {"Unknown", nullptr, nullptr, ""},
    {"GIF", LoadGif, SaveGif, "*.gif"},
    {"BMP", LoadBmp, SaveBmp, "*.bmp;*.rle"},
    {"JPG", LoadJpg, SaveJpg, "*.jpg"},
};

// Case-insensitive search in the file name part only, so that a dotted folder name
// ("x.gif.d/photo") does not decide the format.
bool NameContains(const std::string& path, const char* needle) {
  std::string name = path.substr(path.find_last_of('/') + 1);
  for (char& c : name)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return name.find(needle) != std::string::npos;
}

}  // namespace

int DetectFormat(const char* path) {
  if (!path) return 0;
  FILE* f = std::fopen(path, "rb");
  if (!f) return 0;
  unsigned char head[10];
  size_t got = std::fread(head, 1, sizeof head, f);
  std::fclose(f);
  if (got < sizeof head) return 0;
  if (std::memcmp(head, "GIF", 3) == 0) return 1;
  if (std::memcmp(head, "BM", 2) == 0) return 2;
  if (std::memcmp(head + 6, "JFIF", 4) == 0) return 3;
  // Exif and other JPEGs carry no "JFIF" but always begin with the SOI marker and another marker.
  if (head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return 3;
  std::string copy = path;  // the caller's text is never changed
  if (NameContains(copy, ".GIF")) return 1;
  if (NameContains(copy, ".BMP") || NameContains(copy, ".RLE")) return 2;
  if (NameContains(copy, ".JPG")) return 3;
  return 0;
}

}  // namespace tolvo

using namespace tolvo;

uint32_t GetDllVersion() { return kTolvoVersion; }

imImage* imAlloc(uint16_t width, uint16_t height, uint16_t colors, uint16_t type) {
  return AllocImage(width, height, colors, type);
}

int imFree(imImage* image) {
  FreeImage(image);
  return 0;
}

imImage* fiLoadFile(const char* path) {
  int format = DetectFormat(path);
  imImage* image = nullptr;
  if (format > 0) {
    if (FILE* f = std::fopen(path, "rb")) {
      // A larger buffer than the default: pictures are read in small pieces.
      static char buffer[65536];
      std::setvbuf(f, buffer, _IOFBF, sizeof buffer);
      try {
        image = kFormats[format].load(f);
      } catch (...) {
        image = nullptr;  // out of memory: nothing may leave the library as an exception
      }
      std::fclose(f);
    }
  }
  if (image && !IsTrueColor(image)) {
    imImage* rgb = ToTrueColor(image);
    FreeImage(image);
    image = rgb;
  }
  SetRowOrder(image, 1);
  FreeWork();
  return image;
}

int fiSaveFile(const char* path, imImage* image, const char* format) {
  int row = 0;
  for (int i = 1; i < 4 && format; ++i)
    if (strcasecmp(format, kFormats[i].name) == 0) row = i;
  if (row == 0 || !image) {
    FreeWork();
    return 0;
  }
  int result = 0;
  if (row == 1) {
    // GIF holds at most 256 colours: reduce first (a small palette image passes unchanged).
    imImage* reduced = nullptr;
    try {
      reduced = ReduceColors(image, 256);
    } catch (...) {
      reduced = nullptr;
    }
    if (!reduced) {
      FreeImage(image);
      FreeWork();
      return 0;
    }
    image = reduced;
  }
  try {
    result = kFormats[row].save(path, image);
  } catch (...) {
    result = 0;
  }
  FreeImage(image);
  FreeWork();
  return result;
}
