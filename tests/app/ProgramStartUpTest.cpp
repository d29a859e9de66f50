// The real program's start-up outcomes: a run that only registers or unregisters the file types,
// and a library without parts, which must end the run with a failure status.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "GuiTest.h"
#include "ProgramSpawn.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "support/TestData.h"

extern char** environ;

namespace {

// The environment of the test with the given variables replaced (an empty value removes one).
std::vector<std::string> Environment(const std::map<std::string, std::string>& changes) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string v = *e;
    if (!changes.count(v.substr(0, v.find('=')))) env.push_back(v);
  }
  for (const auto& [name, value] : changes)
    if (!value.empty()) env.push_back(name + "=" + value);
  return env;
}

pid_t Start(const std::vector<std::string>& args, std::vector<std::string> env) {
  std::vector<char*> argv, envp;
  std::vector<std::string> a = args;
  for (auto& s : a) argv.push_back(s.data());
  argv.push_back(nullptr);
  for (auto& s : env) envp.push_back(s.data());
  envp.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, a[0].c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
  return pid;
}

class ProgramStartUpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!GuiAvailable()) GTEST_SKIP() << "no display (run the GUI tests under xvfb-run)";
    m_program = BuiltProgramPath();
    if (m_program.empty()) GTEST_SKIP() << "plandor not built";
  }
  std::map<std::string, std::string> Env(const std::string& library) {
    return {{"HOME", m_home.Path()},
            {"XDG_CONFIG_HOME", m_home / "config"},
            {"XDG_STATE_HOME", m_home / "state"},
            {"XDG_DATA_HOME", m_home / "data"},
            {"LDRAWDIR", library},
            {"GDK_BACKEND", "x11"},
            {"NO_AT_BRIDGE", "1"}};
  }
  std::string m_program;
  CScratchDir m_home;
};

TEST_F(ProgramStartUpTest, RegisterAndUnregisterFromTheCommandLine) {
  REQUIRE_LDRAW_LIBRARY(library);
  int status = WaitForProgramStatus(Start({m_program, "-register"}, Environment(Env(library))),
                                    std::chrono::seconds(30));
  EXPECT_EQ(status, 0);
  std::string desktop = ReadFileBytes(m_home / "data/applications/plandor.desktop");
  EXPECT_NE(desktop.find("Exec=" + m_program), std::string::npos);
  EXPECT_NE(ReadFileBytes(m_home / "data/mime/packages/plandor.xml").find("*.mpd"), std::string::npos);
  // Such a run neither asks for nor builds the part list.
  EXPECT_EQ(ReadFileBytes(m_home / "state/Plandor/Plandor.log").find("Loading part list"), std::string::npos);

  status = WaitForProgramStatus(Start({m_program, "-unregister"}, Environment(Env(library))),
                                std::chrono::seconds(30));
  EXPECT_EQ(status, 0);
  EXPECT_FALSE(FileExists(m_home / "data/applications/plandor.desktop"));
  EXPECT_FALSE(FileExists(m_home / "data/mime/packages/plandor.xml"));
}

TEST_F(ProgramStartUpTest, AFailedRegistrationEndsWithAFailureStatus) {
  REQUIRE_LDRAW_LIBRARY(library);
  auto env = Env(library);
  WriteFileBytes(m_home / "blocked", "a file where the data folder should be");
  env["XDG_DATA_HOME"] = m_home / "blocked";
  EXPECT_EQ(WaitForProgramStatus(Start({m_program, "-register"}, Environment(env)), std::chrono::seconds(30)),
            1);
}

// The part list question and the scan's error box are answered with the Return key.
TEST_F(ProgramStartUpTest, ALibraryWithoutPartsEndsTheRunWithAFailureStatus) {
  if (RunShellCommand("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "xdotool is not installed";
  std::string library = m_home / "library";
  MakeDirectories(library + "/p");
  MakeDirectories(library + "/parts");
  WriteFileBytes(library + "/p/stud.dat", "0 Stud\n");
  // The file-type question stays away.
  MakeDirectories(m_home / "config/Plandor");
  WriteFileBytes(m_home / "config/Plandor/Plandor.conf", "[Settings]\nRegFileTypes=0\n");
  pid_t pid = Start({m_program}, Environment(Env(library)));
  ASSERT_GT(pid, 0);
  int status = -1;
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < end) {
    int raw = 0;
    if (waitpid(pid, &raw, WNOHANG) == pid) {
      status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
      break;
    }
    // Only this test's program is pressed: other GUI tests share the display.
    RunShellCommand(
        "w=$(xdotool search --all --pid " + std::to_string(pid) + " --onlyvisible --name '^Plandor$' 2>/dev/null | head -1); "
        "[ -n \"$w\" ] && xdotool windowfocus --sync \"$w\" key Return >/dev/null 2>&1");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }
  if (status == -1 && kill(pid, 0) == 0) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    FAIL() << "the program did not end";
  }
  EXPECT_EQ(status, 1);
  std::string log = ReadFileBytes(m_home / "state/Plandor/Plandor.log");
  EXPECT_NE(log.find("ERROR no parts!"), std::string::npos);
  EXPECT_NE(log.find("Start-up ended (exit status 1)"), std::string::npos);
}

}  // namespace
