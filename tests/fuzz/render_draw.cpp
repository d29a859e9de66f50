// Interprets bytes as renderer calls on a small frame: every coordinate is a raw double, so the
// rasteriser meets huge, infinite and undefined values; sanitizers catch any bad access.
#include <cstdint>
#include <cstring>

#include "config/ColorEntry.h"
#include "render/C3DStub.h"

namespace {

struct Reader {
  const uint8_t* data;
  size_t size;
  size_t pos = 0;
  bool Byte(uint8_t& out) {
    if (pos >= size) return false;
    out = data[pos++];
    return true;
  }
  bool Double(double& out) {
    if (size - pos < sizeof(double)) return false;
    std::memcpy(&out, data + pos, sizeof(double));
    pos += sizeof(double);
    return true;
  }
  bool Point(CVector3& p) { return Double(p.x) && Double(p.y) && Double(p.z); }
};

ColorEntry theFuzzColors[kColorCount];

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Reader in{data, size};
  uint8_t setup = 0;
  if (!in.Byte(setup)) return 0;
  for (int i = 0; i < kColorCount; ++i) {
    theFuzzColors[i].red = static_cast<uint8_t>(i);
    theFuzzColors[i].alpha = static_cast<uint8_t>(i * 37);
  }
  C3DStub r;
  r.EnablePickBuffer(setup & 1);
  r.SetBackgroundColor(setup & 2 ? 0x40F0F00 : 15);
  if (!r.Reset(4u * (1 + (setup >> 4)), 1 + ((setup >> 2) & 3) * 5, setup & 2)) return 0;
  r.SetColorTable(theFuzzColors);
  uint8_t op = 0;
  while (in.Byte(op)) {
    const uint32_t color = op & 0x80 ? 0x4000000u + op * 0x10101u : op & 0x7F;
    CVector3 p[4];
    switch (op % 12) {
      case 0:
        if (in.Point(p[0]) && in.Point(p[1]) && in.Point(p[2])) r.DrawTriangle(color, p[0], p[1], p[2], op);
        break;
      case 1:
        if (in.Point(p[0]) && in.Point(p[1]) && in.Point(p[2]) && in.Point(p[3]))
          r.DrawQuad(color, p[0], p[1], p[2], p[3], op);
        break;
      case 2:
        if (in.Point(p[0]) && in.Point(p[1])) r.DrawLine(color, p[0], p[1], op);
        break;
      case 3:
        if (in.Point(p[0]) && in.Point(p[1]) && in.Point(p[2]) && in.Point(p[3]))
          r.DrawOptionalLine(color, p[0], p[1], p[2], p[3], op);
        break;
      case 4: {
        double s = 0;
        if (in.Point(p[0]) && in.Double(s)) r.SetView(p[0].x, p[0].y, s);
        break;
      }
      case 5:
        if (in.Point(p[0]) && in.Point(p[1])) {
          r.FitView(static_cast<int>(r.GetWidth()), static_cast<int>(r.GetHeight()), p[0].x, p[0].y, p[0].z,
                    p[1].x, p[1].y, p[1].z);
          r.SetPerspective(op & 0x40, p[0].z, p[1].z);
        }
        break;
      case 6:
        r.SetLineWidth(op >> 4);
        r.SetSurfacesOff(op & 0x10);
        r.SetBoundingBoxMode(op & 0x20);
        break;
      case 7:
        if (in.Point(p[0])) {
          CVector3 out;
          r.TransformPoint(out, p[0], op & 0x10);
          r.DrawLine(color, out, out, op);
        }
        break;
      case 8:
        r.SaveSlot(op >> 3);
        r.SaveState();
        break;
      case 9:
        r.RestoreSlot(op >> 3);
        r.RestoreState();
        break;
      case 10:
        r.Highlight(op >> 6, op & 0x40 ? 255u : (op >> 3) & 31);
        break;
      case 11:
        r.EnablePickBuffer(op & 0x10);
        r.BeginFrame(4u * (1 + (op >> 5)), 1 + (op >> 5));
        break;
    }
  }
  return 0;
}
