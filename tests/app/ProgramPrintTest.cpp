// The command line's print flags in the real program: -pt with a ".pdf" target writes the
// building instructions into that file without any printer; -p and -pt with a printer hand a PDF
// to the print spooler's lp (here a stand-in script that keeps what it gets); without lp the run
// ends with status 1 and a log line, never waiting for a printer.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "GuiTest.h"
#include "ProgramSpawn.h"
#include "platform/Folders.h"
#include "support/TestData.h"

namespace {

// Two models of two steps each: four pictures in all, and a parts list.
constexpr const char* kModel =
    "0 FILE main.ldr\n0 Main\n0 Name: main.ldr\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n0 STEP\n"
    "1 1 0 -24 0 1 0 0 0 1 0 0 0 1 sub.ldr\n0 STEP\n"
    "0 FILE sub.ldr\n0 Sub\n0 Name: sub.ldr\n1 2 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n0 STEP\n"
    "1 14 0 -24 0 1 0 0 0 1 0 0 0 1 3001.dat\n0 STEP\n";

size_t CountPages(const std::string& pdf) {
  size_t pages = 0;
  for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
    if (pdf.compare(at, 12, "/Type /Pages") != 0) ++pages;
  return pages;
}

class ProgramPrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!GuiAvailable()) GTEST_SKIP() << "no display (run the GUI tests under xvfb-run)";
    m_program = BuiltProgramPath();
    if (m_program.empty()) GTEST_SKIP() << "plandor not built";
    m_shared = TestLibraryDir();
    if (m_shared.empty()) GTEST_SKIP() << "no LDraw library (set LDRAWDIR or put it in ../shared/ldraw)";
    m_library = m_home / "library";
    LinkLibraryFolders(m_shared, m_library);
    WriteFileBytes(m_library + "/Parts.lst", "3001.dat       Brick  2 x  4\n");
    MakeDirectories(m_home / "config/Plandor");
    WriteFileBytes(m_home / "config/Plandor/Plandor.conf", "[Settings]\nRegFileTypes=0\nAutoPartUpgrade=0\n");
    m_model = m_home / "two models.mpd";
    WriteFileBytes(m_model, kModel);
    MakeDirectories(m_home / "bin");
  }
  void TearDown() override {
    UnlinkLibraryFolders(m_library);
  }

  // A stand-in for lp that records its arguments and keeps a copy of the file it is given.
  void InstallFakeLp() {
    const std::string script = m_home / "bin/lp";
    WriteFileBytes(script, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + (m_home / "lp-args") +
                               "\"\nfor a; do last=$a; done\ncp \"$last\" \"" + (m_home / "spooled.pdf") + "\"\n");
    chmod(script.c_str(), 0755);
  }

  // Runs the program to its end; its exit status, -1 when it had to be killed.
  int Run(const std::vector<std::string>& args, bool withLp) {
    std::map<std::string, std::string> changes = ProgramHomeEnvironment(m_home.Path(), m_library);
    changes["PATH"] = withLp ? (m_home / "bin") + ":/usr/bin:/bin" : m_home / "bin";
    const pid_t pid = SpawnProgram(m_program, args, changes);
    if (pid < 0) return -2;
    return WaitForProgramStatus(pid, std::chrono::seconds(90));
  }
  std::string Log() { return ReadFileBytes(m_home / "state/Plandor/Plandor.log"); }

  CScratchDir m_home;
  std::string m_program, m_shared, m_library, m_model;
};

TEST_F(ProgramPrintTest, PrintsToAPdfFileWithoutAPrinter) {
  const std::string target = m_home / "instructions.pdf";
  ASSERT_EQ(Run({"-pt", m_model, target, "driver", "port"}, false), 0) << Log();
  const std::string pdf = ReadFileBytes(target);
  ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u) << "no PDF written; log:\n" << Log();
  // Two models, each a page of pictures and a page of its parts list at the default settings.
  EXPECT_GE(CountPages(pdf), 2u);
  EXPECT_NE(Log().find("Start-up ended (exit status 0)"), std::string::npos) << Log();
}

TEST_F(ProgramPrintTest, HandsThePagesToTheSpoolerAndEndsWithItsOutcome) {
  InstallFakeLp();
  ASSERT_EQ(Run({"-pt", m_model, "Office Laser", "driver", "port"}, true), 0) << Log();
  const std::string args = ReadFileBytes(m_home / "lp-args");
  EXPECT_NE(args.find("-d\nOffice Laser\n"), std::string::npos) << args;
  EXPECT_NE(args.find("-t\ntwo models.mpd\n"), std::string::npos) << args;
  EXPECT_EQ(ReadFileBytes(m_home / "spooled.pdf").rfind("%PDF-", 0), 0u);
  // The temporary pages are gone once the spooler has them.
  const std::string spooled = args.substr(args.rfind('\n', args.size() - 2) + 1);
  EXPECT_FALSE(std::filesystem::exists(spooled.substr(0, spooled.size() - 1)));

  // -p prints on the default printer: no -d.
  ASSERT_EQ(Run({"-p", m_model}, true), 0) << Log();
  EXPECT_EQ(ReadFileBytes(m_home / "lp-args").find("-d\n"), std::string::npos);
}

TEST_F(ProgramPrintTest, WithoutASpoolerTheRunEndsWithAFailure) {
  EXPECT_EQ(Run({"-p", m_model}, false), 1);
  EXPECT_NE(Log().find("The print spooler did not take the pages"), std::string::npos) << Log();
}

}  // namespace
