// Pictures loaded through the image library into a 24-bit bitmap.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "render/PictureLoader.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

namespace {

std::string Library() {
  const char* bin = std::getenv("PLANDOR_BIN_DIR");
  return std::string(bin ? bin : ".") + "/libtolvo.so";
}

void Put32(std::string& s, uint32_t v) {
  for (int k = 0; k < 4; ++k) s += static_cast<char>((v >> (8 * k)) & 0xFF);
}

// A 3 x 2 24-bit BMP: top row red, green, blue; bottom row all grey (rows bottom-up in the file).
std::string SmallBmp() {
  std::string s = "BM";
  Put32(s, 54 + 24);
  Put32(s, 0);
  Put32(s, 54);
  Put32(s, 40);
  Put32(s, 3);
  Put32(s, 2);
  s += std::string("\x01\x00\x18\x00", 4);
  s += std::string(24, '\0');
  s += std::string("\x80\x80\x80\x80\x80\x80\x80\x80\x80\0\0\0", 12);
  s += std::string("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00\0\0\0", 12);
  return s;
}

TEST(PictureLoaderTest, ABmpBecomesATopDownBitmapOfTheSameColours) {
  CScratchDir dir;
  ASSERT_TRUE(WriteFileBytes(dir / "small.bmp", SmallBmp()));
  CDllContainer dll(Library());
  std::unique_ptr<CDib> dib = LoadPicture(dll, dir / "small.bmp");
  ASSERT_TRUE(dib);
  EXPECT_TRUE(dib->Is24Bit());
  EXPECT_EQ(dib->GetWidth(), 3);
  EXPECT_EQ(dib->GetHeight(), 2);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(dib->GetRow(0)), 9),
            std::string("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00", 9));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(dib->GetRow(1)), 9), std::string(9, '\x80'));
}

TEST(PictureLoaderTest, AJpegWrittenByTheLibraryLoadsAtItsSize) {
  CScratchDir dir;
  CDllContainer dll(Library());
  imImage* image = dll.ImAlloc(33, 17, 0, 1);
  ASSERT_NE(image, nullptr);
  for (uint32_t i = 0; i < image->pixelBytes; ++i) image->pixels[i] = 200;
  ASSERT_EQ(dll.FiSaveFile(dir / "a.jpg", image, "JPG"), 1);
  std::unique_ptr<CDib> dib = LoadPicture(dll, dir / "a.jpg");
  ASSERT_TRUE(dib);
  EXPECT_EQ(dib->GetWidth(), 33);
  EXPECT_EQ(dib->GetHeight(), 17);
  EXPECT_NEAR(dib->GetRow(16)[32 * 3], 200, 4);
}

TEST(PictureLoaderTest, AMissingFileGivesNoneWithoutAMessage) {
  CScratchDir dir;
  CScriptedPrompt prompt;
  CDllContainer dll(Library());
  EXPECT_EQ(LoadPicture(dll, dir / "missing.bmp"), nullptr);
  EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace

namespace {

// A later library may hand out other row orders and strides: the copy follows the picture's
// own layout and never leaves either block.
TEST(PictureLoaderTest, PicturesOfAnotherLayoutAreCopiedRowByRow) {
  CDllContainer dll(std::string(PLANDOR_STUB_DIR) + "libtolvo_stub_odd_picture.so");
  std::unique_ptr<CDib> dib = LoadPicture(dll, "any.bmp");
  ASSERT_TRUE(dib);
  ASSERT_EQ(dib->GetWidth(), 2);
  ASSERT_EQ(dib->GetHeight(), 3);
  EXPECT_EQ(dib->GetStride(), 8);
  // The picture's top row is the stub's last memory row (row 2: bytes 20, 21, ...).
  for (int y = 0; y < 3; ++y)
    for (int k = 0; k < 6; ++k) EXPECT_EQ(dib->GetRow(y)[k], 10 * (2 - y) + k) << y << "," << k;
}

}  // namespace
