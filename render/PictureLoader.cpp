#include "render/PictureLoader.h"

#include <cstring>

std::unique_ptr<CDib> LoadPicture(CDllContainer& dll, const std::string& path) {
  imImage* image = dll.FiLoadFile(path);
  if (!image) return nullptr;
  auto dib = std::make_unique<CDib>();
  // The library promises true colour, top row first, in rows of the bitmap's stride; a library
  // of another version is checked rather than trusted, so the copy never leaves either block.
  bool usable = (image->flags & kImTrueColor) && image->pixels && image->width > 0 && image->height > 0 &&
                image->stride >= 3u * image->width &&
                image->pixelBytes >= static_cast<uint32_t>(image->stride) * image->height &&
                dib->Create(image->width, image->height, true);
  if (!usable) {
    dll.ImFree(image);
    return nullptr;
  }
  bool bottomUp = (image->flags & kImBottomUp) != 0;
  if (!bottomUp && image->stride == static_cast<uint32_t>(dib->GetStride())) {
    std::memcpy(dib->GetBits(), image->pixels, static_cast<size_t>(image->stride) * image->height);
  } else {
    for (int32_t y = 0; y < dib->GetHeight(); ++y) {
      int32_t source = bottomUp ? dib->GetHeight() - 1 - y : y;
      std::memcpy(dib->GetRow(y), image->pixels + static_cast<size_t>(source) * image->stride, 3u * image->width);
    }
  }
  dll.ImFree(image);
  return dib;
}
