// Mesh/<part>: a library part's primitives folded into the fast-render mesh, and drawn with and
// without it, for the parts of the library with the most primitives.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "BenchInputs.h"
#include "model/QvFivePart.h"
#include "model/QvGfxPart.h"
#include "render/C3DStub.h"

namespace {

using ElementList = std::vector<std::unique_ptr<CQvPart>>;

std::unique_ptr<CQvPart> Primitive(char type) {
  switch (type) {
    case '2':
      return std::make_unique<CQvLinePart>();
    case '3':
      return std::make_unique<CQvTrianglePart>();
    case '4':
      return std::make_unique<CQvQuadPart>();
    default:
      return std::make_unique<CQvFivePart>();
  }
}

// The part's line primitives as elements (other lines are left out: they draw nothing here).
ElementList ReadPrimitives(const std::string& path) {
  ElementList list;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    size_t s = line.find_first_not_of(" \t");
    if (s == std::string::npos || line[s] < '2' || line[s] > '5') continue;
    auto p = Primitive(line[s]);
    try {
      p->Parse(line.substr(s));
    } catch (const CParseError&) {
      continue;
    }
    list.push_back(std::move(p));
  }
  return list;
}

ElementList Copy(const ElementList& list) {
  ElementList copy;
  copy.reserve(list.size());
  for (const auto& e : list) copy.push_back(e->Clone());
  return copy;
}

void BM_Fold(benchmark::State& state, std::string path) {
  const ElementList source = ReadPrimitives(path);
  size_t vertices = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ElementList list = Copy(source);
    state.ResumeTiming();
    CQvGfxPart::FoldPrimitives(list);
    vertices = list.empty() ? 0 : static_cast<CQvGfxPart&>(*list[0]).GetVertexCount();
  }
  state.counters["primitives"] = static_cast<double>(source.size());
  state.counters["vertices"] = static_cast<double>(vertices);
}

void BM_Draw(benchmark::State& state, std::string path, bool mesh) {
  ElementList list = ReadPrimitives(path);
  if (mesh) CQvGfxPart::FoldPrimitives(list);
  CVector3 lo(1e30, 1e30, 1e30), hi(-1e30, -1e30, -1e30);
  for (auto& e : list) e->ExtendBoundingBox(CVector3(), CMatrix3::Identity(), lo, hi, 0);
  C3DStub r;
  r.Reset(400, 300, 1);
  r.FitView(400, 300, lo.x, lo.y, lo.z, hi.x, hi.y, hi.z);
  DrawContext ctx;
  ctx.parentColor = 4;
  for (auto _ : state) {
    r.BeginFrame(400, 300);
    for (auto& e : list) e->Draw(r, 1, ctx);
  }
  state.counters["elements"] = static_cast<double>(list.size());
}

[[maybe_unused]] const bool registered = [] {
  const std::string lib = BenchLibraryDir();
  if (lib.empty()) return false;
  for (const char* part : {"53588.dat", "87995.dat", "3001.dat"}) {
    const std::string path = (std::filesystem::path(lib) / "parts" / part).string();
    if (!std::filesystem::exists(path)) continue;
    benchmark::RegisterBenchmark(("Mesh/Fold/" + std::string(part)).c_str(), BM_Fold, path)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("Mesh/DrawPrimitives/" + std::string(part)).c_str(), BM_Draw, path, false)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("Mesh/DrawMesh/" + std::string(part)).c_str(), BM_Draw, path, true)
        ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

}  // namespace
