#include <gtest/gtest.h>

#include "render/C3DStub.h"
#include "render/GfxStamp.h"

namespace {

struct Probe {
  int x, y;
  bool covered;
};

// Renders the number with colour 4 made opaque for the test; true where a probe finds the pixel
// drawn as expected.
void ExpectDigits(uint32_t number, uint32_t w, uint32_t h, std::initializer_list<Probe> probes) {
  const ColorEntry keep = theDefaultColors[4];
  theDefaultColors[4].red = 200, theDefaultColors[4].alpha = 255;
  C3DStub r;
  r.EnablePickBuffer(1);
  ASSERT_EQ(CGfxStamp().Draw(number, r, 4, w, h), 1);
  EXPECT_EQ(r.GetWidth(), (w + 3) & ~3u);
  EXPECT_EQ(r.GetHeight(), (h + 3) & ~3u);
  for (const Probe& p : probes)
    EXPECT_EQ(r.GetPickId(p.x, p.y) == 0, p.covered) << number << " at " << p.x << "," << p.y;
  theDefaultColors[4] = keep;
}

TEST(GfxStamp, SevenInAUnitTenCellShowsTopAndRightSegments) {
  // Unit 10: 110 / 11 and 210 / 21 agree; segments are 20 pixels thick.
  ExpectDigits(7, 110, 210,
               {{40, 10, true}, {70, 50, true}, {70, 130, true},  // top, upper and lower right
                {10, 50, false}, {40, 90, false}, {10, 130, false}, {40, 170, false},
                {40, 1, true}, {40, 19, true}, {40, 21, false}});  // top bar 20 pixels thick
}

TEST(GfxStamp, TwelveTakesTheWidthLimit) {
  // Unit 100 / 22: digit 1 upper right at 27-36 pixels, digit 2's top at 64-73 across.
  ExpectDigits(12, 100, 1000, {{31, 20, true}, {68, 4, true}, {5, 20, false}, {68, 60, false}});
}

TEST(GfxStamp, ZeroIsOneDigitWithoutItsMiddle) {
  ExpectDigits(0, 110, 210, {{40, 10, true}, {10, 50, true}, {40, 90, false}, {40, 170, true}, {150, 10, false}});
}

}  // namespace
