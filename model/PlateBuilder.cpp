// Plates, bricks and baseplates of any size, written as LDraw text lines of primitives and studs.
#include <algorithm>
#include <string>

#include "config/Tracer.h"
#include "model/GeneratorFile.h"
#include "platform/Numbers.h"

namespace {

struct P {
  int x, y, z;
};

std::string Sub(P p, const char* matrix, const char* file) {
  return StrPrintf("1 16 %d %d %d %s %s\n", p.x, p.y, p.z, matrix, file);
}
std::string Edge(P a, P b) { return StrPrintf("2 24 %d %d %d %d %d %d\n", a.x, a.y, a.z, b.x, b.y, b.z); }
std::string Quad(P a, P b, P c, P d) {
  return StrPrintf("4 16 %d %d %d %d %d %d %d %d %d %d %d %d\n", a.x, a.y, a.z, b.x, b.y, b.z, c.x, c.y, c.z,
                   d.x, d.y, d.z);
}

// The baseplate: rounded corners of radius 4, no underside.
void ThinPlate(std::vector<std::string>& out, int X, int Z, int H) {
  for (int y : {H, 0}) {
    out.push_back(Sub({X - 4, y, Z - 4}, "4 0 0 0 1 0 0 0 4", "1-4edge.dat"));
    out.push_back(Edge({X, y, Z - 4}, {X, y, 4 - Z}));
    out.push_back(Sub({X - 4, y, 4 - Z}, "4 0 0 0 1 0 0 0 -4", "1-4edge.dat"));
    out.push_back(Edge({X - 4, y, -Z}, {4 - X, y, -Z}));
    out.push_back(Sub({4 - X, y, 4 - Z}, "-4 0 0 0 1 0 0 0 -4", "1-4edge.dat"));
    out.push_back(Edge({-X, y, 4 - Z}, {-X, y, Z - 4}));
    out.push_back(Sub({4 - X, y, Z - 4}, "-4 0 0 0 1 0 0 0 4", "1-4edge.dat"));
    out.push_back(Edge({4 - X, y, Z}, {X - 4, y, Z}));
  }
  const int h = H;
  out.push_back(Sub({X - 4, h, Z - 4}, "4 0 0 0 -1 0 0 0 4", "1-4disc.dat"));
  out.push_back(Quad({X, h, Z - 4}, {X, h, 4 - Z}, {X - 4, h, 4 - Z}, {X - 4, h, Z - 4}));
  out.push_back(Sub({X - 4, h, 4 - Z}, "4 0 0 0 -1 0 0 0 -4", "1-4disc.dat"));
  out.push_back(Quad({X - 4, h, -Z}, {4 - X, h, -Z}, {4 - X, h, 4 - Z}, {X - 4, h, 4 - Z}));
  out.push_back(Sub({4 - X, h, 4 - Z}, "-4 0 0 0 -1 0 0 0 -4", "1-4disc.dat"));
  out.push_back(Quad({-X, h, 4 - Z}, {-X, h, Z - 4}, {4 - X, h, Z - 4}, {4 - X, h, 4 - Z}));
  out.push_back(Sub({4 - X, h, Z - 4}, "-4 0 0 0 -1 0 0 0 4", "1-4disc.dat"));
  out.push_back(Quad({4 - X, h, Z}, {X - 4, h, Z}, {X - 4, h, Z - 4}, {4 - X, h, Z - 4}));
  out.push_back(Sub({X - 4, 0, Z - 4}, "4 0 0 0 1 0 0 0 4", "1-4disc.dat"));
  out.push_back(Quad({X, 0, 4 - Z}, {X, 0, Z - 4}, {X - 4, 0, Z - 4}, {X - 4, 0, 4 - Z}));
  out.push_back(Sub({X - 4, 0, 4 - Z}, "4 0 0 0 1 0 0 0 -4", "1-4disc.dat"));
  out.push_back(Quad({4 - X, 0, -Z}, {X - 4, 0, -Z}, {X - 4, 0, 4 - Z}, {4 - X, 0, 4 - Z}));
  out.push_back(Sub({4 - X, 0, 4 - Z}, "-4 0 0 0 1 0 0 0 -4", "1-4disc.dat"));
  out.push_back(Quad({-X, 0, Z - 4}, {-X, 0, 4 - Z}, {4 - X, 0, 4 - Z}, {4 - X, 0, Z - 4}));
  out.push_back(Sub({4 - X, 0, Z - 4}, "-4 0 0 0 1 0 0 0 4", "1-4disc.dat"));
  out.push_back(Quad({X - 4, 0, Z}, {4 - X, 0, Z}, {4 - X, 0, Z - 4}, {X - 4, 0, Z - 4}));
  const std::string hs = StrPrintf("%d", H);
  auto cyl = [&](int a, int i) { return StrPrintf("%d 0 0 0 %s 0 0 0 %d", a, hs.c_str(), i); };
  out.push_back(Sub({X - 4, 0, Z - 4}, cyl(4, 4).c_str(), "1-4cyli.dat"));
  out.push_back(Quad({X, 0, Z - 4}, {X, 0, 4 - Z}, {X, H, 4 - Z}, {X, H, Z - 4}));
  out.push_back(Sub({X - 4, 0, 4 - Z}, cyl(4, -4).c_str(), "1-4cyli.dat"));
  out.push_back(Quad({X - 4, 0, -Z}, {4 - X, 0, -Z}, {4 - X, H, -Z}, {X - 4, H, -Z}));
  out.push_back(Sub({4 - X, 0, 4 - Z}, cyl(-4, -4).c_str(), "1-4cyli.dat"));
  out.push_back(Quad({-X, 0, 4 - Z}, {-X, 0, Z - 4}, {-X, H, Z - 4}, {-X, H, 4 - Z}));
  out.push_back(Sub({4 - X, 0, Z - 4}, cyl(-4, 4).c_str(), "1-4cyli.dat"));
  out.push_back(Quad({4 - X, 0, Z}, {X - 4, 0, Z}, {X - 4, H, Z}, {4 - X, H, Z}));
  out.push_back(Quad({4 - X, 0, 4 - Z}, {X - 4, 0, 4 - Z}, {X - 4, 0, Z - 4}, {4 - X, 0, Z - 4}));
  out.push_back(Quad({4 - X, H, Z - 4}, {X - 4, H, Z - 4}, {X - 4, H, 4 - Z}, {4 - X, H, 4 - Z}));
}

// A plate or brick: square corners, hollow underside with tubes.
void ThickPlate(std::vector<std::string>& out, int X, int Z, int H, bool narrow) {
  const std::string tube = StrPrintf("1 0 0 0 %g 0 0 0 1", (4 - H) * 0.25);
  if (narrow) {
    for (int x = 20 - X; x < X - 19; x += 20) out.push_back(Sub({x, 4, 0}, tube.c_str(), "stud3.dat"));
  } else {
    for (int z = Z - 20; z > 19 - Z; z -= 20)
      for (int x = 20 - X; x < X - 19; x += 20) out.push_back(Sub({x, 4, z}, tube.c_str(), "stud4.dat"));
  }
  out.push_back("0 BFC INVERTNEXT\n");
  out.push_back(Sub({0, H, 0}, StrPrintf("%d 0 0 0 %d 0 0 0 %d", X - 4, 4 - H, Z - 4).c_str(), "box5.dat"));
  out.push_back(Quad({X, H, Z}, {X - 4, H, Z - 4}, {4 - X, H, Z - 4}, {-X, H, Z}));
  out.push_back(Quad({-X, H, Z}, {4 - X, H, Z - 4}, {4 - X, H, 4 - Z}, {-X, H, -Z}));
  out.push_back(Quad({-X, H, -Z}, {4 - X, H, 4 - Z}, {X - 4, H, 4 - Z}, {X, H, -Z}));
  out.push_back(Quad({X, H, -Z}, {X - 4, H, 4 - Z}, {X - 4, H, Z - 4}, {X, H, Z}));
  out.push_back(Sub({0, H, 0}, StrPrintf("%d 0 0 0 %d 0 0 0 %d", X, -H, Z).c_str(), "box5.dat"));
}

}  // namespace

void CGeneratorFile::BuildPlate(int32_t w, int32_t l, int32_t h, int32_t studs) {
  if (!IsValid(PlateParams{w, l, h, studs})) return;
  const int X = 10 * std::max(w, l), Z = 10 * std::min(w, l);
  std::vector<std::string> lines{"0 BFC CERTIFY CCW\n"};
  if (h < 8)
    ThinPlate(lines, X, Z, h);
  else
    ThickPlate(lines, X, Z, h, std::min(w, l) == 1);
  if (studs)
    for (int z = Z - 10; z > 9 - Z; z -= 20)
      for (int x = 10 - X; x < X - 9; x += 20) lines.push_back(Sub({x, 0, z}, "1 0 0 0 1 0 0 0 1", "stud.dat"));
  bool failed = false;
  for (const std::string& line : lines)
    if (!AddLineFromText(line)) failed = true;
  if (failed) theTracer.Printf("ERROR: Couldn't add statement(s) during creation of plate!\n");
}
