// A stand-in for the image library with a chosen version and a chosen set of exports, so that the
// binding's tests can load a library that is too old, lacks an export, or hands out pictures laid
// out otherwise than the current library does.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "imagelib/Tolvo.h"

#define STUB_EXPORT extern "C" __attribute__((visibility("default")))

#ifdef TOLVO_STUB_VERSION
STUB_EXPORT uint32_t GetDllVersion() { return TOLVO_STUB_VERSION; }
#endif

#ifndef TOLVO_STUB_WITHOUT_IMFREE
STUB_EXPORT int imFree(imImage* image) {
  if (image) {
    std::free(image->pixels);
    std::free(image);
  }
  return 0;
}
#endif

#ifdef TOLVO_STUB_ODD_PICTURE
// Every picture is 2 x 3, bottom-up, in rows of 16 bytes: row r holds bytes 10 * r + k.
STUB_EXPORT imImage* fiLoadFile(const char*) {
  auto* image = static_cast<imImage*>(std::calloc(1, sizeof(imImage)));
  image->width = 2;
  image->height = 3;
  image->stride = 16;
  image->pixelBytes = 48;
  image->flags = kImTrueColor | kImBottomUp;
  image->pixels = static_cast<uint8_t*>(std::malloc(48));
  for (int r = 0; r < 3; ++r)
    for (int k = 0; k < 16; ++k) image->pixels[r * 16 + k] = static_cast<uint8_t>(10 * r + k);
  return image;
}
#else
STUB_EXPORT imImage* fiLoadFile(const char*) { return nullptr; }
#endif
