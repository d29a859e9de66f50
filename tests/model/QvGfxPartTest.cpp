#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "ElementTestUtil.h"
#include "RecordingRenderer.h"
#include "model/QvFivePart.h"
#include "model/QvGfxPart.h"
#include "model/QvStepPart.h"
#include "render/Matrix4DStack.h"
#include "support/TestData.h"

namespace {

using ElementList = std::vector<std::unique_ptr<CQvPart>>;

std::unique_ptr<CQvPart> Primitive(const std::string& line) { return ParsedPrimitive(line); }

ElementList List(std::initializer_list<const char*> lines) {
  ElementList list;
  for (const char* l : lines) {
    // "STEP" stands for an element that is no primitive (a sub-file reference in a real part).
    if (std::string(l) == "STEP")
      list.push_back(std::make_unique<CQvStepPart>());
    else
      list.push_back(Primitive(l));
  }
  return list;
}

TEST(FastRenderMesh, TwoQuadsSharingAnEdgeShareTheirVertices) {
  ElementList list = List({"4 16 0 0 0 10 0 0 10 10 0 0 10 0", "4 4 10 0 0 20 0 0 20 10 0 10 10 0"});
  ASSERT_TRUE(CQvGfxPart::FoldPrimitives(list));
  ASSERT_EQ(list.size(), 1u);
  auto* mesh = dynamic_cast<CQvGfxPart*>(list[0].get());
  ASSERT_NE(mesh, nullptr);
  EXPECT_EQ(mesh->GetTypeCode(), 16);
  EXPECT_EQ(mesh->GetVertexCount(), 6u);
  const std::vector<int32_t> expected = {4, 16, 0, 1, 2, 3, 4, 4, 1, 4, 5, 2};
  EXPECT_EQ(mesh->GetCommands(), expected);
}

TEST(FastRenderMesh, OnlyExactlyEqualCoordinatesAreShared) {
  CQvGfxPart mesh;
  CQvLinePart a, b, c;
  a.Parse("2 24 1 0 0 0 0 0");
  b.Parse("2 24 1.0000001 0 0 -0 0 0");  // -0 equals 0
  c.Parse("5 24 1 0 0 0 0 0 1 1 1 2 2 2");
  EXPECT_EQ(mesh.AddPrimitive(a), 1);
  EXPECT_EQ(mesh.AddPrimitive(b), 1);
  EXPECT_EQ(mesh.GetVertexCount(), 3u);
  CQvFivePart cond;
  cond.Parse("5 24 1 0 0 0 0 0 1 1 1 2 2 2");
  EXPECT_EQ(mesh.AddPrimitive(cond), 1);
  EXPECT_EQ(mesh.GetVertexCount(), 5u);
  const std::vector<int32_t> expected = {2, 24, 0, 1, 2, 24, 2, 1, 5, 24, 0, 1, 3, 4};
  EXPECT_EQ(mesh.GetCommands(), expected);
  // Other elements are ignored.
  CQvStepPart step;
  EXPECT_EQ(mesh.AddPrimitive(step), 1);
  EXPECT_EQ(mesh.GetCommands().size(), expected.size());
}

TEST(FastRenderMesh, TheMeshTakesThePlaceOfTheFirstPrimitive) {
  ElementList list = List({"STEP", "3 16 0 0 0 1 0 0 0 1 0", "STEP", "2 24 0 0 0 1 0 0", "STEP"});
  CQvPart* first = list[0].get();
  CQvPart* middle = list[2].get();
  CQvPart* last = list[4].get();
  ASSERT_TRUE(CQvGfxPart::FoldPrimitives(list));
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].get(), first);
  EXPECT_EQ(list[1]->GetType(), ElementType::Mesh);
  EXPECT_EQ(list[2].get(), middle);
  EXPECT_EQ(list[3].get(), last);
}

TEST(FastRenderMesh, NoPrimitivesNoMesh) {
  ElementList list = List({"STEP", "STEP"});
  EXPECT_FALSE(CQvGfxPart::FoldPrimitives(list));
  EXPECT_EQ(list.size(), 2u);
  ElementList empty;
  EXPECT_FALSE(CQvGfxPart::FoldPrimitives(empty));
}

TEST(FastRenderMesh, HiddenAndGhostPrimitivesAreNotFolded) {
  ElementList list = List({"2 24 0 0 0 1 0 0", "3 16 0 0 0 1 0 0 0 1 0", "4 16 0 0 0 1 0 0 1 1 0 0 1 0"});
  list[1]->hidden = true;
  list[2]->ghost = true;
  CQvPart* hiddenOne = list[1].get();
  CQvPart* ghostOne = list[2].get();
  ASSERT_TRUE(CQvGfxPart::FoldPrimitives(list));
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0]->GetType(), ElementType::Mesh);
  EXPECT_EQ(list[1].get(), hiddenOne);
  EXPECT_EQ(list[2].get(), ghostOne);
  EXPECT_EQ(static_cast<CQvGfxPart&>(*list[0]).GetCommands().size(), 4u);  // the line only

  // A part of nothing but hidden primitives keeps them all.
  ElementList allHidden = List({"2 24 0 0 0 1 0 0"});
  allHidden[0]->hidden = true;
  EXPECT_FALSE(CQvGfxPart::FoldPrimitives(allHidden));
  EXPECT_EQ(allHidden[0]->GetType(), ElementType::Line);
}

TEST(FastRenderMesh, ContractSlots) {
  ElementList list = List({"2 24 0 0 0 1 0 0"});
  ASSERT_TRUE(CQvGfxPart::FoldPrimitives(list));
  ElementDescription d;
  EXPECT_EQ(list[0]->Describe(d), 0);
  EXPECT_EQ(list[0]->Clone(), nullptr);
  EXPECT_EQ(WrittenText(*list[0]), "");  // never written to model text
}

// Draws every element of the list under one placement.
std::vector<CRecordingRenderer::Call> DrawAll(ElementList& list, ColorNumber parent) {
  CRecordingRenderer r;
  CMatrix3 turn;
  turn.SetEuler(30, 45, 10);
  r.GetMatrixStack().PushMultiply(CMatrix4D::FromPlacement(turn, CVector3(5, -7, 11)));
  DrawContext ctx;
  ctx.parentColor = parent;
  for (auto& e : list) e->Draw(r, 77, ctx);
  return r.calls;
}

void ExpectSameDrawing(const std::vector<CRecordingRenderer::Call>& a,
                       const std::vector<CRecordingRenderer::Call>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].kind, b[i].kind) << i;
    EXPECT_EQ(a[i].color, b[i].color) << i;
    EXPECT_EQ(a[i].pickId, b[i].pickId) << i;
    ASSERT_EQ(a[i].points.size(), b[i].points.size()) << i;
    for (size_t k = 0; k < a[i].points.size(); ++k) EXPECT_EQ(a[i].points[k], b[i].points[k]) << i;
  }
}

std::vector<std::string> ExportAll(ElementList& list, ColorNumber parent) {
  CArrayTextHandler out;
  ExportContext ctx;
  ctx.output = &out;
  const CMatrix3 m(0, 0, 1, 0, 1, 0, -1, 0, 0);
  for (auto& e : list) EXPECT_EQ(e->Export(ctx, CVector3(1, 2, 3), m, parent), 1);
  return out.GetLines();
}

const std::initializer_list<const char*> kBrick = {"4 16 0 0 0 10 0 0 10 10 0 0 10 0",
                                                   "STEP",
                                                   "4 16 10 0 0 20 0 0 20 10 0 10 10 0",
                                                   "3 4 0 0 0 0 0 5 10 0 0",
                                                   "2 24 0 0 0 10 0 0",
                                                   "5 24 0 10 0 10 10 0 0 0 0 10 10 5",
                                                   "2 16 20 0 0 20 10 0"};

TEST(FastRenderMesh, DrawsAndExportsLikeTheUnfoldedPrimitives) {
  ElementList plain = List(kBrick);
  ElementList folded = List(kBrick);
  ASSERT_TRUE(CQvGfxPart::FoldPrimitives(folded));
  ASSERT_EQ(folded.size(), 2u);
  ExpectSameDrawing(DrawAll(plain, 4), DrawAll(folded, 4));
  ExpectSameDrawing(DrawAll(plain, 1), DrawAll(folded, 1));
  EXPECT_EQ(ExportAll(plain, 2), ExportAll(folded, 2));
}

TEST(FastRenderMesh, BoxesCountControlPointsOnlyWithFlagZero) {
  ElementList list = List({"5 24 0 0 0 10 0 0 5 -30 0 5 0 40", "2 24 0 0 0 0 3 0"});
  ASSERT_TRUE(CQvGfxPart::FoldPrimitives(list));
  CQvPart& mesh = *list[0];
  const CMatrix3 id = CMatrix3::Identity();
  CVector3 lo(1e30, 1e30, 1e30), hi(-1e30, -1e30, -1e30);
  mesh.ExtendBoundingBox(CVector3(1, 1, 1), id, lo, hi, 1);
  EXPECT_EQ(lo, CVector3(1, 1, 1));
  EXPECT_EQ(hi, CVector3(11, 4, 1));
  lo.Set(1e30, 1e30, 1e30);
  hi.Set(-1e30, -1e30, -1e30);
  mesh.ExtendBoundingBox(CVector3(1, 1, 1), id, lo, hi, 0);
  EXPECT_EQ(lo, CVector3(1, -29, 1));
  EXPECT_EQ(hi, CVector3(11, 4, 41));
  // Another matrix recomputes the cached box: doubled.
  lo.Set(1e30, 1e30, 1e30);
  hi.Set(-1e30, -1e30, -1e30);
  mesh.ExtendBoundingBox(CVector3(), CMatrix3(2, 0, 0, 0, 2, 0, 0, 0, 2), lo, hi, 0);
  EXPECT_EQ(lo, CVector3(0, -60, 0));
  EXPECT_EQ(hi, CVector3(20, 6, 80));
}

TEST(FastRenderMesh, PickReportsTheNearestOfOverlappingTriangles) {
  ElementList list = List({"3 16 0 0 30 10 0 30 0 10 30", "2 24 0 0 0 10 10 0", "3 16 0 0 10 10 0 10 0 10 10",
                           "4 16 0 0 20 10 0 20 10 10 20 0 10 20"});
  ASSERT_TRUE(CQvGfxPart::FoldPrimitives(list));
  CMatrix4DStack stack;
  double depth = 0;
  EXPECT_EQ(list[0]->Pick(stack, CVector3(2, 2, 0), depth, 1), 1);
  EXPECT_DOUBLE_EQ(depth, 10);
  EXPECT_EQ(list[0]->Pick(stack, CVector3(2, 2, 0), depth, 0), 1);
  EXPECT_DOUBLE_EQ(depth, 30);  // the first hit in list order
  EXPECT_EQ(list[0]->Pick(stack, CVector3(9, 9, 0), depth, 1), 1);
  EXPECT_DOUBLE_EQ(depth, 20);  // only the quadrilateral covers this point
  EXPECT_EQ(list[0]->Pick(stack, CVector3(50, 50, 0), depth, 1), 0);

  ElementList lines = List({"2 24 0 0 0 10 10 0", "5 24 0 0 0 10 0 0 0 10 0 10 10 0"});
  ASSERT_TRUE(CQvGfxPart::FoldPrimitives(lines));
  EXPECT_EQ(lines[0]->Pick(stack, CVector3(5, 5, 0), depth, 1), 0);
}

TEST(FastRenderMesh, RectangleTestOverAllVertices) {
  ElementList list = List({"2 24 0 0 0 10 20 0"});
  ASSERT_TRUE(CQvGfxPart::FoldPrimitives(list));
  CMatrix4DStack stack;
  EXPECT_EQ(list[0]->IntersectsRect(stack, {10, 20, 30, 30}), 1);
  EXPECT_EQ(list[0]->IntersectsRect(stack, {11, 0, 30, 30}), 0);
  EXPECT_EQ(list[0]->IntersectsRect(stack, {-5, -5, -1, 30}), 0);
}

TEST(FastRenderMesh, AFailedExportWriteIsReported) {
  ElementList list = List({"2 24 0 0 0 1 0 0", "2 24 0 0 0 2 0 0"});
  ASSERT_TRUE(CQvGfxPart::FoldPrimitives(list));
  CFailingTextHandler out(2);
  ExportContext ctx;
  ctx.output = &out;
  EXPECT_EQ(list[0]->Export(ctx, CVector3(), CMatrix3::Identity(), 16), 0);
  EXPECT_EQ(out.writes, 2);
}

// The primitives of a library file as elements; other lines become stand-ins in their place.
ElementList ReadPrimitives(const std::filesystem::path& file, size_t& primitives) {
  ElementList list;
  std::ifstream in(file, std::ios::binary);
  std::string line;
  primitives = 0;
  while (std::getline(in, line)) {
    size_t start = line.find_first_not_of(" \t");
    if (start != std::string::npos && line[start] >= '2' && line[start] <= '5' && start + 1 < line.size() &&
        (line[start + 1] == ' ' || line[start + 1] == '\t')) {
      list.push_back(Primitive(line.substr(start)));
      ++primitives;
    } else if (start != std::string::npos && line[start] == '1') {
      list.push_back(std::make_unique<CQvStepPart>());
    }
  }
  return list;
}

TEST(FastRenderMesh, LibraryPrimitivesReadAndFoldWithoutChange) {
  REQUIRE_LDRAW_LIBRARY(library);
  // Primitives with cylinders (conditional lines), discs, edges and a sculpted part.
  const char* files[] = {"p/4-4cyli.dat",    "p/4-4disc.dat",  "p/4-4edge.dat",      "p/stud.dat",
                         "p/48/4-4cyli.dat", "parts/3001.dat", "parts/s/3001s01.dat"};
  int folded = 0;
  for (const char* name : files) {
    const std::filesystem::path file = std::filesystem::path(library) / name;
    if (!std::filesystem::exists(file)) continue;
    size_t count = 0;
    ElementList plain = ReadPrimitives(file, count);
    ElementList meshed = ReadPrimitives(file, count);
    if (!CQvGfxPart::FoldPrimitives(meshed)) continue;
    ++folded;
    EXPECT_EQ(meshed.size(), plain.size() - count + 1) << name;
    ExpectSameDrawing(DrawAll(plain, 4), DrawAll(meshed, 4));
    EXPECT_EQ(ExportAll(plain, 14), ExportAll(meshed, 14)) << name;
  }
  EXPECT_GT(folded, 0);
}

// The pixels, depths and pick ids of a part drawn by the software renderer.
struct Frame {
  std::vector<uint8_t> pixels;
  std::vector<int32_t> depth;
  std::vector<PickId> pick;
};

// Every colour opaque and told apart by its number.
const ColorEntry* OpaqueColors() {
  static ColorEntry table[kColorCount] = {};
  for (int i = 0; i < kColorCount; ++i) {
    table[i].red = static_cast<uint8_t>(i * 37);
    table[i].green = static_cast<uint8_t>(i * 11);
    table[i].blue = static_cast<uint8_t>(255 - i);
    table[i].alpha = 255;
    table[i].edgeColor = 0;
  }
  return table;
}

Frame Render(ElementList& list) {
  // Turned so that the top and the side show; the view's scale and offset go on the matrix stack.
  CMatrix3 turn;
  turn.SetEuler(30, 45, 0);
  CVector3 lo(1e30, 1e30, 1e30), hi(-1e30, -1e30, -1e30);
  for (auto& e : list) e->ExtendBoundingBox(CVector3(), turn, lo, hi, 0);
  C3DStub r;
  r.EnablePickBuffer(1);
  r.Reset(160, 120, 1);
  r.SetColorTable(OpaqueColors());
  r.FitView(160, 120, lo.x, lo.y, lo.z, hi.x, hi.y, hi.z);
  CMatrix3 view = turn;
  view.Scale(r.GetScaleX());
  r.GetMatrixStack().PushMultiply(
      CMatrix4D::FromPlacement(view, CVector3(r.GetOffsetX(), r.GetOffsetY(), 0)));
  r.BeginFrame(160, 120);
  DrawContext ctx;
  ctx.parentColor = 4;
  ctx.colorEntries = OpaqueColors();
  for (auto& e : list) e->Draw(r, 7, ctx);
  Frame f;
  for (int y = 0; y < 120; ++y) {
    const uint8_t* row = r.GetImage().GetRow(y);
    f.pixels.insert(f.pixels.end(), row, row + 160 * 3);
    for (int x = 0; x < 160; ++x) {
      f.depth.push_back(r.GetDepth(x, y));
      f.pick.push_back(r.GetPickId(x, y));
    }
  }
  return f;
}

TEST(FastRenderMesh, LibraryPartRendersTheSamePixels) {
  REQUIRE_LDRAW_LIBRARY(library);
  const std::filesystem::path file = std::filesystem::path(library) / "p/4-4cyli.dat";
  if (!std::filesystem::exists(file)) GTEST_SKIP() << "no 4-4cyli.dat in the library";
  size_t count = 0;
  ElementList plain = ReadPrimitives(file, count);
  ElementList meshed = ReadPrimitives(file, count);
  ASSERT_TRUE(CQvGfxPart::FoldPrimitives(meshed));
  const Frame a = Render(plain), b = Render(meshed);
  EXPECT_EQ(a.pixels, b.pixels);
  EXPECT_EQ(a.depth, b.depth);
  EXPECT_EQ(a.pick, b.pick);
  size_t drawn = 0, picked = 0;
  for (int32_t d : b.depth) drawn += d != C3DStub::kEmptyDepth;
  for (PickId p : b.pick) picked += p != kNoPickId;
  EXPECT_GT(drawn, 100u);
  EXPECT_GT(picked, 100u);
}

// Every line of types 2 to 5 in the library reads without a line error.
TEST(LinePrimitive, EveryLibraryPrimitiveLineReads) {
  REQUIRE_LDRAW_LIBRARY(library);
  size_t lines = 0;
  for (const char* folder : {"p", "p/48", "p/8", "parts", "parts/s"}) {
    const std::filesystem::path dir = std::filesystem::path(library) / folder;
    if (!std::filesystem::is_directory(dir)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      std::string line;
      while (std::getline(in, line)) {
        size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] < '2' || line[start] > '5') continue;
        if (start + 1 < line.size() && line[start + 1] != ' ' && line[start + 1] != '\t') continue;
        ++lines;
        EXPECT_NO_THROW(Primitive(line.substr(start))) << entry.path() << ": " << line;
      }
    }
  }
  EXPECT_GT(lines, 100000u);
}

}  // namespace
