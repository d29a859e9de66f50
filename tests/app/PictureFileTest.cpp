// Pictures written through wxImage's encoders read back with the same size, and with the same
// pixels where the format loses nothing. Needs no display.
#include <gtest/gtest.h>
#include <wx/image.h>
#include <wx/init.h>

#include <filesystem>
#include <string>

#include "app/PictureFile.h"
#include "support/TestData.h"

namespace {

class PictureFileTest : public ::testing::Test {
 protected:
  static wxInitializer& Initializer() {
    static wxInitializer initializer;
    return initializer;
  }
  static void SetUpTestSuite() {
    if (Initializer().IsOk()) wxInitAllImageHandlers();
  }
  void SetUp() override { ASSERT_TRUE(Initializer().IsOk()); }

  // A width that needs row padding; `colours` distinct colours in a seeded pattern.
  static void Fill(CDib& dib, int w, int h, int colours) {
    ASSERT_TRUE(dib.Create(w, h, true));
    uint32_t seed = 7;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        seed = seed * 1664525u + 1013904223u;
        const uint32_t c = (seed >> 16) % static_cast<uint32_t>(colours);
        uint8_t* p = dib.GetRow(y) + x * 3;
        p[0] = static_cast<uint8_t>(c * 7);
        p[1] = static_cast<uint8_t>(c * 13 + (c >> 8));
        p[2] = static_cast<uint8_t>(c);
      }
  }
  // Largest difference of any channel between the picture and the file read back.
  static int MaxDifference(const CDib& dib, const wxImage& image) {
    int worst = 0;
    for (int y = 0; y < dib.GetHeight(); ++y)
      for (int x = 0; x < dib.GetWidth(); ++x) {
        const uint8_t* p = dib.GetRow(y) + x * 3;
        const int d[3] = {image.GetRed(x, y) - p[2], image.GetGreen(x, y) - p[1], image.GetBlue(x, y) - p[0]};
        for (int v : d) worst = std::max(worst, std::abs(v));
      }
    return worst;
  }
  CScratchDir dir;
};

TEST_F(PictureFileTest, EveryFormatReadsBackWithItsSizeAndLosslessOnesWithTheirPixels) {
  struct Case {
    const char* word;
    const char* name;
    int colours;
    int tolerance;  // -1: size only
  } cases[] = {
      {"BMP", "a.bmp", 4000, 0}, {"PNG", "a.png", 4000, 0},  {"TIFF", "a.tif", 4000, 0},
      {"GIF", "a.gif", 200, 0},  // 256 colours or fewer keep their exact palette
      {"GIF", "b.gif", 4000, -1}, {"JPEG", "a.jpg", 4000, -1},
      {"jpeg", "c.jpg", 50, -1},  // the word's case does not matter
  };
  for (const Case& c : cases) {
    CDib dib;
    Fill(dib, 37, 23, c.colours);
    const std::string path = (std::filesystem::path(dir.Path()) / c.name).string();
    ASSERT_EQ(SavePictureFile(path, dib, c.word), 1) << c.word;
    wxImage back;
    ASSERT_TRUE(back.LoadFile(wxString::FromUTF8(path))) << c.word;
    EXPECT_EQ(back.GetWidth(), 37) << c.word;
    EXPECT_EQ(back.GetHeight(), 23) << c.word;
    if (c.tolerance >= 0) {
      EXPECT_LE(MaxDifference(dib, back), c.tolerance) << c.word;
    }
  }
}

TEST_F(PictureFileTest, UnknownFormatOrEmptyPictureWritesNothing) {
  CDib dib;
  Fill(dib, 8, 8, 3);
  const std::string path = (std::filesystem::path(dir.Path()) / "x.pic").string();
  EXPECT_EQ(SavePictureFile(path, dib, "PICT"), 0);
  EXPECT_EQ(SavePictureFile(path, dib, ""), 0);
  EXPECT_FALSE(std::filesystem::exists(path));
  CDib empty;
  EXPECT_EQ(SavePictureFile(path, empty, "PNG"), 0);
  EXPECT_FALSE(std::filesystem::exists(path));
  for (const char* word : kPictureFormatWords) EXPECT_TRUE(HasPictureEncoder(word)) << word;
  EXPECT_FALSE(HasPictureEncoder("image/png"));
}

}  // namespace
