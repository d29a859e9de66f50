// The line helpers: the pen moves they make, in order, on a device that records them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/GdiLines.h"

namespace {

class CRecordingLines : public ILinePainter {
 public:
  void MoveTo(int32_t x, int32_t y) override { moves.push_back("M" + std::to_string(x) + "," + std::to_string(y)); }
  void LineTo(int32_t x, int32_t y) override { moves.push_back("L" + std::to_string(x) + "," + std::to_string(y)); }
  std::vector<std::string> moves;
};

using Moves = std::vector<std::string>;

TEST(GdiLines, LinesAndRectanglesMoveThePenAsTheyShould) {
  struct Case {
    const char* what;
    void (*draw)(ILinePainter&, int32_t, int32_t, int32_t, int32_t);
    int32_t x1, y1, x2, y2;
    Moves moves;
  } cases[] = {
      {"line", DrawGdiLine, 1, 2, 30, -4, {"M1,2", "L30,-4"}},
      {"second line", DrawGdiLine2, -5, 0, 0, 7, {"M-5,0", "L0,7"}},
      // Clockwise from the first corner, closing on it, so that every corner is painted.
      {"rectangle", DrawGdiRect, 2, 3, 12, 8, {"M2,3", "L12,3", "L12,8", "L2,8", "L2,3"}},
      {"rectangle given backwards", DrawGdiRect, 12, 8, 2, 3, {"M12,8", "L2,8", "L2,3", "L12,3", "L12,8"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CRecordingLines dc;
    c.draw(dc, c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(dc.moves, c.moves);
  }
}

}  // namespace
