#include "dialogs/DibBitmap.h"

#include <memory>

#include "render/Dib.h"

wxImage DibToImage(const CDib& dib) {
  const int w = dib.GetWidth(), h = dib.GetHeight();
  if (!dib.HasBlock() || w <= 0 || h <= 0) return wxImage();
  wxImage image(w, h, false);
  unsigned char* out = image.GetData();
  const bool is24 = dib.Is24Bit();
  // The colour table follows the 40-byte header; unused by 24-bit pictures.
  const uint8_t* table = dib.GetBitmapInfo() + CDib::kHeaderSize;
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = dib.GetRow(y);
    for (int x = 0; x < w; ++x, out += 3) {
      const uint8_t* bgr = is24 ? row + 3 * x : table + 4 * row[x];
      out[0] = bgr[2];
      out[1] = bgr[1];
      out[2] = bgr[0];
    }
  }
  return image;
}

wxImage DibToImage(const CDib& dib, int width, int height) {
  if (width == dib.GetWidth() && height == dib.GetHeight()) return DibToImage(dib);
  // The stretch rule is the renderer's own (StretchDib), so a picture looks the same on every
  // device it is stretched to.
  std::unique_ptr<CDib> stretched = StretchDib(dib, width, height);
  return stretched ? DibToImage(*stretched) : wxImage();
}

wxBitmap DibToBitmap(const CDib& dib) {
  wxImage image = DibToImage(dib);
  return image.IsOk() ? wxBitmap(image, 24) : wxBitmap();
}

wxBitmap DibToBitmap(const CDib& dib, int width, int height) {
  wxImage image = DibToImage(dib, width, height);
  return image.IsOk() ? wxBitmap(image, 24) : wxBitmap();
}
