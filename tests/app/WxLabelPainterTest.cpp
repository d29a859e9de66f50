// The wx painter of the view labels: what it draws lands where the layout says, in the colours
// given, and the device context is left as it was found.
#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include "GuiTest.h"
#include "app/WxLabelPainter.h"

namespace {

constexpr LabelRgb kBlue{0, 0, 200}, kYellow{255, 255, 0}, kGrey{90, 90, 90};

bool Same(const wxImage& image, int x, int y, LabelRgb c) {
  return image.GetRed(x, y) == c.r && image.GetGreen(x, y) == c.g && image.GetBlue(x, y) == c.b;
}

int Count(const wxImage& image, int x0, int y0, int x1, int y1, LabelRgb c) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += Same(image, x, y, c);
  return n;
}

TEST(WxLabelPainter, DrawsWhereTheLayoutSaysAndRestoresTheContext) {
  REQUIRE_GUI();
  wxBitmap picture(120, 80, 24);
  {
    wxMemoryDC dc(picture);
    dc.SetBackground(wxBrush(wxColour(kGrey.r, kGrey.g, kGrey.b)));
    dc.Clear();
    const wxFont before = dc.GetFont();
    const int modeBefore = dc.GetBackgroundMode();
    {
      CWxLabelPainter painter(dc, CWxLabelPainter::MakeLabelFont());
      const LabelSize size = painter.MeasureText("Front");
      EXPECT_GT(size.width, 0);
      EXPECT_GT(size.height, 0);
      EXPECT_GT(painter.MeasureText("FrontFront").width, size.width);
      // A box on the blue background, wider than the text: its edges stay blue.
      painter.DrawCenteredText("Front", {0, 0}, {size.width + 20, size.height + 10}, kYellow, kBlue);
      const LabelPoint line[] = {{60, 60}, {100, 60}, {100, 75}};
      painter.DrawPolyline(line, 3, 2, kYellow);
    }
    EXPECT_EQ(dc.GetBackgroundMode(), modeBefore);
    EXPECT_EQ(dc.GetFont().IsOk(), before.IsOk());
    if (before.IsOk()) {
      EXPECT_TRUE(dc.GetFont() == before);
    }
    dc.SelectObject(wxNullBitmap);
  }
  const wxImage image = picture.ConvertToImage();
  // Some yellow text on a blue box in the top-left corner, nothing of it beyond the box.
  EXPECT_GT(Count(image, 0, 0, 60, 30, kYellow), 0);
  EXPECT_GT(Count(image, 0, 0, 60, 30, kBlue), 0);
  EXPECT_TRUE(Same(image, 100, 5, kGrey));
  // The two-pixel line along its path, and not far beside it.
  EXPECT_TRUE(Same(image, 80, 60, kYellow));
  EXPECT_TRUE(Same(image, 100, 68, kYellow));
  EXPECT_TRUE(Same(image, 80, 66, kGrey));
  EXPECT_TRUE(Same(image, 30, 60, kGrey));
}

}  // namespace
