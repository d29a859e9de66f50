#pragma once
// One of the image library's readers over arbitrary bytes: no input may read or write outside a
// buffer. A picture that loads is converted and turned over as fiLoadFile does, which walks every
// pixel; that is skipped for the largest sizes, which a few bytes may claim, to keep each run short.
#include <cstdint>
#include <cstdio>
#include <string>

#include "imagelib/Image.h"

inline int FuzzTolvoLoader(const uint8_t* data, size_t size, imImage* (*load)(FILE*)) {
  if (size == 0) return 0;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  FILE* in = fmemopen(bytes.data(), bytes.size(), "rb");
  if (!in) return 0;
  imImage* image = load(in);
  std::fclose(in);
  if (image && uint32_t(image->width) * image->height > (1u << 22)) {
    tolvo::FreeImage(image);
    image = nullptr;
  }
  if (image && !tolvo::IsTrueColor(image)) {
    imImage* rgb = tolvo::ToTrueColor(image);
    tolvo::FreeImage(image);
    image = rgb;
  }
  tolvo::SetRowOrder(image, 1);
  tolvo::FreeImage(image);
  tolvo::FreeWork();
  return 0;
}
