#pragma once
// The library's own operations on image records, shared by the format readers and writers.
#include <cstdio>

#include "imagelib/Tolvo.h"

namespace tolvo {

// imAlloc's checks and layout; null on refusal.
imImage* AllocImage(uint32_t width, uint32_t height, uint32_t colors, uint32_t type);
void FreeImage(imImage* image);

// Reverses the row order when the bottom-up flag differs from the wanted order (1 top-down,
// 0 bottom-up). 0 when nothing was to be done or there is no image.
int SetRowOrder(imImage* image, int topDown);
imImage* SetRowOrderFlag(imImage* image, int topDown);
void Flip(imImage* image);
void CopyInfo(imImage* target, const imImage* source);
// A new true-colour image with every index replaced by its colour; indexes past the palette
// become black. Null for a true-colour image or without memory.
imImage* ToTrueColor(const imImage* image);

inline bool IsTrueColor(const imImage* image) { return (image->flags & kImTrueColor) != 0; }
inline bool IsBottomUp(const imImage* image) { return (image->flags & kImBottomUp) != 0; }
// The memory row that holds row y of the picture counted from its top.
inline uint8_t* PictureRow(const imImage* image, uint32_t y) {
  uint32_t row = IsBottomUp(image) ? image->height - 1u - y : y;
  return image->pixels + static_cast<size_t>(row) * image->stride;
}

// The formats. Loaders read from an open stream (so that tests and fuzzers can hand them memory);
// writers create the file through COutputFile.
imImage* LoadBmp(FILE* in);
imImage* LoadGif(FILE* in);
imImage* LoadJpg(FILE* in);
int SaveBmp(const char* path, const imImage* image);
int SaveGif(const char* path, const imImage* image);
int SaveJpg(const char* path, const imImage* image);

// Colour reduction for palette output: a palette image of at most n colours; the source is
// released when a new image is returned. Null on failure (the source is then kept).
imImage* ReduceColors(imImage* image, int n);
// Releases the reduction's work buffers.
void FreeWork();

// Format detection: 0 unknown, 1 GIF, 2 BMP, 3 JPEG. The path is not changed.
int DetectFormat(const char* path);

}  // namespace tolvo
