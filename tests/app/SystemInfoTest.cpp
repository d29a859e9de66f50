#include <gtest/gtest.h>

#include "app/RecentFiles.h"
#include "app/SystemInfo.h"
#include "platform/Profile.h"
#include "support/TestData.h"

namespace {

TEST(SystemInfo, LogBlocks) {
  OsInfo os{true, "Linux", "6.1.0", "#1 SMP", "x86_64"};
  EXPECT_EQ(FormatOsInfo(os),
            "Operating System Info\n"
            "  System               : Linux\n"
            "  Release              : 6.1.0\n"
            "  Version              : #1 SMP\n"
            "  Machine              : x86_64\n"
            "  Operating System     : Linux 6.1.0\n");
  EXPECT_EQ(FormatOsInfo(OsInfo{}), "Operating System Info\n  Operating System     : UNKNOWN\n");

  // 8 GiB of which 2 GiB free: 75 % in use. Sizes beyond 32 bits are written whole.
  MemoryInfo m{true, 2147483648ull, 8589934592ull, 0, 1073741824ull, 0, 0};
  EXPECT_EQ(MemoryLoadPercent(m), 75u);
  EXPECT_EQ(FormatMemoryInfo(m),
            "\nMemory Info:\n"
            "  Physical Memory: 2147483648 of 8589934592 available\n"
            "  Paging File    : 0 of 1073741824 available\n"
            "  Virtual Memory : unlimited\n"
            "  Current Load   : 75%\n");

  EXPECT_EQ(FormatDesktopInfo(DesktopInfo{true, 1280, 1024, 24}),
            "\nDesktop Info:\n  Resolution: 1280 x 1024\n  Planes : 1\n  Depth  : 24 bits\n");
  EXPECT_EQ(FormatDesktopInfo(DesktopInfo{}), "\nDesktop Info:\n  Not available\n");
}

TEST(SystemInfo, QueriesOfThisMachine) {
  EXPECT_TRUE(QueryOsInfo().known);
  MemoryInfo m = QueryMemoryInfo();
  ASSERT_TRUE(m.known);
  EXPECT_GT(m.physicalTotal, 0u);
  EXPECT_LE(MemoryLoadPercent(m), 100u);
}

TEST(RecentFiles, TenEntriesSurviveAReopenAndStaleKeysGo) {
  CScratchDir scratch;
  std::string path = scratch / "profile.conf";
  std::vector<std::string> files;
  for (int i = 0; i < 12; ++i) files.push_back("/models/m" + std::to_string(i) + ".ldr");
  {
    CFileProfile p(path);
    SaveRecentFiles(p, files);
    ASSERT_TRUE(p.Flush());
  }
  {
    CFileProfile p(path);
    std::vector<std::string> back = LoadRecentFiles(p);
    EXPECT_EQ(back, std::vector<std::string>(files.begin(), files.begin() + 10));
    EXPECT_EQ(p.GetProfileString("Recent File List", "File1", ""), "/models/m0.ldr");
    SaveRecentFiles(p, {"/b.mpd", "/a b/c.ldr"});
    ASSERT_TRUE(p.Flush());
  }
  CFileProfile p(path);
  EXPECT_EQ(LoadRecentFiles(p), (std::vector<std::string>{"/b.mpd", "/a b/c.ldr"}));
  EXPECT_FALSE(p.HasEntry("Recent File List", "File3"));
}

}  // namespace
