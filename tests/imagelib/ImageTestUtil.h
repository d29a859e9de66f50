#pragma once
// Helpers of the image library's tests: owned images, byte builders, loading from memory.
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "imagelib/Image.h"

struct ImageDeleter {
  void operator()(imImage* image) const { tolvo::FreeImage(image); }
};
using ImagePtr = std::unique_ptr<imImage, ImageDeleter>;

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

// A top-down true-colour image whose pixel (x, y) is colour(x, y).
inline ImagePtr MakeTrueColor(uint32_t w, uint32_t h, const std::function<Rgb(uint32_t, uint32_t)>& colour) {
  ImagePtr image(tolvo::AllocImage(w, h, 0, kImTrueColor));
  for (uint32_t y = 0; y < h; ++y)
    for (uint32_t x = 0; x < w; ++x) {
      Rgb c = colour(x, y);
      uint8_t* p = image->pixels + y * image->stride + x * 3;
      p[0] = c.b, p[1] = c.g, p[2] = c.r;
    }
  return image;
}

// Pixel (x, y) counted from the picture's top, whatever the row order.
inline Rgb PixelAt(const imImage* image, uint32_t x, uint32_t y) {
  const uint8_t* row = tolvo::PictureRow(image, y);
  if (tolvo::IsTrueColor(image)) return {row[x * 3 + 2], row[x * 3 + 1], row[x * 3]};
  const uint8_t* p = image->palette + row[x] * 3;
  return {p[0], p[1], p[2]};
}
inline uint8_t IndexAt(const imImage* image, uint32_t x, uint32_t y) { return tolvo::PictureRow(image, y)[x]; }

inline void Put16(std::string& s, uint32_t v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
inline void Put32(std::string& s, uint32_t v) {
  Put16(s, v);
  Put16(s, v >> 16);
}

// The 54 bytes of a BMP file header and information header.
inline std::string BmpHeader(uint32_t w, uint32_t h, uint16_t bits, uint32_t compression, uint32_t dataOffset,
                             uint32_t headerSize = 40) {
  std::string s = "BM";
  Put32(s, 0);
  Put32(s, 0);
  Put32(s, dataOffset);
  Put32(s, headerSize);
  Put32(s, w);
  Put32(s, h);
  Put16(s, 1);
  Put16(s, bits);
  Put32(s, compression);
  Put32(s, 0);
  Put32(s, 0);
  Put32(s, 0);
  Put32(s, 0);
  Put32(s, 0);
  return s;
}

// Runs a loader over bytes held in memory.
inline ImagePtr LoadFromBytes(imImage* (*loader)(FILE*), const std::string& bytes) {
  std::string copy = bytes.empty() ? std::string(1, '\0') : bytes;
  FILE* f = fmemopen(copy.data(), bytes.size() ? bytes.size() : 1, "rb");
  if (!f) return nullptr;
  if (bytes.empty()) std::fgetc(f);  // an empty stream
  ImagePtr image(loader(f));
  std::fclose(f);
  return image;
}
