#include <gtest/gtest.h>

#include "config/BasePathCheck.h"
#include "platform/Folders.h"
#include "support/TestData.h"

namespace {

TEST(BasePathCheck, StatusOfEachKindOfFolder) {
  CScratchDir scratch;
  std::string lib = scratch / "lib";
  EXPECT_EQ(CheckBasePath(""), kBasePathInvalidInput);
  EXPECT_EQ(CheckBasePath("ldraw"), kBasePathInvalidInput);  // relative: depends on where one starts
  EXPECT_EQ(CheckBasePath(lib), kBasePathNoFolders);
  MakeDirectories(lib + "/P");
  EXPECT_EQ(CheckBasePath(lib), kBasePathNoFolders);
  MakeDirectories(lib + "/PARTS");
  EXPECT_EQ(CheckBasePath(lib), kBasePathNoLibrary);
  // Any letter case of the folders and the stud will do.
  WriteFileBytes(lib + "/P/STUD.DAT", "0 Stud\n");
  std::string normalised;
  EXPECT_EQ(CheckBasePath(lib + "//", &normalised), kBasePathOk);
  EXPECT_EQ(normalised, lib);
  EXPECT_STREQ(BasePathStatusText(kBasePathNoFolders), "Invalid path (no Parts and/or P dir found)!");
  EXPECT_STREQ(BasePathStatusText(3), "Unknown status (error)!");
}

TEST(BasePathCheck, TheSharedLibraryIsUsable) {
  REQUIRE_LDRAW_LIBRARY(dir);
  EXPECT_EQ(CheckBasePath(dir), kBasePathOk);
}

}  // namespace
