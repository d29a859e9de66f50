#include "imagelib/Image.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace tolvo {

imImage* AllocImage(uint32_t width, uint32_t height, uint32_t colors, uint32_t type) {
  if (width == 0 || height == 0 || width > kImMaxSide || height > kImMaxSide) return nullptr;
  // Only the two kinds exist: another type would set both kind bits at once.
  if (type != kImTrueColor && type != kImPalette) return nullptr;
  if (type == kImPalette && (colors < 2 || colors > 4096)) return nullptr;
  uint32_t stride = type == kImTrueColor ? (3 * width + 3) & ~3u : (width + 3) & ~3u;
  uint32_t paletteBytes = type == kImTrueColor ? 0 : colors * 3;
  auto* image = static_cast<imImage*>(std::calloc(1, sizeof(imImage)));
  if (!image) return nullptr;
  // Cleared blocks: rows that a truncated file does not supply read as black, not stale memory.
  image->pixels = static_cast<uint8_t*>(std::calloc(height, stride));
  if (paletteBytes) image->palette = static_cast<uint8_t*>(std::calloc(1, paletteBytes));
  if (!image->pixels || (paletteBytes && !image->palette)) {
    FreeImage(image);
    return nullptr;
  }
  image->width = static_cast<uint16_t>(width);
  image->height = static_cast<uint16_t>(height);
  image->stride = static_cast<uint16_t>(stride);
  image->colorCount = static_cast<uint16_t>(colors);
  image->pixelBytes = stride * height;
  image->paletteBytes = static_cast<uint16_t>(paletteBytes);
  image->flags = type;
  return image;
}

void FreeImage(imImage* image) {
  if (!image) return;
  std::free(image->pixels);
  std::free(image->palette);
  std::free(image);
}

void Flip(imImage* image) {
  if (!image || image->height < 2) return;
  std::vector<uint8_t> temp;
  try {
    temp.resize(image->stride);
  } catch (...) {
    return;  // without a temporary row the image stays as it is
  }
  for (uint32_t i = 0, j = image->height - 1u; i < j; ++i, --j) {
    uint8_t* a = image->pixels + static_cast<size_t>(i) * image->stride;
    uint8_t* b = image->pixels + static_cast<size_t>(j) * image->stride;
    std::memcpy(temp.data(), a, image->stride);
    std::memcpy(a, b, image->stride);
    std::memcpy(b, temp.data(), image->stride);
  }
}

imImage* SetRowOrderFlag(imImage* image, int topDown) {
  if (!image) return nullptr;
  if (topDown)
    image->flags &= ~kImBottomUp;
  else
    image->flags |= kImBottomUp;
  return image;
}

int SetRowOrder(imImage* image, int topDown) {
  if (!image) return 0;
  bool bottomUp = IsBottomUp(image);
  if (bottomUp == !topDown) return 0;
  Flip(image);
  SetRowOrderFlag(image, topDown);
  return 1;
}

void CopyInfo(imImage* target, const imImage* source) {
  if (!target || !source) return;
  target->resolutionX = source->resolutionX;
  target->resolutionY = source->resolutionY;
  target->aspectX = source->aspectX;
  target->aspectY = source->aspectY;
  target->transparentIndex = source->transparentIndex;
}

imImage* ToTrueColor(const imImage* image) {
  if (!image || IsTrueColor(image)) return nullptr;
  imImage* out = AllocImage(image->width, image->height, 0, kImTrueColor);
  if (!out) return nullptr;
  for (uint32_t y = 0; y < image->height; ++y) {
    const uint8_t* src = image->pixels + static_cast<size_t>(y) * image->stride;
    uint8_t* dst = out->pixels + static_cast<size_t>(y) * out->stride;
    for (uint32_t x = 0; x < image->width; ++x, dst += 3) {
      uint32_t index = src[x];
      if (index >= image->colorCount || !image->palette) continue;  // stays black
      const uint8_t* rgb = image->palette + index * 3;
      dst[0] = rgb[2];
      dst[1] = rgb[1];
      dst[2] = rgb[0];
    }
  }
  out->flags |= image->flags & kImBottomUp;
  CopyInfo(out, image);
  return out;
}

}  // namespace tolvo
