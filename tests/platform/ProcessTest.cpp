// The process runner: outside programs started from an argument vector, polled with a pump that
// can cancel, their end reported as exit status or signal, their output appended to a log.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/PlatformInit.h"
#include "platform/Process.h"
#include "support/TestData.h"

namespace {

using End = ProcessResult::End;

struct EndCase {
  const char* name;
  std::vector<std::string> argv;
  End end;
  int exitCode;
  int signal;
  int code;
};

class ProcessEndTest : public ::testing::TestWithParam<EndCase> {};

TEST_P(ProcessEndTest, ExitStatusAndSignalAreTold) {
  const EndCase& c = GetParam();
  for (bool pumped : {false, true}) {
    SCOPED_TRACE(pumped ? "pumped" : "waiting");
    ProcessOptions options;
    if (pumped) options.pump = [] { return PumpAnswer::GoOn; };
    ProcessResult r = SpawnAndPoll(c.argv, options);
    EXPECT_EQ(r.end, c.end);
    EXPECT_EQ(r.exitCode, c.exitCode);
    EXPECT_EQ(r.signal, c.signal);
    EXPECT_EQ(r.Code(), c.code);
  }
  EXPECT_EQ(RunProcess(c.argv), c.end == End::Exited ? c.exitCode : -1);
}

// A shell ended by a signal is told apart from one that exits with 128 + that signal.
INSTANTIATE_TEST_SUITE_P(
    Table, ProcessEndTest,
    ::testing::Values(EndCase{"zero", {"/bin/sh", "-c", "exit 0"}, End::Exited, 0, 0, 0},
                      EndCase{"three", {"/bin/sh", "-c", "exit 3"}, End::Exited, 3, 0, 3},
                      EndCase{"highest", {"/bin/sh", "-c", "exit 255"}, End::Exited, 255, 0, 255},
                      EndCase{"exitLikeASignal", {"/bin/sh", "-c", "exit 143"}, End::Exited, 143, 0, 143},
                      EndCase{"fromPath", {"false"}, End::Exited, 1, 0, 1},
                      EndCase{"terminated", {"/bin/sh", "-c", "kill -TERM $$"}, End::Signalled, -1, SIGTERM, 143},
                      EndCase{"killed", {"/bin/sh", "-c", "kill -KILL $$"}, End::Signalled, -1, SIGKILL, 137},
                      EndCase{"noSuchFile", {"/nonexistent/plandor-program"}, End::NotStarted, -1, 0, -1},
                      EndCase{"notInPath", {"plandor-no-such-program"}, End::NotStarted, -1, 0, -1},
                      EndCase{"emptyName", {""}, End::NotStarted, -1, 0, -1}),
    [](const ::testing::TestParamInfo<EndCase>& param) { return param.param.name; });

TEST(Process, AProgramThatDoesNotExistIsReportedWithItsReason) {
  ProcessResult r = SpawnAndPoll({"/nonexistent/plandor-program"});
  EXPECT_EQ(r.end, End::NotStarted);
  EXPECT_EQ(r.error, ENOENT);
  EXPECT_EQ(SpawnAndPoll({}).end, End::NotStarted);
  EXPECT_EQ(RunProcess({}), -1);
}

// Each argument reaches the program whole, with nothing a shell would act on.
TEST(Process, EveryArgumentArrivesAsItIs) {
  CScratchDir dir;
  const std::string log = dir / "args.log";
  const std::vector<std::string> args = {"a b",     "$(touch " + dir / "ran" + ")", "a;b", "x|y", "'single'",
                                         "\"double\"", "*",  "", "back\\slash", "new\nline", "$HOME", "`id`"};
  std::vector<std::string> argv = {"printf", "<%s>"};
  argv.insert(argv.end(), args.begin(), args.end());
  ProcessOptions options;
  options.logPath = log;
  ProcessResult r = SpawnAndPoll(argv, options);
  ASSERT_TRUE(r.Exited());
  EXPECT_EQ(r.exitCode, 0);
  std::string expected;
  for (const std::string& a : args) expected += "<" + a + ">";
  EXPECT_EQ(ReadFileBytes(log), expected);
  EXPECT_FALSE(std::filesystem::exists(dir / "ran"));
}

TEST(Process, OutputAndErrorsAreAppendedToTheLog) {
  CScratchDir dir;
  const std::string log = dir / "session.log";
  ASSERT_TRUE(WriteFileBytes(log, "CmdLine: x\nOutput:\n"));
  ProcessOptions options;
  options.logPath = log;
  EXPECT_EQ(SpawnAndPoll({"/bin/sh", "-c", "echo out; echo err >&2; exit 2"}, options).Code(), 2);
  EXPECT_EQ(RunShell("echo again", options).Code(), 0);
  EXPECT_EQ(ReadFileBytes(log), "CmdLine: x\nOutput:\nout\nerr\nagain\n");
  // A log that cannot be made: nothing is started.
  options.logPath = dir / "missing/session.log";
  ProcessResult r = SpawnAndPoll({"/bin/sh", "-c", "exit 0"}, options);
  EXPECT_EQ(r.end, End::NotStarted);
  EXPECT_EQ(r.error, ENOENT);
}

// The pump runs right after the start and then at every poll; its Cancel ends the program at
// once (it would sleep for a minute) and the program is reaped, not left behind.
TEST(Process, CancelAfterSomePollsKillsTheProgram) {
  for (int polls : {1, 3}) {
    SCOPED_TRACE(polls);
    CScratchDir dir;
    const std::string pidFile = dir / "pid";
    int calls = 0;
    ProcessOptions options;
    options.pump = [&] { return ++calls == polls ? PumpAnswer::Cancel : PumpAnswer::GoOn; };
    options.pollInterval = std::chrono::milliseconds(50);
    ProcessResult r = SpawnAndPoll({"/bin/sh", "-c", "echo $$ > '" + pidFile + "'; exec sleep 60"}, options);
    EXPECT_EQ(r.end, End::Cancelled);
    EXPECT_EQ(r.Code(), -1);
    EXPECT_EQ(calls, polls);
    const std::string pid = ReadFileBytes(pidFile);
    if (!pid.empty()) {
      EXPECT_EQ(::kill(std::atoi(pid.c_str()), 0), -1) << "the cancelled program still exists";
      EXPECT_EQ(errno, ESRCH);
    }
  }
}

TEST(Process, ThePumpRunsWhileTheProgramRuns) {
  int calls = 0;
  ProcessOptions options;
  options.pump = [&] {
    ++calls;
    return PumpAnswer::GoOn;
  };
  options.pollInterval = std::chrono::milliseconds(20);
  EXPECT_EQ(SpawnAndPoll({"/bin/sh", "-c", "sleep 0.3; exit 4"}, options).Code(), 4);
  EXPECT_GE(calls, 2);
}

// The program reads nothing from our input: a program reading its input ends at once.
TEST(Process, TheProgramsInputIsEmpty) {
  int calls = 0;
  ProcessOptions options;
  options.pump = [&] { return ++calls > 50 ? PumpAnswer::Cancel : PumpAnswer::GoOn; };
  EXPECT_EQ(SpawnAndPoll({"cat"}, options).end, End::Exited);
}

// The program ignores SIGXFSZ (so a save past the file-size limit fails instead of ending it);
// a program it starts gets the default action back.
TEST(Process, AStartedProgramGetsDefaultSignalActions) {
  struct sigaction previous {};
  ::sigaction(SIGXFSZ, nullptr, &previous);
  InitPlatform();
  ProcessResult r = SpawnAndPoll({"/bin/sh", "-c", "kill -XFSZ $$; exit 0"});
  ::sigaction(SIGXFSZ, &previous, nullptr);
  EXPECT_EQ(r.end, End::Signalled);
  EXPECT_EQ(r.signal, SIGXFSZ);
}

struct ShellCase {
  const char* command;
  int code;
};

// The shell-command post processors: what the shell reports, including its 127 for a command it
// cannot find.
TEST(Process, AShellCommandEndsAsTheShellSays) {
  const ShellCase cases[] = {{"exit 7", 7}, {"true && false", 1}, {"plandor-no-such-command", 127},
                             {"kill -TERM $$", 128 + SIGTERM}, {"test \"a b\" = 'a b'", 0}};
  for (const ShellCase& c : cases) {
    SCOPED_TRACE(c.command);
    EXPECT_EQ(RunShell(c.command).Code(), c.code);
    EXPECT_EQ(RunShell(c.command, {[] { return PumpAnswer::GoOn; }, "", kProcessPollInterval}).Code(), c.code);
  }
  EXPECT_EQ(RunShellCommand("exit 5"), 5);
  EXPECT_EQ(RunShellCommand("kill -TERM $$"), -1);
}

}  // namespace
