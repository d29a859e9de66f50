// Writing Parts.lst: the exception codes and what they leave on disk.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <filesystem>

#include "PartListTestSupport.h"
#include "config/LdrException.h"
#include "config/PartList.h"
#include "platform/Folders.h"
#include "platform/Numbers.h"
#include "platform/PlatformInit.h"

namespace {

constexpr const char* kPrevious = "old.dat        The list before this save\n";

// A list of `n` scanned parts in a scratch library.
struct SaveFixture : CTestPartList {
  explicit SaveFixture(int n = 3) {
    std::filesystem::create_directories(lib / "parts");
    for (int i = 0; i < n; ++i)
      WriteFileBytes(lib / StrPrintf("parts/p%05d.dat", i), StrPrintf("0 Part number %05d\n", i));
    int changed = 0;
    list.ScanDirectory(lib.Path(), "parts", false, changed);
  }
  int SaveCode(const std::string& folder) {
    try {
      list.SavePartsListTo(folder);
    } catch (const CLdrException& e) {
      return e.GetCode();
    }
    return -1;
  }
  CScratchDir lib;
};

// File operations that fail on demand; a failed write may leave a damaged target behind.
class CFailingOps : public CPartListFileOps {
 public:
  bool CopyFile(const std::string& from, const std::string& to) override {
    ++copies;
    if (copies > copiesAllowed) return false;
    return CPartListFileOps::CopyFile(from, to);
  }
  bool WriteFile(const std::string& target, const std::string& bytes) override {
    if (damageTarget) WriteFileBytes(target, bytes.substr(0, bytes.size() / 2));
    return false;
  }
  int copies = 0;
  int copiesAllowed = 100;
  bool damageTarget = false;
};

TEST(PartListSave, CopyToPartsOldFailsCode0) {
  SaveFixture f;
  CScratchDir out;
  WriteFileBytes(out / "Parts.lst", kPrevious);
  std::filesystem::create_directories(out / "Parts.old/keep");  // cannot be replaced by a file
  EXPECT_EQ(f.SaveCode(out.Path()), 0);
  EXPECT_EQ(ReadFileBytes(out / "Parts.lst"), kPrevious);
}

TEST(PartListSave, FailedWriteKeepsThePreviousListCode1) {
  SaveFixture f;
  CScratchDir out;
  WriteFileBytes(out / "Parts.lst", kPrevious);
  CFailingOps ops;
  f.list.SetFileOps(&ops);
  EXPECT_EQ(f.SaveCode(out.Path()), 1);
  EXPECT_EQ(ReadFileBytes(out / "Parts.lst"), kPrevious);
  EXPECT_EQ(ReadFileBytes(out / "Parts.old"), kPrevious);
  f.list.SetFileOps(nullptr);
}

TEST(PartListSave, DamagedListIsRestoredFromPartsOldCode1) {
  SaveFixture f;
  CScratchDir out;
  WriteFileBytes(out / "Parts.lst", kPrevious);
  CFailingOps ops;
  ops.damageTarget = true;
  f.list.SetFileOps(&ops);
  EXPECT_EQ(f.SaveCode(out.Path()), 1);
  EXPECT_EQ(ReadFileBytes(out / "Parts.lst"), kPrevious);
  EXPECT_EQ(ops.copies, 2);
  f.list.SetFileOps(nullptr);
}

TEST(PartListSave, RestoreFailsTooCode2) {
  SaveFixture f;
  CScratchDir out;
  WriteFileBytes(out / "Parts.lst", kPrevious);
  CFailingOps ops;
  ops.damageTarget = true;
  ops.copiesAllowed = 1;  // the copy to Parts.old works, the copy back does not
  f.list.SetFileOps(&ops);
  EXPECT_EQ(f.SaveCode(out.Path()), 2);
  EXPECT_NE(ReadFileBytes(out / "Parts.lst"), kPrevious);
  EXPECT_EQ(ReadFileBytes(out / "Parts.old"), kPrevious);
  f.list.SetFileOps(nullptr);
}

// Without an earlier list, a stale Parts.old from some other run must not become the list.
TEST(PartListSave, NoPreviousListNothingRestored) {
  SaveFixture f;
  CScratchDir out;
  WriteFileBytes(out / "Parts.old", kPrevious);
  CFailingOps ops;
  f.list.SetFileOps(&ops);
  EXPECT_EQ(f.SaveCode(out.Path()), 1);
  EXPECT_FALSE(FileExists(out / "Parts.lst"));
  EXPECT_EQ(ops.copies, 0);
  f.list.SetFileOps(nullptr);
}

// A real write that fails when the data reaches the disk (here: the file size limit): the error
// surfaces at flush or close, and must still be a failure.
TEST(PartListSave, WriteErrorAtFlushIsAFailure) {
  SaveFixture f(400);  // about 32 KB of list
  CScratchDir out;
  WriteFileBytes(out / "Parts.lst", kPrevious);
  struct rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  InitPlatform();  // as the program starts: a write past the limit then fails instead of ending it
  struct rlimit small = saved;
  small.rlim_cur = 8192;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  int code = f.SaveCode(out.Path());
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(code, 1);
  EXPECT_EQ(ReadFileBytes(out / "Parts.lst"), kPrevious);
  EXPECT_EQ(ReadFileBytes(out / "Parts.old"), kPrevious);
  // No temporary file is left behind.
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(out.Path())) files += e.is_regular_file();
  EXPECT_EQ(files, 2);
}

TEST(PartListSave, SuccessfulSaveKeepsThePreviousListAsPartsOld) {
  SaveFixture f;
  CScratchDir out;
  WriteFileBytes(out / "parts.lst", kPrevious);  // the library's own spelling
  EXPECT_EQ(f.SaveCode(out.Path()), -1);
  EXPECT_EQ(ReadFileBytes(out / "Parts.old"), kPrevious);
  EXPECT_EQ(ReadFileBytes(out / "parts.lst"), f.list.FormatPartsList());
  EXPECT_FALSE(FileExists(out / "Parts.lst"));
}

// A library folder the user may not write to: the list goes to the per-user folder and is read
// from there afterwards; the library stays untouched.
TEST(PartListSave, ReadOnlyLibraryUsesThePerUserFolder) {
  SaveFixture f;
  PartListPlaces places;
  places.userFolder = f.userDir.Path();
  places.importFolder = f.importDir.Path();
  places.isWritable = [](const std::string&) { return false; };
  f.list.SetPlaces(places);
  EXPECT_EQ(f.list.GetPartsListFolder(f.lib.Path(), false), f.lib.Path());  // nothing written yet
  f.list.SavePartsList(f.lib.Path());
  EXPECT_FALSE(FileExists(f.lib / "Parts.lst"));
  EXPECT_EQ(ReadFileBytes(f.userDir / "Parts.lst"), f.list.FormatPartsList());

  CTestPartList reader;
  reader.list.SetPlaces(places);
  ASSERT_EQ(reader.list.LoadPartsList(f.lib.Path()), 1);
  EXPECT_EQ(reader.list.GetCount(kLibraryParts), 3u);
}

TEST(PartListSave, WritableLibraryKeepsTheListInTheLibrary) {
  SaveFixture f;
  f.list.SavePartsList(f.lib.Path());
  EXPECT_TRUE(FileExists(f.lib / "Parts.lst"));
  EXPECT_FALSE(FileExists(f.userDir / "Parts.lst"));
}

}  // namespace
