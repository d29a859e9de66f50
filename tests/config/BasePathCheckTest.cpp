#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

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

// Libraries on Linux are often spelt in lower case; only the two folders and the stud decide.
TEST(BasePathCheck, AnyLetterCaseOfTheFoldersAndNothingLess) {
  struct Row {
    const char* what;
    std::vector<std::string> folders;
    const char* stud;  // nullptr: none
    int status;
  };
  const Row rows[] = {
      {"lower case", {"p", "parts"}, "p/stud.dat", kBasePathOk},
      {"mixed case", {"P", "parts"}, "P/Stud.DAT", kBasePathOk},
      {"neither folder", {"models"}, nullptr, kBasePathNoFolders},
      {"only p", {"p"}, nullptr, kBasePathNoFolders},
      {"only parts", {"parts"}, nullptr, kBasePathNoFolders},
      {"parts is a file", {"p"}, "parts", kBasePathNoFolders},
      {"no stud", {"p", "parts"}, "p/other.dat", kBasePathNoLibrary},
  };
  int n = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CScratchDir scratch;
    const std::string lib = scratch / ("lib" + std::to_string(++n));
    MakeDirectories(lib);
    for (const std::string& folder : row.folders) MakeDirectories(lib + "/" + folder);
    if (row.stud) WriteFileBytes(lib + "/" + row.stud, "0 Stud\n");
    std::string normalised = "untouched";
    EXPECT_EQ(CheckBasePath(lib, &normalised), row.status);
    EXPECT_EQ(normalised, row.status == kBasePathOk ? lib : "untouched");
  }
}

// A leading "~" is the home folder; "~" elsewhere, or a name without a leading '/', is no path.
TEST(BasePathCheck, TheHomeFolderAsTyped) {
  CScratchDir home;
  MakeDirectories(home / "ldraw/p");
  MakeDirectories(home / "ldraw/parts");
  WriteFileBytes(home / "ldraw/p/stud.dat", "0 Stud\n");
  const char* saved = std::getenv("HOME");
  const std::string oldHome = saved ? saved : "";
  setenv("HOME", home.Path().c_str(), 1);  // with its trailing '/'
  std::string normalised;
  EXPECT_EQ(CheckBasePath("~/ldraw/", &normalised), kBasePathOk);
  EXPECT_EQ(normalised, home / "ldraw");
  EXPECT_EQ(CheckBasePath("~"), kBasePathNoFolders);
  EXPECT_EQ(CheckBasePath("ldraw"), kBasePathInvalidInput);
  EXPECT_EQ(CheckBasePath("~ldraw"), kBasePathInvalidInput);
  if (saved)
    setenv("HOME", oldHome.c_str(), 1);
  else
    unsetenv("HOME");
}

TEST(BasePathCheck, TheSharedLibraryIsUsable) {
  REQUIRE_LDRAW_LIBRARY(dir);
  EXPECT_EQ(CheckBasePath(dir), kBasePathOk);
}

}  // namespace
