// Pictures written by the image library read the same through wxWidgets' own decoders: an
// independent check of the BMP, GIF and JPEG writers. Needs no display.
#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdlib>
#include <cstring>
#include <utility>
#include <memory>
#include <string>

#include "config/DllContainer.h"
#include "support/TestData.h"

namespace {

std::string Library() {
  const char* bin = std::getenv("PLANDOR_BIN_DIR");
  return std::string(bin ? bin : ".") + "/libtolvo.so";
}

class ImageLibraryDecodeTest : public ::testing::Test {
 protected:
  static wxInitializer& Initializer() {
    static wxInitializer initializer;
    return initializer;
  }
  static void SetUpTestSuite() {
    if (Initializer().IsOk()) wxInitAllImageHandlers();
  }
  void SetUp() override { ASSERT_TRUE(Initializer().IsOk()); }

  // A picture of w x h: true colour (type 1) or a palette of `colors` entries (type 2).
  imImage* Make(uint16_t w, uint16_t h, uint16_t colors, uint16_t type) {
    imImage* image = dll.ImAlloc(w, h, colors, type);
    uint32_t seed = 99u + w + h + colors;
    auto next = [&] { return seed = seed * 1664525u + 1013904223u, seed >> 24; };
    for (uint32_t i = 0; i < image->paletteBytes; ++i) image->palette[i] = static_cast<uint8_t>(next());
    for (uint32_t y = 0; y < h; ++y)
      for (uint32_t x = 0; x < w; ++x) {
        uint8_t* p = image->pixels + y * image->stride;
        if (type == 1) p[x * 3] = uint8_t(next()), p[x * 3 + 1] = uint8_t(next()), p[x * 3 + 2] = uint8_t(next());
        else p[x] = static_cast<uint8_t>(next() % colors);
      }
    return image;
  }
  // The colour of pixel (x, y) of a top-down library image.
  static void Colour(const imImage* image, uint32_t x, uint32_t y, uint8_t rgb[3]) {
    const uint8_t* row = image->pixels + y * image->stride;
    if (image->flags & kImTrueColor) {
      rgb[0] = row[x * 3 + 2], rgb[1] = row[x * 3 + 1], rgb[2] = row[x * 3];
    } else {
      std::memcpy(rgb, image->palette + row[x] * 3, 3);
    }
  }
  // Saves a copy of the picture, decodes the file with wxImage and compares every pixel.
  void ExpectDecodedAlike(const imImage* original, const char* format, wxBitmapType type, int tolerance) {
    imImage* copy = dll.ImAlloc(original->width, original->height, original->colorCount,
                                (original->flags & kImTrueColor) ? 1 : 2);
    std::memcpy(copy->pixels, original->pixels, original->pixelBytes);
    if (original->paletteBytes) std::memcpy(copy->palette, original->palette, original->paletteBytes);
    std::string path = dir / (std::string("picture.") + format);
    ASSERT_EQ(dll.FiSaveFile(path, copy, format), 1);
    wxLogNull quiet;
    wxImage decoded;
    ASSERT_TRUE(decoded.LoadFile(wxString::FromUTF8(path), type)) << format;
    ASSERT_EQ(decoded.GetWidth(), original->width);
    ASSERT_EQ(decoded.GetHeight(), original->height);
    for (uint32_t y = 0; y < original->height; ++y)
      for (uint32_t x = 0; x < original->width; ++x) {
        uint8_t rgb[3];
        Colour(original, x, y, rgb);
        ASSERT_NEAR(decoded.GetRed(x, y), rgb[0], tolerance) << format << " " << x << "," << y;
        ASSERT_NEAR(decoded.GetGreen(x, y), rgb[1], tolerance) << format << " " << x << "," << y;
        ASSERT_NEAR(decoded.GetBlue(x, y), rgb[2], tolerance) << format << " " << x << "," << y;
      }
  }

  CScratchDir dir;
  CDllContainer dll{Library()};
};

TEST_F(ImageLibraryDecodeTest, BmpFilesOfEveryDepthDecodeExactly) {
  for (auto [colors, type] : {std::pair<uint16_t, uint16_t>{0, 1}, {2, 2}, {16, 2}, {200, 2}}) {
    imImage* image = Make(37, 23, colors, type);
    ExpectDecodedAlike(image, "BMP", wxBITMAP_TYPE_BMP, 0);
    dll.ImFree(image);
  }
}

TEST_F(ImageLibraryDecodeTest, GifFilesOfAtMost256ColoursDecodeExactly) {
  for (uint16_t colors : {2, 3, 16, 100, 256}) {
    imImage* image = Make(301, 77, colors, 2);
    ExpectDecodedAlike(image, "GIF", wxBITMAP_TYPE_GIF, 0);
    dll.ImFree(image);
  }
}

TEST_F(ImageLibraryDecodeTest, GifFilesOfTrueColourPicturesDecodeAsTheLibraryReadsThem) {
  imImage* image = Make(64, 40, 0, 1);
  std::string path = dir / "reduced.gif";
  ASSERT_EQ(dll.FiSaveFile(path, image, "GIF"), 1);
  imImage* ours = dll.FiLoadFile(path);
  ASSERT_NE(ours, nullptr);
  wxLogNull quiet;
  wxImage decoded;
  ASSERT_TRUE(decoded.LoadFile(wxString::FromUTF8(path), wxBITMAP_TYPE_GIF));
  for (uint32_t y = 0; y < 40; ++y)
    for (uint32_t x = 0; x < 64; ++x) {
      uint8_t rgb[3];
      Colour(ours, x, y, rgb);
      ASSERT_EQ(decoded.GetRed(x, y), rgb[0]);
      ASSERT_EQ(decoded.GetGreen(x, y), rgb[1]);
      ASSERT_EQ(decoded.GetBlue(x, y), rgb[2]);
    }
  dll.ImFree(ours);
}

TEST_F(ImageLibraryDecodeTest, JpegFilesDecodeWithinTolerance) {
  // A smooth picture: JPEG keeps it close.
  imImage* image = dll.ImAlloc(96, 64, 0, 1);
  for (uint32_t y = 0; y < 64; ++y)
    for (uint32_t x = 0; x < 96; ++x) {
      uint8_t* p = image->pixels + y * image->stride + x * 3;
      p[0] = uint8_t(x * 2), p[1] = uint8_t(y * 3), p[2] = uint8_t(128 + x - y);
    }
  ExpectDecodedAlike(image, "JPG", wxBITMAP_TYPE_JPEG, 10);
  dll.ImFree(image);
}

}  // namespace
