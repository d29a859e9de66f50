#pragma once
// What a dialog's model preview shows, read from its renderer: whether a model was drawn at all
// and the picture's bytes, so a test can see that a change of values changed the picture.
#include <cstdint>
#include <vector>

#include "dialogs/ModelPreview.h"
#include "render/Dib.h"

// Pixels that differ from the top-left one (the background); 0 when nothing was drawn.
inline int DrawnPixels(const CModelPreview& preview) {
  if (!preview.State().IsRendered() || preview.State().IsBlank()) return 0;
  const CDib& image = preview.Renderer().GetImage();
  if (!image.HasBlock() || image.GetWidth() <= 0 || image.GetHeight() <= 0) return 0;
  const int bytes = image.Is24Bit() ? 3 : 4;
  const uint8_t* corner = image.GetRow(0);
  int count = 0;
  for (int32_t y = 0; y < image.GetHeight(); ++y) {
    const uint8_t* row = image.GetRow(y);
    for (int32_t x = 0; x < image.GetWidth(); ++x)
      for (int b = 0; b < 3; ++b)
        if (row[x * bytes + b] != corner[b]) {
          ++count;
          break;
        }
  }
  return count;
}

inline std::vector<uint8_t> PictureBytes(const CModelPreview& preview) {
  const CDib& image = preview.Renderer().GetImage();
  if (!image.HasBlock()) return {};
  const uint8_t* bits = image.GetRow(0);
  return {bits, bits + static_cast<size_t>(image.GetStride()) * image.GetHeight()};
}
