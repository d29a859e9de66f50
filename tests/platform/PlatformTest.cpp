#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/PlatformInit.h"
#include "platform/Profile.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "support/ScriptedPrompt.h"
#include "support/TestData.h"

namespace {

TEST(StringTable, KnownAndUnknownIds) {
  EXPECT_EQ(LoadResString(1123), "FATAL ERROR: Tolvo.DLL has not been found!");
  EXPECT_EQ(LoadResString(1109), "Error in %s at line %lu!\nContinue loading?");
  EXPECT_EQ(LoadResString(1), "");
  SetStringTranslator([](const char* en) { return std::string("[") + en + "]"; });
  EXPECT_EQ(LoadResString(1122), "[File Name]");
  SetStringTranslator(nullptr);
}

TEST(StringTable, FillTextArgsReplacesConversionsInOrderAndNothingElse) {
  struct Case {
    const char *text, *filled;
  } cases[] = {
      {"Model: %s (%s)", "Model: A (b.ldr)"},
      {"Page %lu of %lu.", "Page A of b.ldr."},
      {"%d%%", "A%"},
      // More conversions than arguments, and ones that are not ours, stay harmless.
      {"%s %s %s %n %x", "A b.ldr  %n %x"},
      {"trailing %", "trailing %"},
  };
  for (const Case& c : cases) EXPECT_EQ(FillTextArgs(c.text, {"A", "b.ldr"}), c.filled) << c.text;
}

TEST(Prompt, MessageByIdIsFormattedAndScripted) {
  CScriptedPrompt prompt;
  prompt.Answer(PromptAnswer::No);
  PromptAnswer a = ShowMessageId(1109, PromptButtons::YesNo, PromptIcon::Exclamation, "a.ldr", 12ul);
  EXPECT_EQ(a, PromptAnswer::No);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "Error in a.ldr at line 12!\nContinue loading?");
  EXPECT_EQ(prompt.shown[0].icon, PromptIcon::Exclamation);
  {
    CBusyCursor busy;
    EXPECT_EQ(prompt.busyDepth, 1);
  }
  EXPECT_EQ(prompt.busyDepth, 0);
}

TEST(Folders, ProgramDirectoryIsRealAndNotUpperCased) {
  std::string dir = GetProgramDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), '/');
  EXPECT_TRUE(IsDirectory(dir));
}

TEST(Folders, StateDirectoryFollowsXdgAndIsPrivate) {
  CScratchDir scratch;
  setenv("XDG_STATE_HOME", scratch.Path().c_str(), 1);
  std::string dir = GetStateDirectory();
  EXPECT_EQ(dir, scratch.Path() + "Plandor/");
  struct stat st;
  ASSERT_EQ(stat(dir.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  unsetenv("XDG_STATE_HOME");
}

// A link placed at the state folder's name (to a folder of someone else, say) is neither followed
// nor changed: the mode of the folder it leads to stays, and the program runs without the folder.
TEST(Folders, StateDirectoryRefusesASymbolicLink) {
  CScratchDir scratch;
  std::string elsewhere = scratch / "elsewhere";
  ASSERT_TRUE(MakeDirectories(elsewhere));
  ASSERT_EQ(chmod(elsewhere.c_str(), 0755), 0);
  ASSERT_EQ(symlink(elsewhere.c_str(), (scratch / "Plandor").c_str()), 0);
  setenv("XDG_STATE_HOME", scratch.Path().c_str(), 1);
  EXPECT_EQ(GetStateDirectory(), "");
  unsetenv("XDG_STATE_HOME");
  struct stat st;
  ASSERT_EQ(stat(elsewhere.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0755u);
  ASSERT_EQ(lstat((scratch / "Plandor").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(Folders, PrivateTempDirectoryIsMadeOnce) {
  std::string a = GetTempDirectory();
  ASSERT_FALSE(a.empty());
  EXPECT_EQ(a, GetTempDirectory());
  EXPECT_TRUE(IsWritableDirectory(a));
}

// A read-only library folder must keep its files also when the program runs as root (for whom
// access() reports every folder writable); the per-user folder takes the files then.
TEST(Folders, AFolderWithoutWriteBitsIsNotWritable) {
  CScratchDir scratch;
  std::string dir = scratch / "library";
  ASSERT_TRUE(MakeDirectories(dir));
  EXPECT_TRUE(IsWritableDirectory(dir));
  ASSERT_EQ(chmod(dir.c_str(), 0555), 0);
  EXPECT_FALSE(IsWritableDirectory(dir));
  chmod(dir.c_str(), 0755);
  EXPECT_FALSE(IsWritableDirectory(scratch / "missing"));
}

// A bare file name would land in the current folder, which is the open model's.
TEST(Profile, WithoutAHomeTheProfileIsNotInTheCurrentFolder) {
  const char* home = std::getenv("HOME");
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const std::string oldHome = home ? home : "", oldConfig = config ? config : "";
  unsetenv("HOME");
  unsetenv("XDG_CONFIG_HOME");
  const std::string path = GetDefaultProfilePath();
  if (home) setenv("HOME", oldHome.c_str(), 1);
  if (config) setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1);
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.front(), '/') << path;
  EXPECT_EQ(path, GetTempDirectory() + "Plandor.conf");
}

TEST(Profile, ValuesSurviveAReopen) {
  CScratchDir scratch;
  std::string path = scratch / "profile.conf";
  {
    CFileProfile p(path);
    EXPECT_EQ(p.GetProfileString("Settings", "Author", "nobody"), "nobody");
    EXPECT_TRUE(p.WriteProfileString("Settings", "Author", "A. Builder, 0.5 %s"));
    EXPECT_TRUE(p.WriteProfileInt("Settings", "Grid", -3));
    EXPECT_TRUE(p.WriteProfileString("GroupDefs", "Bricks", "3001 | 3002"));
    EXPECT_TRUE(p.Flush());
  }
  CFileProfile p(path);
  EXPECT_EQ(p.GetProfileString("Settings", "Author", ""), "A. Builder, 0.5 %s");
  EXPECT_EQ(p.GetProfileInt("Settings", "Grid", 0), -3);
  EXPECT_EQ(p.GetKeys("Settings"), (std::vector<std::string>{"Author", "Grid"}));
  EXPECT_TRUE(p.HasEntry("GroupDefs", "Bricks"));
  EXPECT_TRUE(p.DeleteSection("GroupDefs"));
  EXPECT_FALSE(p.HasEntry("GroupDefs", "Bricks"));
  EXPECT_TRUE(p.GetKeys("Nothing").empty());
}

TEST(AtomicFile, CommitReplacesAndFailureKeepsTheOldFile) {
  CScratchDir scratch;
  std::string target = scratch / "model.ldr";
  ASSERT_TRUE(WriteFileBytes(target, "old\n"));
  {
    CAtomicFile f;
    ASSERT_NE(f.Open(target), nullptr);
    std::fputs("new\n", f.Stream());
    // Not committed: dropped by the destructor.
  }
  EXPECT_EQ(ReadFileBytes(target), "old\n");
  CAtomicFile f;
  ASSERT_NE(f.Open(target), nullptr);
  std::fputs("new\n", f.Stream());
  EXPECT_TRUE(f.Commit());
  EXPECT_EQ(ReadFileBytes(target), "new\n");
}

}  // namespace

namespace {
// Resident bytes of this process.
long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}
}  // namespace

// After the start, what a model read takes first comes from pages the heap already holds: the
// read faults none of them in.
TEST(PlatformInit, TheHeapIsFaultedInAtStartAndAReadTakesItsPagesFromIt) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer keeps a heap of its own";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "the sanitizer keeps a heap of its own";
#endif
#endif
  InitPlatform();
  AwaitMainHeap();
  InitPlatform();  // a second call prepares nothing more
  AwaitMainHeap();
  constexpr size_t kRead = size_t{16} << 20;
  const long before = ResidentBytes();
  // Written through a volatile pointer, so that the block is really taken and touched.
  volatile char* block = static_cast<char*>(std::malloc(kRead));
  ASSERT_NE(block, nullptr);
  for (size_t i = 0; i < kRead; i += 4096) block[i] = 1;
  const long grown = ResidentBytes() - before;
  std::free(const_cast<char*>(block));
  EXPECT_LT(grown, long{4} << 20) << "resident bytes grew by " << grown;
}
