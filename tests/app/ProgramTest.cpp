// Starts the real program under the tests' display and ends it the way a desktop session does.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "GuiTest.h"
#include "app/LayoutFormat.h"
#include "platform/Folders.h"
#include "platform/Profile.h"
#include "support/TestData.h"

extern char** environ;

namespace {

// What the log says about the command line's model.
constexpr const char* kOpenedText = "Opened \"";

std::string ProgramPath() {
  const char* dir = std::getenv("PLANDOR_BIN_DIR");
  return dir ? std::string(dir) + "/plandor" : std::string();
}

// Waits until the file contains the text; false after the timeout.
bool WaitForText(const std::string& path, const std::string& text, int ms) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    if (ReadFileBytes(path).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

bool WaitForExit(pid_t pid, int ms, int& status) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < end) {
    if (waitpid(pid, &status, WNOHANG) == pid) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

TEST(Program, StartsLogsItsStartUpAndSavesTheLayoutWhenTheSessionEnds) {
  REQUIRE_GUI();
  std::string program = ProgramPath();
  if (program.empty() || access(program.c_str(), X_OK) != 0) GTEST_SKIP() << "plandor not built";
  CScratchDir home;
  // A library of one part with its Parts.lst, and the file-type check off: no question comes up.
  std::string library = home.Path() + "library";
  MakeDirectories(library + "/p");
  MakeDirectories(library + "/parts");
  WriteFileBytes(library + "/p/stud.dat", "0 Stud\n");
  WriteFileBytes(library + "/parts/3001.dat", "0 Brick  2 x  4\n");
  WriteFileBytes(library + "/Parts.lst", "3001.dat       Brick  2 x  4\n");
  MakeDirectories(home.Path() + "config/Plandor");
  WriteFileBytes(home.Path() + "config/Plandor/Plandor.conf", "[Settings]\nRegFileTypes=0\n");
  std::vector<std::string> env = {"XDG_CONFIG_HOME=" + home.Path() + "config",
                                  "XDG_STATE_HOME=" + home.Path() + "state", "HOME=" + home.Path(),
                                  "XDG_DATA_HOME=" + home.Path() + "data", "LDRAWDIR=" + library,
                                  "NO_AT_BRIDGE=1", "GDK_BACKEND=x11"};
  for (char** e = environ; *e; ++e) {
    std::string v = *e;
    if (v.rfind("XDG_CONFIG_HOME=", 0) && v.rfind("XDG_STATE_HOME=", 0) && v.rfind("HOME=", 0) &&
        v.rfind("XDG_DATA_HOME=", 0) && v.rfind("LDRAWDIR=", 0))
      env.push_back(v);
  }
  std::vector<char*> envp;
  for (auto& v : env) envp.push_back(v.data());
  envp.push_back(nullptr);
  // A model of one brick, opened from the command line once the main window is there.
  std::string model = home.Path() + "model.ldr";
  WriteFileBytes(model, "0 A brick\n1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat\n");
  std::vector<std::string> args = {program, "-frobnicate", model};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data()), 0);
  std::string log = home.Path() + "state/Plandor/Plandor.log";
  // Started once the command line's model was dealt with (the last step of the start-up).
  bool started = WaitForText(log, kOpenedText, 20000);
  if (started) std::this_thread::sleep_for(std::chrono::milliseconds(800));
  kill(pid, SIGTERM);
  int status = 0;
  bool ended = WaitForExit(pid, 20000, status);
  if (!ended) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  ASSERT_TRUE(started) << ReadFileBytes(log);
  ASSERT_TRUE(ended);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);

  std::string text = ReadFileBytes(log);
  EXPECT_EQ(text.rfind("Plandor Version ", 0), 0u) << text;
  for (const char* line : {"Operating System Info\n", "\nMemory Info:\n", "\nDesktop Info:\n",
                           "Command line: open \"", "WARNING: Unknown command-line flag ignored: -frobnicate\n",
                           kOpenedText, "\nPlandor ends.\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  // The log's order: system information, settings, the file-type check and the command line,
  // then the part list, the end last.
  EXPECT_LT(text.find("Desktop Info"), text.find("Library base folder"));
  EXPECT_LT(text.find("Library base folder"), text.find("File type registration check: Disabled"));
  EXPECT_LT(text.find("File type registration check: Disabled"), text.find("Command line"));
  EXPECT_LT(text.find("Command line"), text.find("Loading part list"));
  EXPECT_NE(text.find("Part list: 1 parts"), std::string::npos) << text;

  CFileProfile profile(home.Path() + "config/Plandor/Plandor.conf");
  auto pos = ParseWindowPos(profile.GetProfileString("EditModeStates", "WindowPos", ""));
  ASSERT_TRUE(pos);
  EXPECT_GT(pos->normal.Width(), 0);
  EXPECT_TRUE(ParseSplitterPos(profile.GetProfileString("EditModeStates", "SplitterPos", "")));
  EXPECT_FALSE(profile.GetProfileString("EditModeStates", "BarState", "").empty());
  // The settings are in the profile after the run.
  EXPECT_EQ(profile.GetProfileString("Settings", "Zebpath", ""), library);
  EXPECT_EQ(profile.GetProfileInt("Settings", "RegFileTypes", 1), 0);
}

}  // namespace
