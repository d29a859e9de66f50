// The line helpers on a wx device context: the pixels they paint with the context's pen.
#include <gtest/gtest.h>
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <string>

#include "GuiTest.h"
#include "app/WxLinePainter.h"

namespace {

// The picture as rows of '#' (painted) and '.' (background).
std::string Rows(const wxImage& image) {
  std::string rows;
  for (int y = 0; y < image.GetHeight(); ++y) {
    for (int x = 0; x < image.GetWidth(); ++x) rows += image.GetRed(x, y) == 0 ? '#' : '.';
    rows += '\n';
  }
  return rows;
}

template <typename Draw>
std::string Paint(Draw draw) {
  wxBitmap picture(8, 6, 24);
  {
    wxMemoryDC dc(picture);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(wxPen(*wxBLACK, 1));
    CWxLinePainter painter(dc);
    draw(painter);
    dc.SelectObject(wxNullBitmap);
  }
  return Rows(picture.ConvertToImage());
}

TEST(WxLinePainter, LinesLeaveOutTheirEndAndRectanglesCloseTheirOutline) {
  REQUIRE_GUI();
  // A horizontal line from x 1 to x 5 paints 1 to 4.
  EXPECT_EQ(Paint([](ILinePainter& dc) { DrawGdiLine(dc, 1, 1, 5, 1); }),
            "........\n"
            ".####...\n"
            "........\n"
            "........\n"
            "........\n"
            "........\n");
  EXPECT_EQ(Paint([](ILinePainter& dc) { DrawGdiLine2(dc, 6, 0, 6, 4); }),
            "......#.\n"
            "......#.\n"
            "......#.\n"
            "......#.\n"
            "........\n"
            "........\n");
  // The outline through both corners given, the inside untouched.
  EXPECT_EQ(Paint([](ILinePainter& dc) { DrawGdiRect(dc, 1, 1, 6, 4); }),
            "........\n"
            ".######.\n"
            ".#....#.\n"
            ".#....#.\n"
            ".######.\n"
            "........\n");
}

}  // namespace
