#pragma once
// Marks that are not part of the model: a step number as big seven-segment digits rendered with
// the software renderer, which the picture and print output paste behind the model image.
// (The view names and axis arrows of a pane are drawn on the window by the 3-D view itself.)
#include <cstdint>

class C3DStub;

class CGfxStamp {
 public:
  virtual ~CGfxStamp() = default;
  // Resets the renderer to width x height (each rounded up to a multiple of 4, no shading) and
  // draws the number's digits from the left, as large as the width and the height allow. 1, or 0
  // when the renderer cannot be reset (the caller then goes without the number).
  int Draw(uint32_t number, C3DStub& renderer, uint32_t color, uint32_t width, uint32_t height);
};
