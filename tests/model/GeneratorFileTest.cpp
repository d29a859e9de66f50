// The builders of the generated parts, against coordinates worked out by hand and invariants.
#include <gtest/gtest.h>

#include <cmath>

#include "model/GeneratorFile.h"
#include "model/QvElement.h"
#include "model/QvLinePart.h"
#include "tests/model/LibraryScope.h"

namespace {

constexpr double kPi = 3.141592653589793;

int Count(const CQvFile& f, ElementType t) {
  int n = 0;
  for (size_t i = 0; i < f.GetCount(); ++i) n += f.GetAt(i)->GetType() == t;
  return n;
}

const CQvLinePart& Prim(const CQvFile& f, size_t i) { return *static_cast<const CQvLinePart*>(f.GetAt(i)); }
const CQvElement& Ref(const CQvFile& f, size_t i) { return *static_cast<const CQvElement*>(f.GetAt(i)); }

void ExpectNear(const CVector3& v, double x, double y, double z, double tol = 1e-4) {
  EXPECT_NEAR(v.x, x, tol);
  EXPECT_NEAR(v.y, y, tol);
  EXPECT_NEAR(v.z, z, tol);
}

// No library: sub-parts are kept without a file and no question is asked.
class GeneratorFileTest : public ::testing::Test {
 protected:
  CLibraryScope library{"", 0};
  CGeneratorFile file;
};

TEST_F(GeneratorFileTest, SpringOfOneTurnHasSixteenSegmentsAndTwoRings) {
  file.AddSpringGeometry(20, 1, 10, 2, 1, 1);
  ASSERT_EQ(file.GetCount(), 384u);
  EXPECT_EQ(Count(file, ElementType::Line), 192);
  EXPECT_EQ(Count(file, ElementType::Quad), 192);
  // The first join starts at the cross-section at angle 0, height 0.
  ExpectNear(Prim(file, 0).GetVertex(0), 5, 1, 0);
  ExpectNear(Prim(file, 1).GetVertex(0), 6, 0, 0);
  ExpectNear(Prim(file, 2).GetVertex(0), 5, -1, 0);
  ExpectNear(Prim(file, 3).GetVertex(0), 4, 0, 0);
  // The second cross-section is an eighth of pi further round, 1.25 higher.
  ExpectNear(Prim(file, 0).GetVertex(1), 5 * std::cos(kPi / 8), 2.25, 5 * std::sin(kPi / 8));
  // The helix ends after one turn at height 20.
  ExpectNear(Prim(file, 120).GetVertex(1), 5, 21, 0);
  // The quadrilateral p[0], c[0], c[1], p[1].
  ExpectNear(Prim(file, 4).GetVertex(3), 6, 0, 0);
  EXPECT_EQ(file.GetAt(0)->GetColor(), 24);
  EXPECT_EQ(file.GetAt(4)->GetColor(), 16);
  // The top ring lies at height 20, the bottom ring at 0.
  ExpectNear(Prim(file, 128).GetVertex(0), 5, 21, 0);
  ExpectNear(Prim(file, 256).GetVertex(0), 5, 1, 0);
}

TEST_F(GeneratorFileTest, StackedRingsLeaveOutTheSharedLine) {
  file.AddSpringGeometry(20, 1, 10, 2, 2, 2);
  EXPECT_EQ(Count(file, ElementType::Line), 288);
  EXPECT_EQ(Count(file, ElementType::Quad), 320);
}

TEST_F(GeneratorFileTest, SpringTurnsGiveSixteenSegmentsEachAndNoneWhenZeroOrNegative) {
  file.AddSpringGeometry(20, 1.5, 10, 2, 0, 0);
  EXPECT_EQ(file.GetCount(), 24u * 8);
  for (double turns : {0.0, -2.0}) {
    file.RemoveAll();
    file.AddSpringGeometry(20, turns, 10, 2, 1, 1);
    EXPECT_EQ(file.GetCount(), 256u) << turns;
  }
}

TEST_F(GeneratorFileTest, OutOfRangeSpringsBuildNothing) {
  const double nan = std::nan("");
  struct Case {
    double h, r, d, s;
    int32_t t, b;
  } cases[] = {{20, 1e9, 10, 2, 1, 1}, {20, 1, 10, 2, 1000000, 1}, {20, 1, 10, 2, 1, -1},
               {nan, 1, 10, 2, 1, 1},  {20, nan, 10, 2, 1, 1},      {20, 1, INFINITY, 2, 1, 1}};
  for (const Case& c : cases) {
    file.AddSpringGeometry(c.h, c.r, c.d, c.s, c.t, c.b);
    EXPECT_EQ(file.GetCount(), 0u);
  }
}

TEST_F(GeneratorFileTest, HoseOfTheDefaultsStartsAtTheStartPointAndDrawsItsControlLines) {
  file.BuildFlexHose({-37, -78, 150}, {-60, -61, 240}, {120, 30, -1}, {30, 100, 0}, 50, "756.dat", "754.DAT", 1);
  ASSERT_EQ(file.GetCount(), 52u);
  EXPECT_EQ(Count(file, ElementType::Reference), 50);
  ExpectNear(Ref(file, 0).GetPosition(), -37, -78, 150, 0);
  EXPECT_EQ(Ref(file, 0).GetFileName(), "756.dat");
  for (size_t i = 1; i < 50; ++i) EXPECT_EQ(Ref(file, i).GetFileName(), "754.DAT");
  EXPECT_NE(Ref(file, 49).GetPosition(), CVector3(-60, -61, 240));
  ExpectNear(Prim(file, 50).GetVertex(0), -157, -108, 151, 0);
  ExpectNear(Prim(file, 50).GetVertex(1), -37, -78, 150, 0);
  ExpectNear(Prim(file, 51).GetVertex(0), -90, -161, 240, 0);
  ExpectNear(Prim(file, 51).GetVertex(1), -60, -61, 240, 0);
}

// Every segment's -Y axis must run along its chord, for every sign combination of the chord.
TEST_F(GeneratorFileTest, EverySegmentRunsAlongItsChord) {
  for (int sx = -1; sx <= 1; ++sx)
    for (int sy = -1; sy <= 1; ++sy)
      for (int sz = -1; sz <= 1; ++sz) {
        if (!sx && !sy && !sz) continue;
        file.RemoveAll();
        const CVector3 d(3.0 * sx, 2.0 * sy, 5.0 * sz);
        file.BuildFlexHose({0, 0, 0}, d, {0, 0, 0}, {0, 0, 0}, 4, "a.dat", "b.dat", 0);
        ASSERT_EQ(file.GetCount(), 4u);
        const double len = std::sqrt(d.Dot(d));
        for (size_t i = 0; i < 4; ++i) {
          const CVector3 axis = Ref(file, i).GetMatrix() * CVector3(0, -1, 0);
          ExpectNear(axis, d.x / len, d.y / len, d.z / len, 1e-5);  // through "%g" text
          // On the straight curve, in order.
          const CVector3 pos = Ref(file, i).GetPosition();
          const CVector3 off = pos.Cross(d);
          EXPECT_LT(std::sqrt(off.Dot(off)), 1e-4);
          if (i > 0) {
            EXPECT_GT(pos.Dot(d), Ref(file, i - 1).GetPosition().Dot(d));
          }
        }
      }
}

TEST_F(GeneratorFileTest, HoseWithoutStepsHasOnlyItsControlLines) {
  file.BuildFlexHose({0, 0, 0}, {0, 0, 100}, {0, 10, 0}, {0, 10, 0}, 0, "a.dat", "b.dat", 1);
  EXPECT_EQ(file.GetCount(), 2u);
  EXPECT_EQ(Count(file, ElementType::Line), 2);
}

TEST_F(GeneratorFileTest, HoseBoundsAndCoincidentPointsGiveNoNaN) {
  file.BuildFlexHose({0, 0, 0}, {0, 0, 100}, {0, 0, 0}, {0, 0, 0}, 1000000, "a.dat", "b.dat", 0);
  EXPECT_EQ(file.GetCount(), 0u);
  file.BuildFlexHose({0, 0, 0}, {0, 0, 100}, {0, 0, 0}, {0, 0, 0}, 5, "a b.dat", "b.dat", 0);
  EXPECT_EQ(file.GetCount(), 0u);
  // All four control points in one place: every chord has length 0.
  file.BuildFlexHose({1, 2, 3}, {1, 2, 3}, {0, 0, 0}, {0, 0, 0}, 5, "a.dat", "b.dat", 0);
  ASSERT_EQ(file.GetCount(), 5u);
  for (size_t i = 0; i < 5; ++i) {
    ExpectNear(Ref(file, i).GetPosition(), 1, 2, 3, 0);
    for (double v : Ref(file, i).GetMatrix().m) EXPECT_TRUE(std::isfinite(v));
  }
}

TEST_F(GeneratorFileTest, BeltOfCylindersFollowsItsWheels) {
  file.BuildRubberBelt(100, 20, 40, 10, 5, 16, 1);
  ASSERT_EQ(file.GetCount(), 34u);
  const BeltLayout b = ComputeBeltLayout({100, 20, 40, 10, 5, 16, 1});
  EXPECT_EQ(b.n1, 19);
  EXPECT_EQ(b.n2, 13);
  EXPECT_NEAR(b.phi, 0.19740, 1e-5);
  EXPECT_NEAR(b.psi, -0.29859, 1e-5);
  ExpectNear(Ref(file, 0).GetPosition(), 4.2877, 39.7947, 0);
  EXPECT_EQ(Ref(file, 0).GetFileName(), "4-4CYLI.DAT");
  auto length = [&](size_t i) {
    const CMatrix3& m = Ref(file, i).GetMatrix();
    return std::hypot(m(0, 1), m(1, 1));
  };
  // 2 R1 sin(s/2) + E tan(s/2) with s = (pi + 2 * 0.29859) / 19.
  EXPECT_NEAR(length(0), 8.3516, 1e-3);
  EXPECT_NEAR(length(19), 97.4679, 1e-4);
  EXPECT_NEAR(length(33), 97.4679, 1e-4);
  // The radius across the belt is half the thickness.
  EXPECT_NEAR(Ref(file, 0).GetMatrix()(2, 2), 2.5, 1e-12);
}

TEST_F(GeneratorFileTest, BeltOfCrossSectionsJoinsTenTimesForPrecisionFour) {
  file.BuildRubberBelt(100, 20, 40, 10, 5, 4, 0);
  EXPECT_EQ(Count(file, ElementType::Line), 40);
  EXPECT_EQ(Count(file, ElementType::Quad), 40);
  ExpectNear(Prim(file, 0).GetVertex(0), 4.0409, 39.7954, 2.5);
  ExpectNear(Prim(file, 2).GetVertex(0), 4.0409, 39.7954, -2.5);
  // The belt closes: the last join ends where the first began.
  ExpectNear(Prim(file, 72).GetVertex(1), 4.0409, 39.7954, 2.5);
}

TEST_F(GeneratorFileTest, EqualWheelsWrapHalfATurnEach) {
  const BeltLayout b = ComputeBeltLayout({100, 0, 20, 20, 5, 8, 1});
  ASSERT_TRUE(b.valid);
  EXPECT_EQ(b.n1, 8);
  EXPECT_EQ(b.n2, 8);
  EXPECT_DOUBLE_EQ(b.tangent, 100);
  file.BuildRubberBelt(64, -32, 15, 27.5, 5, 16, 0);
  EXPECT_EQ(Count(file, ElementType::Line), 136);
}

TEST_F(GeneratorFileTest, DegenerateBeltsBuildNothing) {
  struct Case {
    double x, y, r1, r2;
    int32_t p, cyl;
  } cases[] = {{10, 0, 40, 10, 16, 1},  // one wheel holds the other
               {0, 0, 10, 10, 16, 1},   // both on one centre
               {100, 0, 10, 10, 1, 1},  // half-turn cylinders
               {100, 0, 5, 40, 1, 1},   // a wheel without a segment
               {100, 0, 10, 10, 0, 0},  {100, 0, 10, 10, 5000000, 0}, {NAN, 0, 10, 10, 16, 0}};
  for (const Case& c : cases) {
    file.BuildRubberBelt(c.x, c.y, c.r1, c.r2, 5, c.p, c.cyl);
    EXPECT_EQ(file.GetCount(), 0u) << c.x << " " << c.r1 << " " << c.p;
  }
}

TEST_F(GeneratorFileTest, StraightArrow) {
  file.AddArrowGeometry(1, 10, 12, 3, 4, 4, 40, 30, 2, 2);
  ASSERT_EQ(file.GetCount(), 4u);
  ExpectNear(Prim(file, 0).GetVertex(0), -12, 0, 0, 0);
  ExpectNear(Prim(file, 0).GetVertex(1), 3, -5, 0, 0);
  ExpectNear(Prim(file, 0).GetVertex(2), -2, 0, 0, 0);
  ExpectNear(Prim(file, 1).GetVertex(1), 3, 5, 0, 0);
  ExpectNear(Prim(file, 2).GetVertex(0), -2, 0, 0, 0);
  ExpectNear(Prim(file, 2).GetVertex(1), 0, -2, 0, 0);
  ExpectNear(Prim(file, 2).GetVertex(2), 0, 2, 0, 0);
  EXPECT_EQ(file.GetAt(0)->GetColor(), 4);
  ASSERT_EQ(file.GetAt(3)->GetType(), ElementType::Quad);
  EXPECT_EQ(file.GetAt(3)->GetColor(), 2);
  ExpectNear(Prim(file, 3).GetVertex(0), 0, -2, 0, 0);
  ExpectNear(Prim(file, 3).GetVertex(1), 40, -2, 0, 0);
  ExpectNear(Prim(file, 3).GetVertex(2), 40, 2, 0, 0);
  ExpectNear(Prim(file, 3).GetVertex(3), 0, 2, 0, 0);
}

TEST_F(GeneratorFileTest, CircleArrowLeavesAGapBetweenQuarters) {
  file.AddArrowGeometry(2, 10, 12, 3, 16, 4, 40, 30, 16, 1);
  ASSERT_EQ(file.GetCount(), 3u + 31u);
  ExpectNear(Prim(file, 3).GetVertex(0), 0, -2, 0);
  ExpectNear(Prim(file, 3).GetVertex(1), 2.9405, -1.8555, 0);
  ExpectNear(Prim(file, 3).GetVertex(2), 2.5484, 2.1252, 0);
  ExpectNear(Prim(file, 3).GetVertex(3), 0, 2, 0);
  // Segment 15 is left out: the 16th quadrilateral begins at segment 16, a quarter turn round.
  ExpectNear(Prim(file, 3 + 15).GetVertex(0), 30, 28, 0);
}

TEST_F(GeneratorFileTest, NarrowPointerIsOneTriangle) {
  file.AddArrowGeometry(0, 4, 12, 3, 16, 4, 40, 30, 16, 2);
  file.AddArrowGeometry(0, 10, 12, 0, 16, 4, 40, 30, 16, 2);
  ASSERT_EQ(file.GetCount(), 2u);
  ExpectNear(Prim(file, 1).GetVertex(1), 0, -5, 0, 0);
  file.AddArrowGeometry(3, 10, 12, 3, 16, 4, 40, 30, 16, 2);
  file.AddArrowGeometry(1, 10, 12, 3, 16, 4, 40, 30, 16, 7);
  EXPECT_EQ(file.GetCount(), 2u);
}

TEST_F(GeneratorFileTest, BaseplateThreeByTwo) {
  file.BuildPlate(3, 2, 4, 1);
  ASSERT_EQ(file.GetCount(), 1u + 42u + 6u);
  EXPECT_EQ(file.GetAt(0)->GetType(), ElementType::Comment);
  EXPECT_EQ(Ref(file, 1).GetFileName(), "1-4edge.dat");
  ExpectNear(Ref(file, 1).GetPosition(), 26, 4, 16, 0);
  ExpectNear(Prim(file, 2).GetVertex(0), 30, 4, 16, 0);
  ExpectNear(Prim(file, 2).GetVertex(1), 30, 4, -16, 0);
  ExpectNear(Ref(file, 9).GetPosition(), 26, 0, 16, 0);
  EXPECT_EQ(Ref(file, 33).GetFileName(), "1-4cyli.dat");
  EXPECT_EQ(Ref(file, 33).GetMatrix()(1, 1), 4);
  const double studs[6][3] = {{-20, 0, 10}, {0, 0, 10}, {20, 0, 10}, {-20, 0, -10}, {0, 0, -10}, {20, 0, -10}};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(Ref(file, 43 + i).GetFileName(), "stud.dat");
    ExpectNear(Ref(file, 43 + i).GetPosition(), studs[i][0], studs[i][1], studs[i][2], 0);
  }
}

TEST_F(GeneratorFileTest, NarrowBrickTurnsAndGetsSmallTubes) {
  file.BuildPlate(1, 4, 8, 0);
  ASSERT_EQ(file.GetCount(), 1u + 3u + 1u + 1u + 4u + 1u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Ref(file, 1 + i).GetFileName(), "stud3.dat");
    ExpectNear(Ref(file, 1 + i).GetPosition(), -20 + 20 * i, 4, 0, 0);
    EXPECT_EQ(Ref(file, 1 + i).GetMatrix().m, CMatrix3(1, 0, 0, 0, -1, 0, 0, 0, 1).m);
  }
  EXPECT_EQ(Ref(file, 5).GetMatrix().m, CMatrix3(36, 0, 0, 0, -4, 0, 0, 0, 6).m);
  EXPECT_EQ(Ref(file, 10).GetMatrix().m, CMatrix3(40, 0, 0, 0, -8, 0, 0, 0, 10).m);
  EXPECT_EQ(Ref(file, 10).GetFileName(), "box5.dat");
}

TEST_F(GeneratorFileTest, TallBrickTubesAndStuds) {
  file.BuildPlate(4, 2, 24, 1);
  int tubes = 0, studs = 0;
  for (size_t i = 0; i < file.GetCount(); ++i) {
    if (file.GetAt(i)->GetType() != ElementType::Reference) continue;
    const CQvElement& e = Ref(file, i);
    if (e.GetFileName() == "stud4.dat") {
      ++tubes;
      EXPECT_EQ(e.GetMatrix()(1, 1), -5);
      EXPECT_EQ(e.GetPosition(), CVector3(-40 + 20 * tubes, 4, 0));
    }
    studs += e.GetFileName() == "stud.dat";
  }
  EXPECT_EQ(tubes, 3);
  EXPECT_EQ(studs, 8);
  file.RemoveAll();
  file.BuildPlate(1, 1, 8, 1);
  ASSERT_EQ(Ref(file, file.GetCount() - 1).GetFileName(), "stud.dat");
  EXPECT_EQ(Ref(file, file.GetCount() - 1).GetPosition(), CVector3(0, 0, 0));
  // No tubes: the inversion and the inner box follow the certification at once.
  EXPECT_EQ(file.GetAt(1)->GetType(), ElementType::Comment);
  ASSERT_EQ(file.GetAt(2)->GetType(), ElementType::Reference);
  EXPECT_EQ(Ref(file, 2).GetFileName(), "box5.dat");
}

TEST_F(GeneratorFileTest, PlateSizesOutsideTheBoundsBuildNothing) {
  for (auto [w, l, h] : {std::tuple{0, 4, 8}, {4, -1, 8}, {1000, 1000, 8}, {4, 4, 0}, {4, 4, 2000000000}}) {
    file.BuildPlate(w, l, h, 1);
    EXPECT_EQ(file.GetCount(), 0u);
  }
}

TEST_F(GeneratorFileTest, GridSnapsOutwardAndRunsInItsOrder) {
  file.AddLine(16, {-25.5, -9, -3}, {41, 4, 20});
  file.AddBoundingGrid();
  ASSERT_EQ(file.GetCount(), 1u + 10u + 9u + 7u);
  const int colors[] = {33, 33, 33, 33, 33, 33, 33, 33, 33, 33, 34, 34, 34, 34, 34, 34, 34, 34, 34,
                        36, 36, 36, 36, 36, 36, 36};
  for (size_t i = 0; i < std::size(colors); ++i) EXPECT_EQ(file.GetAt(1 + i)->GetColor(), colors[i]) << i;
  ExpectNear(Prim(file, 1).GetVertex(0), -40, -16, 0, 0);
  ExpectNear(Prim(file, 1).GetVertex(1), -40, 8, 0, 0);
  ExpectNear(Prim(file, 7).GetVertex(1), 60, -16, 0, 0);
  ExpectNear(Prim(file, 20).GetVertex(0), 0, -16, -20, 0);
  CGeneratorFile onGrid;
  onGrid.AddLine(16, {-20, -8, -20}, {20, 8, 20});
  onGrid.AddBoundingGrid();
  ExpectNear(Prim(onGrid, 1).GetVertex(0), -20, -8, 0, 0);
  CGeneratorFile empty;
  empty.AddBoundingGrid();
  EXPECT_EQ(empty.GetCount(), 0u);
}

TEST_F(GeneratorFileTest, LinesFromText) {
  EXPECT_EQ(file.AddLineFromText("2 24 1 2 3 4 5 6"), 1);
  EXPECT_EQ(file.AddLineFromText("3 16 0 0 0 1 0 0 0 1 0"), 0);
  EXPECT_EQ(file.AddLineFromText("1 16 0 0 0 1 0 0 0 1 0 0 0 1 stud.dat"), 1);
  EXPECT_EQ(file.AddLineFromText("0 BFC CERTIFY CCW\n"), 1);
  EXPECT_EQ(file.AddLineFromText("4 16 0 0 0 1 0 0 0 1"), 0);
  EXPECT_EQ(file.AddLineFromText("x"), 0);
  ASSERT_EQ(file.GetCount(), 3u);
  EXPECT_EQ(file.GetAt(0)->GetType(), ElementType::Line);
  EXPECT_EQ(file.GetAt(0)->GetColor(), 24);
  EXPECT_EQ(file.GetAt(1)->GetType(), ElementType::Reference);
  EXPECT_EQ(Ref(file, 1).GetFileName(), "stud.dat");
  EXPECT_EQ(file.GetAt(2)->GetType(), ElementType::Comment);
}

}  // namespace
