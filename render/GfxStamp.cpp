#include "render/GfxStamp.h"

#include <string>

#include "platform/Numbers.h"
#include "config/Tracer.h"
#include "render/C3DStub.h"

namespace {

// A digit cell is 11 units wide and 18 high (y downward). Each segment is a pointed bar: a
// triangle, a quadrilateral and a triangle.
struct Segment {
  double t1[3][2];
  double q[4][2];
  double t2[3][2];
};
enum : int { kTop, kUpperLeft, kUpperRight, kMiddle, kLowerLeft, kLowerRight, kBottom };
constexpr Segment kSegments[] = {
    {{{2, 1}, {3, 0}, {3, 2}}, {{3, 0}, {5, 0}, {5, 2}, {3, 2}}, {{5, 0}, {6, 1}, {5, 2}}},
    {{{1, 1}, {2, 2}, {0, 2}}, {{0, 2}, {2, 2}, {2, 8}, {0, 8}}, {{0, 8}, {2, 8}, {1, 9}}},
    {{{7, 1}, {8, 2}, {6, 2}}, {{6, 2}, {8, 2}, {8, 8}, {6, 8}}, {{7, 8}, {8, 8}, {6, 9}}},
    {{{2, 9}, {3, 8}, {3, 10}}, {{3, 8}, {5, 8}, {5, 10}, {3, 10}}, {{5, 8}, {6, 9}, {5, 10}}},
    {{{1, 9}, {2, 10}, {0, 10}}, {{0, 10}, {2, 10}, {2, 16}, {0, 16}}, {{0, 16}, {2, 16}, {1, 17}}},
    {{{7, 9}, {8, 10}, {6, 10}}, {{6, 10}, {8, 10}, {8, 16}, {6, 16}}, {{7, 16}, {8, 16}, {6, 17}}},
    {{{2, 17}, {3, 16}, {3, 18}}, {{3, 16}, {5, 16}, {5, 18}, {3, 18}}, {{5, 16}, {6, 17}, {5, 18}}},
};
// Segments of each digit in drawing order; -1 ends the list.
constexpr int kDigits[10][8] = {
    {kTop, kUpperLeft, kUpperRight, kLowerLeft, kLowerRight, kBottom, -1},
    {kUpperRight, kLowerRight, -1},
    {kTop, kUpperRight, kMiddle, kLowerLeft, kBottom, -1},
    {kTop, kUpperRight, kMiddle, kLowerRight, kBottom, -1},
    {kUpperLeft, kUpperRight, kMiddle, kLowerRight, -1},
    {kTop, kUpperLeft, kMiddle, kLowerRight, kBottom, -1},
    {kTop, kUpperLeft, kMiddle, kLowerLeft, kLowerRight, kBottom, -1},
    {kTop, kUpperRight, kLowerRight, -1},
    {kTop, kUpperLeft, kUpperRight, kMiddle, kLowerLeft, kLowerRight, kBottom, -1},
    {kTop, kUpperLeft, kUpperRight, kMiddle, kLowerRight, kBottom, -1},
};

}  // namespace

int CGfxStamp::Draw(uint32_t number, C3DStub& renderer, uint32_t color, uint32_t width, uint32_t height) {
  const std::string text = StrPrintf("%u", number);
  const size_t n = text.size();
  double unit = static_cast<double>(width) / (11.0 * static_cast<double>(n));
  if (unit > height / 21.0) unit = height / 21.0;
  // A frame that cannot be had is no reason to end the program: the picture just has no number.
  if (!renderer.Reset((width + 3) & ~3u, (height + 3) & ~3u, 0)) {
    theTracer.Printf("GfxNumber::Draw: Stub.Reset(...) failed!\n");
    return 0;
  }
  renderer.SetView(0, 0, 1);
  for (size_t k = 0; k < n; ++k) {
    const double left = 11.0 * static_cast<double>(k);
    auto at = [&](const double (&p)[2]) { return CVector3(unit * (left + p[0]), unit * p[1], 0); };
    for (const int* s = kDigits[text[k] - '0']; *s >= 0; ++s) {
      const Segment& g = kSegments[*s];
      renderer.DrawTriangle(color, at(g.t1[0]), at(g.t1[1]), at(g.t1[2]), 0);
      renderer.DrawQuad(color, at(g.q[0]), at(g.q[1]), at(g.q[2]), at(g.q[3]), 0);
      renderer.DrawTriangle(color, at(g.t2[0]), at(g.t2[1]), at(g.t2[2]), 0);
    }
  }
  return 1;
}
