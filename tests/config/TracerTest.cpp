#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cstdlib>

#include "config/Tracer.h"
#include "platform/PlatformInit.h"
#include "support/TestData.h"

namespace {

class TracerTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_STATE_HOME", scratch.Path().c_str(), 1); }
  void TearDown() override { unsetenv("XDG_STATE_HOME"); }
  std::string LogPath() const { return scratch.Path() + "Plandor/Plandor.log"; }
  std::string OldPath() const { return scratch.Path() + "Plandor/Plandor.old"; }
  CScratchDir scratch;
};

TEST_F(TracerTest, RotatesOnEachRunAndIgnoresASecondOpen) {
  {
    CTracer run1;
    ASSERT_EQ(run1.Open("Plandor"), 1);
    EXPECT_EQ(run1.Printf("INFO: first run %d\n", 1), 1);
    EXPECT_EQ(run1.Open("Plandor"), 1);  // no rotation, no truncation
    run1.Printf("INFO: still first\n");
  }
  EXPECT_EQ(ReadFileBytes(LogPath()), "INFO: first run 1\nINFO: still first\n");
  CTracer run2;
  ASSERT_EQ(run2.Open("Plandor"), 1);
  run2.Printf("INFO: second run\n");
  EXPECT_EQ(ReadFileBytes(OldPath()), "INFO: first run 1\nINFO: still first\n");
  EXPECT_EQ(ReadFileBytes(LogPath()), "INFO: second run\n");
}

TEST_F(TracerTest, PauseLetsAnotherWriterAppendAndResumeContinues) {
  CTracer t;
  ASSERT_EQ(t.Open("Plandor"), 1);
  t.Printf("a\n");
  t.Resume();  // without a Pause: nothing
  EXPECT_TRUE(t.IsOpen());
  t.Pause();
  EXPECT_FALSE(t.IsOpen());
  EXPECT_EQ(t.Printf("lost\n"), 0);
  FILE* other = std::fopen(t.GetPath().c_str(), "a");
  std::fputs("library line\n", other);
  std::fclose(other);
  t.Resume();
  t.Printf("b\n");
  EXPECT_EQ(ReadFileBytes(LogPath()), "a\nlibrary line\nb\n");
  t.Close();
  t.Resume();
  EXPECT_FALSE(t.IsOpen()) << "a closed log stays closed";
}

TEST_F(TracerTest, NoFileMeansNoWrites) {
  CTracer t;
  EXPECT_EQ(t.Printf("x\n"), 0);
  EXPECT_EQ(t.Open(nullptr), 0);
}

TEST_F(TracerTest, FormattingIsBounded) {
  CTracer t;
  ASSERT_EQ(t.Open("Plandor"), 1);
  std::string big(10000, 'y');
  EXPECT_EQ(t.Printf("%s", big.c_str()), 1);
  EXPECT_EQ(ReadFileBytes(LogPath()).size(), 4095u);
}

// A write error stops the log for the run; only Pause and Resume bring it back. Runs in a child
// process whose file size limit makes the write fail.
int WriteErrorScenario() {
  CTracer t;
  if (t.Open("Plandor") != 1) return 10;
  InitPlatform();  // as the program starts: a write past the limit then fails instead of ending it
  rlimit lim{};
  lim.rlim_cur = lim.rlim_max = 64;
  setrlimit(RLIMIT_FSIZE, &lim);
  std::string big(200, 'z');
  if (t.Printf("%s\n", big.c_str()) != 0) return 11;
  if (t.IsOpen()) return 12;
  t.Resume();
  if (t.IsOpen()) return 13;
  t.Pause();
  t.Resume();
  return t.IsOpen() ? 0 : 14;
}

TEST_F(TracerTest, WriteErrorStopsTheLog) {
  EXPECT_EXIT(std::_Exit(WriteErrorScenario()), ::testing::ExitedWithCode(0), "");
}

TEST_F(TracerTest, FatalReportShowsTheMessageWritesTheReportAndExitsNonZero) {
  EXPECT_EXIT(
      {
        theTracer.Open("Plandor");
        theTracer.Printf("INFO: before\n");
        theTracer.Fatal("PartList", "AddDefaultGroups", "Out of memory!\n");
      },
      ::testing::ExitedWithCode(kFatalExitCode), "TOLVO: FATAL ERROR - TERMINATING: Out of memory!");
  const std::string rule = "==================================================\n";
  EXPECT_EQ(ReadFileBytes(LogPath()),
            "INFO: before\n" + rule + "ABOUT TO TERMINATE THE PROGRAM DUE TO HEAVY ERROR!\n" + rule +
                "MODULE: PartList\nFUNCTION: AddDefaultGroups\nERROR-REPORT:\nOut of memory!\n\n");
}

}  // namespace
