// Generated parts as model elements: placed by the extent of the real part, turned parts covering
// exactly their cells, and steps between the layers.
#include "model/GeneratorSink.h"

#include <gtest/gtest.h>

#include <cmath>

#include "config/PartList.h"
#include "model/FileCache.h"
#include "model/QvElement.h"
#include "model/QvFile.h"
#include "model/RotationModel.h"
#include "tests/model/LibraryScope.h"
#include "tests/support/PartListScope.h"
#include "tests/support/TestData.h"

namespace {

struct Box {
  CVector3 min{1e9, 1e9, 1e9}, max{-1e9, -1e9, -1e9};
};

Box ExtentOf(CQvPart& part) {
  Box b;
  part.ExtendBoundingBox(CVector3(), CMatrix3::Identity(), b.min, b.max, 1);
  return b;
}

TEST(GeneratorSink, RotationModelElementsSitOnTheirCells) {
  REQUIRE_LDRAW_LIBRARY(lib);
  CLibraryScope library{lib, 0};
  PartListScope listed;  // ends after the elements below, before the library scope
  int changed = 0;
  ASSERT_EQ(thePartList.ScanDirectory(lib, "parts", false, changed), 1);
  CRotationModel model;
  model.Resize(4, 4);
  for (int c = 0; c < 4; ++c) model.SetCell(c, 3, 4);  // a full disc of radius 4, red
  model.SetCell(3, 2, 1);                              // the axis cell one row up, blue
  CQvFile target;
  CModelGeneratorSink sink(target);
  ASSERT_EQ(model.Generate({1, false}, sink, nullptr), CLayeredBuilder::kDone);
  size_t parts = 0, steps = 0;
  for (size_t i = 0; i < target.GetCount(); ++i) {
    CQvPart* part = target.GetAt(i);
    auto* element = dynamic_cast<CQvElement*>(part);
    if (!element) {
      ++steps;
      continue;
    }
    ++parts;
    EXPECT_EQ(element->GetFileName(), "3004.dat");
    const Box b = ExtentOf(*element);
    // The body covers whole studs: a 1 x 2 footprint either way round.
    const double w = b.max.x - b.min.x, d = b.max.z - b.min.z;
    EXPECT_TRUE((std::lround(w) == 40 && std::lround(d) == 20) || (std::lround(w) == 20 && std::lround(d) == 40))
        << w << " x " << d;
    EXPECT_NEAR(std::fmod(b.min.x + 1000, 20.0), 0, 1e-6);
    EXPECT_NEAR(std::fmod(b.min.z + 1000, 20.0), 0, 1e-6);
  }
  EXPECT_EQ(parts, 26u + 2u);  // 52 disc cells and the 2 x 2 axis block in 1 x 2 bricks
  EXPECT_EQ(steps, 2u);
}

}  // namespace
