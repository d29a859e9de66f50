#include <gtest/gtest.h>

#include <filesystem>

#include "config/PathResolver.h"
#include "support/TestData.h"

namespace {

class PathResolverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeDirectories(dir / "parts/s");
    MakeDirectories(dir / "p/48");
    WriteFileBytes(dir / "parts/3001.dat", "0 Brick\n");
    WriteFileBytes(dir / "parts/s/3001s01.dat", "0 sub\n");
    WriteFileBytes(dir / "p/STUD.DAT", "0 stud\n");
    WriteFileBytes(dir / "p/48/1-4cyli.dat", "0 cyl\n");
    WriteFileBytes(dir / "p/Case.dat", "0 a\n");
    WriteFileBytes(dir / "p/case.dat", "0 b\n");
  }
  static void MakeDirectories(const std::string& p) { std::filesystem::create_directories(p); }
  CScratchDir dir;
  CPathResolver resolver;
};

TEST_F(PathResolverTest, ComponentsIgnoreCaseAndBothSeparators) {
  std::string base = dir.Path();
  struct Case {
    const char* in;
    const char* out;  // below the base; empty = not found
  } cases[] = {
      {"PARTS\\3001.DAT", "parts/3001.dat"},
      {"parts/S\\3001S01.dat", "parts/s/3001s01.dat"},
      {"P\\stud.dat", "p/STUD.DAT"},
      {"p\\48\\1-4CYLI.DAT", "p/48/1-4cyli.dat"},
      {"parts\\.\\s\\..\\3001.dat", "parts/3001.dat"},
      {"parts\\3002.dat", ""},
      {"nothing\\3001.dat", ""},
      {"p\\case.dat", "p/case.dat"},  // the exact spelling wins over another case
      {"p\\Case.dat", "p/Case.dat"},
  };
  for (const Case& c : cases) {
    std::string want = *c.out ? base + c.out : "";
    EXPECT_EQ(resolver.Resolve(base, c.in), want) << c.in;
  }
  EXPECT_EQ(resolver.ResolvePath("/nowhere", base + "PARTS/3001.DAT"), base + "parts/3001.dat");
}

TEST_F(PathResolverTest, ListingsAreCachedUntilInvalidated) {
  std::string base = dir.Path();
  EXPECT_EQ(resolver.Resolve(base, "parts\\new.dat"), "");
  WriteFileBytes(dir / "parts/New.dat", "0 new\n");
  EXPECT_EQ(resolver.Resolve(base, "parts\\new.dat"), "") << "the listing was cached";
  resolver.Invalidate();
  EXPECT_EQ(resolver.Resolve(base, "parts\\new.dat"), base + "parts/New.dat");
}

TEST(PathResolverLibrary, RealLibraryNames) {
  REQUIRE_LDRAW_LIBRARY(lib);
  CPathResolver r;
  EXPECT_FALSE(r.Resolve(lib, "P\\STUD.DAT").empty());
  EXPECT_FALSE(r.Resolve(lib, "PARTS\\S\\3001S01.DAT").empty());
  EXPECT_FALSE(r.Resolve(lib, "ldconfig.ldr").empty());
}

}  // namespace
