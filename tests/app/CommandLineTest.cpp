#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {
using Shell = CCommandLineInfo::Shell;

struct Case {
  std::vector<std::string> args;
  Shell shell;
  std::string file;
  bool splash;
  size_t unknown;
  bool error;
};

TEST(CommandLine, Table) {
  const Case cases[] = {
      {{}, Shell::New, "", true, 0, false},
      {{"a.ldr"}, Shell::Open, "a.ldr", true, 0, false},
      // An absolute path is a file, never a flag.
      {{"/home/u/a.ldr"}, Shell::Open, "/home/u/a.ldr", true, 0, false},
      {{"-p", "a.ldr"}, Shell::Print, "a.ldr", true, 0, false},
      {{"-P", "/m/a.mpd"}, Shell::Print, "/m/a.mpd", true, 0, false},
      {{"-pt", "a.ldr", "prn", "drv", "port"}, Shell::PrintTo, "a.ldr", true, 0, false},
      {{"-pt", "a.ldr", "prn"}, Shell::PrintTo, "a.ldr", true, 0, true},
      {{"-p"}, Shell::Print, "", true, 0, true},
      {{"-Embedding"}, Shell::New, "", false, 0, false},
      {{"--automation", "a.ldr"}, Shell::Open, "a.ldr", false, 0, false},
      {{"-register"}, Shell::Register, "", true, 0, false},
      {{"-Regserver"}, Shell::Register, "", true, 0, false},
      {{"-unregister"}, Shell::Unregister, "", true, 0, false},
      {{"-UNREGSERVER"}, Shell::Unregister, "", true, 0, false},
      {{"-dde"}, Shell::Dde, "", true, 0, false},
      {{"-x", "a.ldr", "--verbose"}, Shell::Open, "a.ldr", true, 2, false},
      // "--" ends the flags: a file named like a flag can still be opened.
      {{"--", "-odd.ldr"}, Shell::Open, "-odd.ldr", true, 0, false},
      // A lone "-" is not a flag.
      {{"-"}, Shell::Open, "-", true, 0, false},
  };
  for (const Case& c : cases) {
    std::string label;
    for (const auto& a : c.args) label += a + " ";
    CCommandLineInfo info = ParseCommandLine(c.args);
    EXPECT_EQ(info.shellCommand, c.shell) << label;
    EXPECT_EQ(info.fileName, c.file) << label;
    EXPECT_EQ(info.showSplash, c.splash) << label;
    EXPECT_EQ(info.unknownFlags.size(), c.unknown) << label;
    EXPECT_EQ(!info.error.empty(), c.error) << label;
  }
}

TEST(CommandLine, PrintToKeepsPrinterDriverAndPort) {
  CCommandLineInfo info = ParseCommandLine({"-pt", "m.ldr", "Laser 1", "drv", "lp0"});
  EXPECT_EQ(info.printerName, "Laser 1");
  EXPECT_EQ(info.driverName, "drv");
  EXPECT_EQ(info.portName, "lp0");
}

TEST(CommandLine, SecondFileIsKeptAsExtraArgument) {
  CCommandLineInfo info = ParseCommandLine({"a.ldr", "b.ldr"});
  EXPECT_EQ(info.fileName, "a.ldr");
  EXPECT_EQ(info.extraArguments, (std::vector<std::string>{"b.ldr"}));
  EXPECT_STREQ(ShellCommandName(info.shellCommand), "open");
}
}  // namespace
